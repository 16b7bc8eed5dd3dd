#include "dialogs/exchange/Dlg_QT_ExchangedDimensionStyle.h"

#include "dialogs/exchange/DimStyleView.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TextFiles.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

Dlg_QT_ExchangedDimensionStyle::Dlg_QT_ExchangedDimensionStyle(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_sourcePath()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    m_selectionOrder = new SelectionOrder(lstStyles);

    connect(lstStyles, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ExchangedDimensionStyle::styleSelect);
    connect(selectfile, &QPushButton::clicked, this, &Dlg_QT_ExchangedDimensionStyle::SelectExportFile);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ExchangedDimensionStyle::showHelp);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_ExchangedDimensionStyle::~Dlg_QT_ExchangedDimensionStyle() = default;

void Dlg_QT_ExchangedDimensionStyle::Help()
{
    m_state->showHelp(QStringLiteral("exchangeddimensionstyle"));
}

void Dlg_QT_ExchangedDimensionStyle::showHelp()
{
    Help();
}

// The source style file is read again on every show: the LISP side writes it afresh before
// each call.
void Dlg_QT_ExchangedDimensionStyle::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (!m_state->applied())
        m_state->applyState(QStringLiteral("*"));
    m_sourcePath = m_state->stateValue(QStringLiteral("filedim"));
    m_source = DimStyleFile::read(m_sourcePath);
    DimStyleView::showStyles(lstStyles, tr("Name"), m_source.styleNames(), QAbstractItemView::ExtendedSelection);
    m_selectionOrder->reset();
    lstStyles->installEventFilter(this);
    lstVariables->installEventFilter(this);
}

bool Dlg_QT_ExchangedDimensionStyle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstStyles || watched == lstVariables)
        DimStyleView::selectFirstRowOnFocus(watched, event);
    return CKvDialog::eventFilter(watched, event);
}

QStringList Dlg_QT_ExchangedDimensionStyle::selectedStyles() const
{
    return m_selectionOrder->selectedTexts();
}

void Dlg_QT_ExchangedDimensionStyle::styleSelect()
{
    const QStringList selected = selectedStyles();
    if (selected.size() != 1) {
        DimStyleView::clearRows(lstVariables);
        return;
    }
    DimStyleView::showVariables(lstVariables, tr("Variable;Value"), m_source.content(selected.first(), false).lines,
                                QAbstractItemView::SingleSelection);
}

QString Dlg_QT_ExchangedDimensionStyle::askExportPath()
{
    // The dialog adds the suffix itself, so that its question about replacing a file is
    // about the file that will be written.
    QFileDialog dialog(this, tr("Select Dimension Style file"), QStringLiteral("."), tr("DimStyle files (*.dim)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dim"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty() || path.endsWith(QLatin1String(".dim")))
        return path;
    // A name with another suffix gets ".dim" after it: ask as the save dialog would.
    path += QLatin1String(".dim");
    if (QFileInfo::exists(path)) {
        const QString question = QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName());
        QMessageBox box(QMessageBox::Warning, dialog.windowTitle(), question, QMessageBox::Yes | QMessageBox::No, this);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes)
            return QString();
    }
    return path;
}

void Dlg_QT_ExchangedDimensionStyle::SelectExportFile()
{
    const QString path = askExportPath();
    if (path.isEmpty())
        return;
    const QStringList styles = selectedStyles();
    if (styles.isEmpty()) {
        kvInformation(this, tr("Exchange Dimension Style"),
                      tr("No dimension style selected, please select a dimension style to export. "));
        return;
    }
    // A file that cannot be written is reported and the dialog stays, so that the LISP side
    // is not told of an export that did not happen.
    QString error;
    if (!KvTextFile::writeBytes(path, m_source.exportStyles(styles, rbFullText->isChecked()), &error)) {
        kvInformation(this, tr("Exchange Dimension Style"), error);
        return;
    }
    accept();
}

int kvlisp::Dlg_ExDimensionStyle()
{
    return runDialogFunction<Dlg_QT_ExchangedDimensionStyle>(DialogSlot::ExchangedDimensionStyle);
}
