#include "dialogs/exchange/Dlg_QT_ImportDimensionStyle.h"

#include "dialogs/exchange/DimStyleView.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/ElidedPathField.h"
#include "module/LispHandlers.h"

#include <QFileDialog>

Dlg_QT_ImportDimensionStyle::Dlg_QT_ImportDimensionStyle(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_chosenPath()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    m_pathField = new ElidedPathField(txExport);
    m_selectionOrder = new SelectionOrder(lstStyles);

    connect(lstStyles, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ImportDimensionStyle::styleSelect);
    connect(selectfile, &QPushButton::clicked, this, &Dlg_QT_ImportDimensionStyle::SelectExportFile);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ImportDimensionStyle::showHelp);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_ImportDimensionStyle::acceptDialog);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A path typed into the field is listed at once: the styles chosen must be those of the
    // file the LISP side will import from.
    connect(m_pathField, &ElidedPathField::pathCommitted, this, [this](const QString& path) {
        if (path != m_chosenPath)
            listStyles(path);
    });
}

Dlg_QT_ImportDimensionStyle::~Dlg_QT_ImportDimensionStyle() = default;

void Dlg_QT_ImportDimensionStyle::Help()
{
    m_state->showHelp(QStringLiteral("importdimensionstyle"));
}

void Dlg_QT_ImportDimensionStyle::showHelp()
{
    Help();
}

void Dlg_QT_ImportDimensionStyle::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (!m_state->applied())
        m_state->applyState(QStringLiteral("*"));
    listStyles(m_state->storedFullText(txExport, txExport->text()));
    lstStyles->installEventFilter(this);
    lstVariables->installEventFilter(this);
}

bool Dlg_QT_ImportDimensionStyle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstStyles || watched == lstVariables)
        DimStyleView::selectFirstRowOnFocus(watched, event);
    return CKvDialog::eventFilter(watched, event);
}

void Dlg_QT_ImportDimensionStyle::listStyles(const QString& path)
{
    // The variables and the text styles shown later come from the same file as the list.
    m_chosenPath = path;
    m_file = DimStyleFile::read(path);
    DimStyleView::showStyles(lstStyles, tr("Name"), m_file.styleNames(), QAbstractItemView::ExtendedSelection);
    m_selectionOrder->reset();
}

void Dlg_QT_ImportDimensionStyle::SelectExportFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Select Dimension Style file"), QStringLiteral("."),
                                                      tr("DimStyle files (*.dim)"));
    if (path.isEmpty())
        return;
    m_pathField->setPath(path);
    listStyles(path);
}

QStringList Dlg_QT_ImportDimensionStyle::selectedStyles() const
{
    return m_selectionOrder->selectedTexts();
}

QStringList Dlg_QT_ImportDimensionStyle::namesInDrawing(const QString& countKey, const QString& prefix) const
{
    bool ok = false;
    int count = m_state->stateValue(countKey).toInt(&ok);
    if (!ok || count < 0)
        count = 0;
    // A count is only as good as the lines behind it: no more names than state lines, and
    // none after the first that is missing.
    const QHash<QString, QString> values = m_state->stateValues();
    count = qMin(count, values.size());
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        const auto it = values.constFind(prefix + QString::number(i));
        if (it == values.constEnd() || it->isEmpty())
            break;
        names.append(*it);
    }
    return names;
}

void Dlg_QT_ImportDimensionStyle::styleSelect()
{
    groupBox_2->setEnabled(false);
    cbTextStyle->setChecked(false);
    cbDimensionStyle->setChecked(false);
    DimStyleView::clearRows(lstVariables);

    const QStringList selected = selectedStyles();
    if (selected.size() != 1) {
        groupBox_2->setEnabled(true);
        cbTextStyle->setEnabled(true);
        cbDimensionStyle->setEnabled(true);
        return;
    }
    // Styles of the drawing are told apart by case; names in the file are not.
    const QString style = selected.first();
    if (namesInDrawing(QStringLiteral("dimstylelength"), QStringLiteral("dimstyle")).contains(style)) {
        groupBox_2->setEnabled(true);
        cbTextStyle->setEnabled(false);
        cbDimensionStyle->setEnabled(true);
    }

    const DimStyleFile::Content content = m_file.content(style, true);
    const QStringList textStyles = namesInDrawing(QStringLiteral("textstylelength"), QStringLiteral("textstyle"));
    for (const QString& textStyle : content.textStyles) {
        if (!textStyles.contains(textStyle))
            continue;
        const bool wasEnabled = groupBox_2->isEnabled();
        groupBox_2->setEnabled(true);
        if (!wasEnabled)
            cbDimensionStyle->setEnabled(false);
        cbTextStyle->setEnabled(true);
    }
    DimStyleView::showVariables(lstVariables, tr("Variable;Value"), content.lines, QAbstractItemView::NoSelection);
}

void Dlg_QT_ImportDimensionStyle::acceptDialog()
{
    const QStringList styles = selectedStyles();
    if (styles.isEmpty()) {
        kvInformation(this, QString(), tr("No dimension style selected, please select a dimension style to import. "));
        return;
    }
    m_state->setStateValue(QStringLiteral("lststyles"), QLatin1Char(',') + styles.join(QLatin1Char(',')));
    accept();
}

int kvlisp::Dlg_ImDimensionStyle()
{
    return runDialogFunction<Dlg_QT_ImportDimensionStyle>(DialogSlot::ImportDimensionStyle);
}
