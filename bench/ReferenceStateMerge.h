#pragma once

#include <QStringList>

// The plain way of merging state-file lines into state lines, line by line: every state
// line that begins with the file line's key and "=", ignoring case, is replaced by the file
// line; a file line that replaced nothing is appended. Quadratic; kept as the reference
// the production merge is measured and checked against.
inline void referenceStateMerge(QStringList& stateLines, const QStringList& fileLines)
{
    for (const QString& line : fileLines) {
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = (eq < 0 ? line : line.left(eq)).toLower();
        const QString prefix = key + QLatin1Char('=');
        bool replaced = false;
        for (QString& state : stateLines) {
            if (state.left(prefix.size()).toLower() == prefix) {
                state = line;
                replaced = true;
            }
        }
        if (!replaced)
            stateLines.append(line);
    }
}
