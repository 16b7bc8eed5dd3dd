#pragma once

// Helpers the style and script dialog tests share.
#include "ItemTexts.h"

#include <QItemSelectionModel>
#include <QStringList>
#include <QTableWidget>

// The table's rows as "a|b", top to bottom as shown.
inline QStringList tableRows(const QTableWidget* table)
{
    return rowTexts(table);
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
