#pragma once

#include <QAbstractItemView>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

class QEvent;
class QItemSelection;
class QTableWidget;

// What the dimension style export and import dialogs show alike: the list of styles and
// the variables of one style, each a read-only table sorted by its first column in the order
// its header shows (a header click sorts again).
namespace DimStyleView {
// One row per name, in the order given before sorting. headers: the column labels
// separated by ";".
void showStyles(QTableWidget* table, const QString& headers, const QStringList& names,
                QAbstractItemView::SelectionMode mode);
// The variable rows of a style's collected lines (DimStyleFile::variableRows).
void showVariables(QTableWidget* table, const QString& headers, const QStringList& collected,
                   QAbstractItemView::SelectionMode mode);
void clearRows(QTableWidget* table);
// For the dialogs' event filters: giving the focus to a table that has rows but no
// selection selects its first row.
void selectFirstRowOnFocus(QObject* watched, QEvent* event);
} // namespace DimStyleView

// The order in which the rows of a style list were selected, kept also when the list is
// sorted again afterwards (a re-sort lists the selection in row order).
class SelectionOrder final : public QObject
{
    Q_OBJECT
public:
    explicit SelectionOrder(QTableWidget* table);
    // Call after the table was filled by DimStyleView::showStyles.
    void reset();
    // The first-column texts of the selected rows, in the order they were selected.
    QStringList selectedTexts() const;

private:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

    QPointer<QTableWidget> m_table;
    QVector<int> m_order; // row ids (their place in the list as filled), first selected first
};
