#include "dialogs/exchange/DimStyleView.h"

#include "dialogs/exchange/DimStyleFile.h"
#include "exchange/TableFiller.h"

#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

namespace {
// Rows carry the place they were filled in, so that a selection outlives sorting.
constexpr int RowIdRole = Qt::UserRole + 1;

void prepare(QTableWidget* table, const QString& headers, QAbstractItemView::SelectionMode mode)
{
    KvTable::setupList(table, headers.split(QLatin1Char(';')), mode);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

void sortAsTheHeaderShows(QTableWidget* table)
{
    table->setSortingEnabled(true);
    table->sortByColumn(0, table->horizontalHeader()->sortIndicatorOrder());
}
} // namespace

void DimStyleView::showStyles(QTableWidget* table, const QString& headers, const QStringList& names,
                              QAbstractItemView::SelectionMode mode)
{
    prepare(table, headers, mode);
    QVector<QStringList> rows;
    rows.reserve(names.size());
    for (const QString& name : names)
        rows.append(QStringList{name});
    KvTable::setTextRows(table, rows);
    for (int r = 0; r < table->rowCount(); ++r)
        table->item(r, 0)->setData(RowIdRole, r);
    sortAsTheHeaderShows(table);
}

void DimStyleView::showVariables(QTableWidget* table, const QString& headers, const QStringList& collected,
                                 QAbstractItemView::SelectionMode mode)
{
    prepare(table, headers, mode);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Interactive);
    table->setColumnWidth(1, 100);
    const QVector<DimStyleFile::Row> variables = DimStyleFile::variableRows(collected);
    QVector<QStringList> rows;
    rows.reserve(variables.size());
    for (const DimStyleFile::Row& row : variables)
        rows.append(QStringList{row.first, row.second});
    KvTable::setTextRows(table, rows);
    sortAsTheHeaderShows(table);
}

void DimStyleView::clearRows(QTableWidget* table)
{
    table->clearSelection();
    table->setRowCount(0);
}

void DimStyleView::selectFirstRowOnFocus(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusIn)
        return;
    auto* table = qobject_cast<QTableWidget*>(watched);
    if (table && table->rowCount() > 0 && table->selectedItems().isEmpty())
        table->selectRow(0);
}

SelectionOrder::SelectionOrder(QTableWidget* table) : QObject(table), m_table(table)
{
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &SelectionOrder::selectionChanged);
}

void SelectionOrder::reset()
{
    m_order.clear();
}

void SelectionOrder::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QModelIndex& index : deselected.indexes())
        if (index.column() == 0)
            m_order.removeAll(index.data(RowIdRole).toInt());
    for (const QModelIndex& index : selected.indexes()) {
        const int id = index.data(RowIdRole).toInt();
        if (index.column() == 0 && !m_order.contains(id))
            m_order.append(id);
    }
}

QStringList SelectionOrder::selectedTexts() const
{
    QStringList out;
    if (!m_table)
        return out;
    QHash<int, int> rowOfId;
    QVector<int> untracked;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QTableWidgetItem* item = m_table->item(r, 0);
        if (!item || !item->isSelected())
            continue;
        const int id = item->data(RowIdRole).toInt();
        if (m_order.contains(id))
            rowOfId.insert(id, r);
        else
            untracked.append(r);
    }
    for (const int id : m_order)
        if (rowOfId.contains(id))
            out.append(m_table->item(rowOfId.value(id), 0)->text());
    for (const int r : untracked)
        out.append(m_table->item(r, 0)->text());
    return out;
}
