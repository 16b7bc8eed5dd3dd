#include "dialogs/blocks/BlockReplacementDialog.h"

#include "dialogs/blocks/BlockTables.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogState.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

BlockReplacementDialog::BlockReplacementDialog(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags) {}

BlockReplacementDialog::~BlockReplacementDialog() = default;

void BlockReplacementDialog::setUpLists(QTableWidget* replaced, QTableWidget* replacing, const QString& header,
                                        QLabel* preview, QAbstractButton* pick, QAbstractButton* close)
{
    m_replaced = replaced;
    m_header = header;
    m_preview = preview;
    connect(replaced->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &BlockReplacementDialog::ClickHeaderTable);
    connect(replacing->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &BlockReplacementDialog::ClickHeaderTableRep);
    connect(replaced, &QTableWidget::itemSelectionChanged, this, &BlockReplacementDialog::blockSelect);
    connect(pick, &QAbstractButton::clicked, this, &BlockReplacementDialog::selectblocks);
    connect(close, &QAbstractButton::clicked, this, &QDialog::reject);
}

void BlockReplacementDialog::fillTable()
{
    KvBlockTables::fillNames(m_replaced, m_header, m_names, m_sort, QAbstractItemView::ExtendedSelection);
}

void BlockReplacementDialog::ClickHeaderTable(int column)
{
    m_sort.headerClicked(column);
    fillTable();
}

void BlockReplacementDialog::ClickHeaderTableRep(int column)
{
    m_sortRep.headerClicked(column);
    fillTableRep();
}

void BlockReplacementDialog::blockSelect()
{
    m_state->previewDrawingOrBlock(KvBlockTables::onlySelectedName(m_replaced), m_preview, nullptr);
}

void BlockReplacementDialog::selectblocks()
{
    m_state->setAction(QStringLiteral("GETBLOCKS"));
    accept();
}
