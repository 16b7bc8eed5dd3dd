#include "exchange/TableFiller.h"

#include "exchange/DialogState.h"

#include <QHeaderView>
#include <QCollator>
#include <QItemSelectionModel>
#include <QSet>
#include <QTableWidget>

#include <algorithm>
#include <numeric>
#include <vector>

void KvTable::setupList(QTableWidget* table, const QStringList& headers, QAbstractItemView::SelectionMode mode)
{
    if (!table)
        return;
    table->setSortingEnabled(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(mode);
    table->setColumnCount(headers.size());
    table->setHorizontalHeaderLabels(headers);
    QHeaderView* rows = table->verticalHeader();
    rows->hide();
    // One height for all rows, set once: sizing rows one by one is what makes large lists slow.
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(RowHeight);
}

namespace {
QTableWidgetItem* itemFor(const KvTable::Cell& cell)
{
    auto* item = new QTableWidgetItem;
    if (cell.isNumber)
        item->setData(Qt::DisplayRole, cell.value);
    else
        item->setText(cell.text);
    return item;
}

// Runs fill with the table's updates and selection signals held back, then lets the view
// catch up once.
template <class Fill>
void bulkFill(QTableWidget* table, int rowCount, Fill fill)
{
    const bool updates = table->updatesEnabled();
    table->setUpdatesEnabled(false);
    table->clearSelection();
    table->setRowCount(0);
    table->setRowCount(rowCount);
    fill();
    table->setUpdatesEnabled(updates);
}
} // namespace

void KvTable::setRows(QTableWidget* table, const QVector<Row>& rows)
{
    if (!table)
        return;
    const int columns = table->columnCount();
    bulkFill(table, rows.size(), [&] {
        for (int r = 0; r < rows.size(); ++r) {
            const Row& row = rows.at(r);
            for (int c = 0; c < columns && c < row.size(); ++c)
                table->setItem(r, c, itemFor(row.at(c)));
        }
    });
}

void KvTable::setTextRows(QTableWidget* table, const QVector<QStringList>& rows)
{
    if (!table)
        return;
    const int columns = table->columnCount();
    bulkFill(table, rows.size(), [&] {
        for (int r = 0; r < rows.size(); ++r) {
            const QStringList& row = rows.at(r);
            for (int c = 0; c < columns && c < row.size(); ++c)
                table->setItem(r, c, new QTableWidgetItem(row.at(c)));
        }
    });
}

void KvTable::setTexts(QTableWidget* table, const QStringList& texts)
{
    if (!table || table->columnCount() < 1)
        return;
    bulkFill(table, texts.size(), [&] {
        for (int r = 0; r < texts.size(); ++r)
            table->setItem(r, 0, new QTableWidgetItem(texts.at(r)));
    });
}

namespace {
// Whole entries in the order of sortNames (natural, case ignored); equal ones keep theirs.
void sortWhole(QStringList& entries, bool descending)
{
    const QCollator collator = CDialogState::nameCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(entries.size()));
    for (const QString& entry : qAsConst(entries))
        keys.push_back(collator.sortKey(entry));
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = keys[std::size_t(a)].compare(keys[std::size_t(b)]);
        return descending ? c > 0 : c < 0;
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const int i : order)
        sorted.append(entries.at(i));
    entries = sorted;
}
} // namespace

QStringList KvTable::fillSorted(QTableWidget* table, QStringList entries, const QString& separator,
                                const TableSortState& sort)
{
    // Without a separator each entry is one cell, and that is what it sorts on (split at
    // the empty text, its "fields" would be its single characters).
    if (separator.isEmpty())
        sortWhole(entries, sort.descending);
    else
        CDialogState::sortNames(entries, separator, sort.column, sort.descending);
    QVector<QStringList> rows;
    rows.reserve(entries.size());
    for (const QString& entry : qAsConst(entries))
        rows.append(separator.isEmpty() ? QStringList{entry} : entry.split(separator));
    setTextRows(table, rows);
    return entries;
}

QList<int> KvTable::selectedRows(const QTableWidget* table)
{
    QList<int> rows;
    if (!table || !table->selectionModel())
        return rows;
    QSet<int> seen;
    const QItemSelection selection = table->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        for (int r = range.top(); r <= range.bottom(); ++r) {
            if (!seen.contains(r)) {
                seen.insert(r);
                rows.append(r);
            }
        }
    }
    return rows;
}

int KvTable::replaceInCells(const QList<QTableWidgetItem*>& cells, const QString& find, const QString& replacement,
                            Qt::CaseSensitivity sensitivity)
{
    // An empty find text would "match" between every two characters.
    if (find.isEmpty())
        return 0;
    int changed = 0;
    for (QTableWidgetItem* cell : cells) {
        if (!cell)
            continue;
        QString text = cell->text();
        if (!text.contains(find, sensitivity))
            continue;
        text.replace(find, replacement, sensitivity);
        cell->setText(text);
        ++changed;
    }
    return changed;
}
