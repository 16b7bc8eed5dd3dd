#pragma once

#include "exchange/TextDecoding.h"

#include <QString>
#include <QStringList>
#include <QStringRef>
#include <QVector>

// Line style (.lin) and shape (.shp) sources list their entries on header lines: lines that
// begin with "*", split at every comma. The rest (patterns, shape bytes, comments) does not
// concern the dialogs that list them.
namespace HeaderLines {

// The lines of a text file in its own code page; none when it cannot be read.
inline QStringList readLines(const QString& path)
{
    QString text;
    if (path.isEmpty() || !kvReadTextFile(path, &text, nullptr))
        return QStringList();
    return kvTextLines(text);
}

// Calls visit(fields) for every header line, fields split at "," with the first one's "*"
// removed.
template <class Visit>
void forEach(const QStringList& lines, Visit visit)
{
    for (const QString& line : lines)
        if (line.startsWith(QLatin1Char('*')))
            visit(line.midRef(1).split(QLatin1Char(',')));
}

} // namespace HeaderLines
