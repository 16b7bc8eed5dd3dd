#include "dialogs/drawing/Dlg_QT_MultiViewSetup.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QShowEvent>

namespace {
// The column-0 texts of the selected rows.
QStringList selectedNames(const QTableWidget* table)
{
    QStringList names;
    for (const int row : KvTable::selectedRows(table))
        if (const QTableWidgetItem* item = table->item(row, 0))
            names.append(item->text());
    return names;
}

// Selects the rows whose column-0 text is one of `names`.
void selectNames(QTableWidget* table, const QStringList& names)
{
    if (names.isEmpty())
        return;
    QItemSelection selection;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, 0);
        if (item && names.contains(item->text())) {
            const QModelIndex index = table->model()->index(row, 0);
            selection.select(index, index);
        }
    }
    table->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
} // namespace

Dlg_QT_MultiViewSetup::Dlg_QT_MultiViewSetup(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags), m_templateFolder()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    titleblock->hide();
    directory->hide();
    // The folder the title blocks are listed from is where the LISP side finds the one chosen.
    CDialogState::setSavesValue(directory);

    for (QRadioButton* radio : {SpaceModel, SpacePaper, psTitle, psCreate, psAlign, psScale, msScientific, msDecimal,
                                msEngeneering, msArchitectural, msMetric, singleViewp, arrayViewp})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_MultiViewSetup::UpdateDialog);
    connect(oplay, &QCheckBox::clicked, this, &Dlg_QT_MultiViewSetup::UpdateDialog);
    connect(selDir, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::selDirect);
    connect(InsertTitle, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::_insertTitle);
    connect(CreateViewports, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::_createViewports);
    connect(AlignViewports, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::_alingViewports);
    connect(ScaleViewports, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::_scaleViewports);
    connect(InsertMsTitle, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::_insertMSTitle);
    connect(msLstScales->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Dlg_QT_MultiViewSetup::ShowCurScale);
    connect(lstBlocks->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Dlg_QT_MultiViewSetup::SelectChanged);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_MultiViewSetup::showHelp);

    setFixedSize(size());
    lstBlocks->installEventFilter(this);
    msLstScales->installEventFilter(this);
}

Dlg_QT_MultiViewSetup::~Dlg_QT_MultiViewSetup() = default;

void Dlg_QT_MultiViewSetup::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    m_templateFolder = QDir::toNativeSeparators(HostServices::userFolder() + QStringLiteral("/Template"));
    listTitleBlocks(false, true);
    if (!m_state->applied()) {
        setDirectory(m_templateFolder);
        UnitsTitle->clear();
        UnitsTitle->addItems({tr("Feet"), tr("Inches"), tr("Meters"), tr("Milimeters")});
        removeTitles->clear();
        removeTitles->addItems({tr("Do not remove entities"), tr("Remove all entities"), tr("Specify entities for remove")});
        removeViewports->clear();
        removeViewports->addItems(
            {tr("Do not remove viewports"), tr("Remove all viewports"), tr("Specify viewports to remove")});
        m_state->applyState(QStringLiteral("*"));
    }
    m_state->setAction(QStringLiteral("CANCEL"));
    UpdateDialog();
}

Dlg_QT_MultiViewSetup::Units Dlg_QT_MultiViewSetup::checkedUnits() const
{
    if (msScientific->isChecked())
        return Scientific;
    if (msDecimal->isChecked())
        return Decimal;
    if (msEngeneering->isChecked())
        return Engineering;
    if (msArchitectural->isChecked())
        return Architectural;
    if (msMetric->isChecked())
        return Metric;
    return NoUnits;
}

void Dlg_QT_MultiViewSetup::UpdateDialog()
{
    PageSpace->setCurrentIndex(SpaceModel->isChecked() ? 1 : 0);
    int page = 0;
    if (psTitle->isChecked())
        page = 0;
    else if (psCreate->isChecked())
        page = 1;
    else if (psAlign->isChecked())
        page = 2;
    else if (psScale->isChecked())
        page = 3;
    psPages->setCurrentIndex(page);
    layer->setEnabled(oplay->isChecked());
    const bool array = arrayViewp->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{label_8, viewrows, label_10, viewcols, widget, viewoffsetx, viewoffsety})
        w->setEnabled(array);
    fillScales();
    ShowCurScale();
    listTitleBlocks(false, false);
}

QStringList Dlg_QT_MultiViewSetup::scaleEntries(Units units)
{
    switch (units) {
    case Scientific:
    case Decimal:
        return {QStringLiteral("4 TIMES|4.0"), QStringLiteral("2 TIMES|2.0"), QStringLiteral("FULL|1.0"),
                QStringLiteral("HALF|0.5"), QStringLiteral("QUARTER|0.25")};
    case Engineering:
        return {QStringLiteral("1\"=10'|120.0"), QStringLiteral("1\"=20'|240.0"), QStringLiteral("1\"=30'|360.0"),
                QStringLiteral("1\"=40'|480.0"), QStringLiteral("1\"=50'|600.0"), QStringLiteral("1\"=60'|720.0"),
                QStringLiteral("1\"=80'|960.0"), QStringLiteral("1\"=100'|1200.0")};
    case Architectural:
        return {QStringLiteral("1/40\"=1'|480.0"), QStringLiteral("1/20\"=1'|240.0"), QStringLiteral("1/16\"=1'|192.0"),
                QStringLiteral("1/8\"=1'|96.0"),   QStringLiteral("1/4\"=1'|48.0"),   QStringLiteral("1/2\"=1'|24.0"),
                QStringLiteral("3/4\"=1'|16.0"),   QStringLiteral("1\"=1'|12.0"),     QStringLiteral("3\"=1'|4.0"),
                QStringLiteral("6\"=1'|2.0"),      QStringLiteral("FULL|1.0")};
    case Metric:
        return {QStringLiteral("1:5000|5000"), QStringLiteral("1:2000|2000"), QStringLiteral("1:1000|1000"),
                QStringLiteral("1:500|500"),   QStringLiteral("1:200|200"),   QStringLiteral("1:100|100"),
                QStringLiteral("1:75|75"),     QStringLiteral("1:50|50"),     QStringLiteral("1:20|20"),
                QStringLiteral("1:10|10"),     QStringLiteral("1:5|5"),       QStringLiteral("1:1|1")};
    case NoUnits:
        break;
    }
    return {};
}

void Dlg_QT_MultiViewSetup::fillScales()
{
    const Units units = checkedUnits();
    // The rows are filled after the state lines were applied and again on every click: the
    // first list takes its pick from the state lines, and the user's pick stays when the
    // same list comes again (another option clicked, the dialog reopened by the LISP side).
    const QStringList keep = !m_scalesListed ? stateSelection(msLstScales)
                             : units == m_listedUnits ? selectedNames(msLstScales)
                                                      : QStringList();
    KvTable::setupList(msLstScales, tr("Scales;Factors").split(QLatin1Char(';')));
    msLstScales->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = msLstScales->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, 100);
    QVector<QStringList> rows;
    for (const QString& entry : scaleEntries(units))
        rows.append(entry.split(QLatin1Char('|')));
    KvTable::setTextRows(msLstScales, rows);
    selectNames(msLstScales, keep);
    m_listedUnits = units;
    m_scalesListed = true;
}

QStringList Dlg_QT_MultiViewSetup::stateSelection(const QTableWidget* table) const
{
    // Written as the selected rows' names, each followed by "^".
    QStringList names = m_state->stateValue(table->objectName()).split(QLatin1Char('^'));
    names.removeAll(QString());
    return names;
}

void Dlg_QT_MultiViewSetup::ShowCurScale()
{
    const QList<int> rows = KvTable::selectedRows(msLstScales);
    const QTableWidgetItem* factor = rows.size() == 1 ? msLstScales->item(rows.first(), 1) : nullptr;
    curScale->setText(factor ? factor->text() : QStringLiteral("1.0"));
}

void Dlg_QT_MultiViewSetup::SelectChanged()
{
    InsertTitle->setEnabled(!lstBlocks->selectedItems().isEmpty());
}

void Dlg_QT_MultiViewSetup::selDirect()
{
    listTitleBlocks(true, false);
}

bool Dlg_QT_MultiViewSetup::isTitleBlockFileName(const QString& name)
{
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() != 2)
        return false;
    const QString suffix = parts.at(1).toUpper();
    return suffix == QLatin1String("DWG") || suffix == QLatin1String("DXF");
}

void Dlg_QT_MultiViewSetup::setDirectory(const QString& folder)
{
    directory->setText(folder);
    directory->setProperty("value", folder);
}

void Dlg_QT_MultiViewSetup::listTitleBlocks(bool askFolder, bool silent)
{
    QString folder;
    if (askFolder) {
        folder = m_state->pickFolder(m_templateFolder, nullptr, tr("Specify folder"), tr("Specify folder"));
        if (!folder.isEmpty())
            setDirectory(folder);
    } else {
        folder = directory->text();
        if (!m_state->checkFolder(folder, QString(), silent))
            return;
    }
    if (folder.isEmpty())
        return;

    const QStringList keep = !m_blocksListed             ? stateSelection(lstBlocks)
                             : folder == m_listedFolder ? selectedNames(lstBlocks)
                                                        : QStringList();
    KvTable::setupList(lstBlocks, {tr("Blocks")}, QAbstractItemView::SingleSelection);
    lstBlocks->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstBlocks->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    QVector<QStringList> rows;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted))
        if (isTitleBlockFileName(name))
            rows.append(QStringList{name});
    KvTable::setTextRows(lstBlocks, rows);
    selectNames(lstBlocks, keep);
    m_listedFolder = folder;
    m_blocksListed = true;
    SelectChanged();
}

bool Dlg_QT_MultiViewSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == lstBlocks || watched == msLstScales)) {
        auto* table = static_cast<QTableWidget*>(watched);
        if (table->rowCount() > 0 && table->selectedItems().isEmpty())
            table->selectRow(0);
    }
    return CKvDialog::eventFilter(watched, event);
}

void Dlg_QT_MultiViewSetup::closeWith(const QString& action)
{
    m_state->setAction(action);
    accept();
}

void Dlg_QT_MultiViewSetup::_insertTitle()
{
    closeWith(QStringLiteral("INSERTTITLE"));
}

void Dlg_QT_MultiViewSetup::_createViewports()
{
    closeWith(QStringLiteral("CREATEVIEWPORTS"));
}

void Dlg_QT_MultiViewSetup::_alingViewports()
{
    closeWith(QStringLiteral("ALIGNVIEWPORTS"));
}

void Dlg_QT_MultiViewSetup::_scaleViewports()
{
    closeWith(QStringLiteral("SCALEVIEWPORTS"));
}

void Dlg_QT_MultiViewSetup::_insertMSTitle()
{
    closeWith(QStringLiteral("INSERTMSTITLE"));
}

void Dlg_QT_MultiViewSetup::showHelp()
{
    m_state->showHelp(QStringLiteral("multiviewsetup"));
}

int kvlisp::Dlg_MultiViewSetup()
{
    DialogCallOptions options;
    // Written however the dialog closed: the show event made "CANCEL" the action.
    options.saveAlways = true;
    return runDialogFunction<Dlg_QT_MultiViewSetup>(DialogSlot::MultiViewSetup, options);
}
