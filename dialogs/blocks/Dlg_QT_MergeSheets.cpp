#include "dialogs/blocks/Dlg_QT_MergeSheets.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

#include <QHeaderView>
#include <QMessageBox>

Dlg_QT_MergeSheets::Dlg_QT_MergeSheets(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    const QStringList headers{tr("Name")};
    KvTable::setupList(blocksTable, headers, QAbstractItemView::ExtendedSelection);
    KvTable::setupList(blocksTableRep, headers, QAbstractItemView::SingleSelection);
    for (QTableWidget* table : {blocksTable, blocksTableRep}) {
        table->horizontalHeader()->setStretchLastSection(true);
        table->horizontalHeader()->setSortIndicatorShown(true);
    }

    connect(blocksTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Dlg_QT_MergeSheets::ClickHeaderTable);
    connect(blocksTableRep->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Dlg_QT_MergeSheets::ClickHeaderTableRep);
    connect(blocksTableRep, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_MergeSheets::blockSelectRep);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_MergeSheets::closeDialog);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_MergeSheets::showHelp);
}

Dlg_QT_MergeSheets::~Dlg_QT_MergeSheets() = default;

void Dlg_QT_MergeSheets::showHelp()
{
    m_state->showHelp(QStringLiteral("mergesheets"));
}

// The state file never sets the controls; every show lists this call's sheets afresh,
// in the tables' own ascending text order, with the first sheet to merge selected.
void Dlg_QT_MergeSheets::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    fill(blocksTable);
    fill(blocksTableRep);
    if (blocksTable->rowCount() > 0)
        blocksTable->selectRow(0);
}

void Dlg_QT_MergeSheets::fill(QTableWidget* table)
{
    KvTable::setTexts(table, m_sheetNames);
    table->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    table->sortItems(0, Qt::AscendingOrder);
}

// A header click has turned the header's sort indicator already; the table follows it.
void Dlg_QT_MergeSheets::ClickHeaderTable(int column)
{
    blocksTable->sortItems(column, blocksTable->horizontalHeader()->sortIndicatorOrder());
}

void Dlg_QT_MergeSheets::ClickHeaderTableRep(int column)
{
    blocksTableRep->sortItems(column, blocksTableRep->horizontalHeader()->sortIndicatorOrder());
}

void Dlg_QT_MergeSheets::blockSelectRep()
{
    const QList<int> rows = KvTable::selectedRows(blocksTableRep);
    const QTableWidgetItem* item = rows.size() == 1 ? blocksTableRep->item(rows.first(), 0) : nullptr;
    TargetLayout->setText(item ? item->text() : QString());
}

void Dlg_QT_MergeSheets::closeDialog()
{
    if (KvTable::selectedRows(blocksTable).isEmpty()) {
        QMessageBox::information(this, QString(), tr("Please specify sheets to merge."), QMessageBox::Ok);
        return;
    }
    const QString target = TargetLayout->text();
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty()) {
        QMessageBox::information(this, QString(),
                                 target.isEmpty() ? tr("Please specify target sheet. ") : tr("Name  is invalid. "),
                                 QMessageBox::Ok);
        TargetLayout->setFocus();
        return;
    }
    TargetLayout->setText(trimmed);
    accept();
}

int kvlisp::Dlg_MergeSheets()
{
    DialogCallOptions options;
    options.customBlockCheck = true;
    return runDialogFunction<Dlg_QT_MergeSheets>(
        DialogSlot::MergeSheets,
        [](Dlg_QT_MergeSheets& dialog, LispArgs& args) {
            // Every further string is a sheet name, taken whole; anything else is skipped.
            dialog.setSheetNames(args.nextStrings());
        },
        DialogFunction::NilOrVoid(), options);
}
