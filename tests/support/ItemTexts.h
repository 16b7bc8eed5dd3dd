#pragma once

#include <QComboBox>
#include <QListWidget>
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

// The rows of a table as "a|b|c" ("<none>" for a cell without an item).
inline QStringList rowTexts(const QTableWidget* table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << (table->item(row, column) ? table->item(row, column)->text() : QStringLiteral("<none>"));
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The texts of a list's items, top to bottom.
inline QStringList itemTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// The texts of a combo box's items.
inline QStringList itemTexts(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}
