#pragma once

// Helpers the style and script dialog tests share.
#include <QItemSelectionModel>
#include <QStringList>
#include <QTableWidget>

// The table's rows as "a|b", top to bottom as shown.
inline QStringList tableRows(const QTableWidget* table)
{
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("<none>"));
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Selects the rows whose first cell shows these texts, one after another as a person
// control-clicks them (the first click replaces any selection).
inline void selectByText(QTableWidget* table, const QStringList& texts)
{
    bool first = true;
    for (const QString& text : texts) {
        const QList<QTableWidgetItem*> found = table->findItems(text, Qt::MatchExactly);
        if (found.isEmpty())
            continue;
        const QModelIndex index = table->model()->index(found.first()->row(), 0);
        table->selectionModel()->select(index, (first ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select)
                                                   | QItemSelectionModel::Rows);
        first = false;
    }
}
