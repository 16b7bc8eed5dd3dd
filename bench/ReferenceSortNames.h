#pragma once

#include <QCollator>
#include <QStringList>
#include <algorithm>

// Sorting entries by one ";"-style field the plain way: every comparison splits both entries
// at the separator and compares their fields with the collator. Kept as the reference the
// production sort is measured and checked against. A missing field compares as empty.
inline void referenceSortNames(QStringList& names, const QString& separator, int field, bool descending,
                               const QCollator& collator)
{
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const QString fieldA = a.split(separator).value(field);
        const QString fieldB = b.split(separator).value(field);
        const int c = collator.compare(fieldA, fieldB);
        return descending ? c > 0 : c < 0;
    });
}

// Entries as the block dialogs sort them: block names in mixed case with numbers in them,
// followed by further ";"-separated fields (a count, a layer). Deterministic for a seed.
inline QStringList sampleBlockEntries(int count, unsigned seed)
{
    static const char* const stems[] = {"Door", "door", "WINDOW", "Window", "B", "b", "Title-Block", "title_block",
                                        "Arrow", "NORTH", "north", "Symbol ", "A", "a", "Grün", "Zone"};
    unsigned state = seed * 2654435761u + 1u;
    auto next = [&state](unsigned range) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % range;
    };
    QStringList entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromUtf8(stems[next(sizeof stems / sizeof *stems)]);
        switch (next(5)) {
        case 0: name += QString::number(next(2000)); break;
        case 1: name += QString::number(next(30)) + QLatin1Char('-') + QString::number(next(300)); break;
        case 2: name += QStringLiteral("0") + QString::number(next(100)); break;
        case 3: name = QString::number(next(1000)) + name; break;
        default: break;
        }
        entries << name + QLatin1Char(';') + QString::number(next(60)) + QLatin1Char(';')
                       + QStringLiteral("Layer%1").arg(next(12));
    }
    return entries;
}
