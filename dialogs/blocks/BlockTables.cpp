#include "dialogs/blocks/BlockTables.h"

#include "exchange/DialogState.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

namespace KvBlockTables {

QStringList sortedNames(QStringList names, const TableSortState& sort)
{
    CDialogState::sortNames(names, QStringLiteral(";"), sort.column, sort.descending);
    return names;
}

void showNames(QTableWidget* table, const QString& header, const QStringList& names, const TableSortState& sort,
               QAbstractItemView::SelectionMode mode)
{
    if (!table)
        return;
    KvTable::setupList(table, header.split(QLatin1Char(';')), mode);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    KvTable::setTexts(table, names);
    showSortIndicator(table, sort);
}

void fillNames(QTableWidget* table, const QString& header, const QStringList& names, const TableSortState& sort,
               QAbstractItemView::SelectionMode mode)
{
    showNames(table, header, sortedNames(names, sort), sort, mode);
}

void showSortIndicator(QTableWidget* table, const TableSortState& sort)
{
    QHeaderView* header = table ? table->horizontalHeader() : nullptr;
    if (!header)
        return;
    header->setSortIndicatorShown(true);
    header->setSortIndicator(sort.column, sort.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void selectFirstRow(QTableWidget* table)
{
    if (table && table->rowCount() > 0)
        table->selectRow(0);
}

QString onlySelectedName(const QTableWidget* table)
{
    const QItemSelectionModel* selection = table ? table->selectionModel() : nullptr;
    if (!selection)
        return QString();
    int row = -1;
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.top() != range.bottom() || (row >= 0 && row != range.top()))
            return QString();
        row = range.top();
    }
    if (row < 0)
        return QString();
    const QTableWidgetItem* item = table->item(row, 0);
    // A selected row always names something, even a block called "".
    return item ? item->text() : QLatin1String("");
}

bool hasSelectedRow(const QTableWidget* table)
{
    const QItemSelectionModel* selection = table ? table->selectionModel() : nullptr;
    return selection && selection->hasSelection();
}

bool wantsStoredValues(const CDialogState& state)
{
    return !state.applied() || state.stateValue(QStringLiteral("!action!")) == QLatin1String("SETBLOCKS");
}

} // namespace KvBlockTables
