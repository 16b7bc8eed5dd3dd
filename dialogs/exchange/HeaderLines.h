#pragma once

#include <QString>
#include <QStringRef>
#include <QVector>

// Line style (.lin) and shape (.shp) sources list their entries on header lines: lines that
// begin with "*", split at every comma. The rest (patterns, shape bytes, comments) does not
// concern the dialogs that list them.
namespace HeaderLines {

// Calls visit(fields) for every header line of the text, fields split at "," with the first
// one's "*" removed. Lines end at LF or CR LF.
template <class Visit>
void forEach(const QString& text, Visit visit)
{
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        if (text.at(start) == QLatin1Char('*')) {
            int length = end - start - 1;
            if (length > 0 && end < text.size() && text.at(end - 1) == QLatin1Char('\r'))
                --length;
            visit(text.midRef(start + 1, length).split(QLatin1Char(',')));
        }
        start = end + 1;
    }
}

} // namespace HeaderLines
