#pragma once

#include "exchange/TableFiller.h"

#include <QAbstractItemView>
#include <QString>
#include <QStringList>

class CDialogState;
class QTableWidget;

// The name lists of the block replacement dialogs: one "Name" column, sorted by the
// table's own sort state, a selection that drives a preview, and the stored selections
// applied again when the LISP side comes back from picking.
namespace KvBlockTables {

// The names sorted naturally and ignoring case on the field of the sort state's column (the
// names split at ";"): B2 before B10, "007" before "10". Every name keeps its exact text.
QStringList sortedNames(QStringList names, const TableSortState& sort);
// Shows one row per name, in the order given. No row is selected afterwards.
void showNames(QTableWidget* table, const QString& header, const QStringList& names, const TableSortState& sort,
               QAbstractItemView::SelectionMode mode);
// Both: the names sorted as the sort state says, one row each.
void fillNames(QTableWidget* table, const QString& header, const QStringList& names, const TableSortState& sort,
               QAbstractItemView::SelectionMode mode);
// Shows in the header which column sorts the rows and which way.
void showSortIndicator(QTableWidget* table, const TableSortState& sort);
void selectFirstRow(QTableWidget* table);
// The first cell's text of the one selected row; null when no row or several are selected.
QString onlySelectedName(const QTableWidget* table);
bool hasSelectedRow(const QTableWidget* table);
// Stored control values go to the controls on a dialog's first show, and again when the
// LISP side comes back from picking blocks (stored action "SETBLOCKS").
bool wantsStoredValues(const CDialogState& state);

} // namespace KvBlockTables
