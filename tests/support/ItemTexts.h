#pragma once

#include <QStringList>
#include <QTableWidget>

// The texts of one column of a table, top to bottom (empty for a cell without an item).
inline QStringList columnTexts(const QTableWidget* table, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* item = table->item(row, column);
        texts << (item ? item->text() : QString());
    }
    return texts;
}
