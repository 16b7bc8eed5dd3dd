#pragma once

#include <QAbstractItemView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class QTableWidget;
class QTableWidgetItem;

// How one list table is sorted: the column last clicked and the direction. A header click
// takes the clicked column and inverts the direction (so two clicks on one column give
// back the first order). Lives as long as the dialog that owns the table.
struct TableSortState
{
    int column = 0;
    bool descending = false;
    void headerClicked(int clicked)
    {
        column = clicked;
        descending = !descending;
    }
    bool operator==(const TableSortState& other) const
    {
        return column == other.column && descending == other.descending;
    }
};

// QTableWidget lists as the module's dialogs show them: read-only, rows 18 pixels high,
// whole rows selected, no row numbers; filled in bulk so that 100,000 rows take well
// under a second.
namespace KvTable {
constexpr int RowHeight = 18;

// Read-only list with these column headers, whole-row selection in the given mode, no
// vertical header and fixed 18-pixel rows. Sorting by the view stays off: the dialogs
// sort their rows themselves.
void setupList(QTableWidget* table, const QStringList& headers,
               QAbstractItemView::SelectionMode mode = QAbstractItemView::ExtendedSelection);

// One cell's content: text, or an integer shown and sorted as a number.
struct Cell
{
    Cell(const QString& text = QString()) : text(text) {}
    Cell(const char* text) : text(QString::fromUtf8(text)) {}
    static Cell number(qlonglong value)
    {
        Cell c;
        c.isNumber = true;
        c.value = value;
        return c;
    }
    QString text;
    bool isNumber = false;
    qlonglong value = 0;
};
using Row = QVector<Cell>;

// Replaces every row. Rows may be shorter than the table is wide (missing cells stay
// empty) or longer (the rest is dropped). No row is selected afterwards.
void setRows(QTableWidget* table, const QVector<Row>& rows);
// The same for rows of text.
void setTextRows(QTableWidget* table, const QVector<QStringList>& rows);
// The same for rows of one text each (in the first column).
void setTexts(QTableWidget* table, const QStringList& texts);

// Sorts the entries on the field the sort state names (split at `separator`, natural and
// case-ignoring order, see CDialogState::sortNames) and shows one row per entry, its
// fields in the columns. With an empty separator each entry is one cell and sorts whole.
// Returns the entries in the order shown.
QStringList fillSorted(QTableWidget* table, QStringList entries, const QString& separator,
                       const TableSortState& sort);

// The rows that hold a selected cell, in the order the selection lists them (the order the
// user selected them in), each once.
QList<int> selectedRows(const QTableWidget* table);

// Replaces every occurrence of `find` by `replacement` in the given cells' texts. An empty
// find text replaces nothing. Returns how many cells changed.
int replaceInCells(const QList<QTableWidgetItem*>& cells, const QString& find, const QString& replacement,
                   Qt::CaseSensitivity sensitivity);
} // namespace KvTable
