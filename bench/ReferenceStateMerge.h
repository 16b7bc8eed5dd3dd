#pragma once

#include "exchange/DialogState.h"

#include <QStringList>

// The plain way of merging state-file lines into state lines, line by line: every state
// line that begins with the file line's key and "=", ignoring case, is replaced by the file
// line; a file line that replaced nothing is appended. Quadratic; kept as the reference
// the production merge is measured and checked against.
inline void referenceStateMerge(QStringList& stateLines, const QStringList& fileLines)
{
    for (const QString& line : fileLines) {
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = CDialogState::lowerKey(eq < 0 ? QStringView(line) : QStringView(line).left(eq));
        const QString prefix = key + QLatin1Char('=');
        bool replaced = false;
        for (QString& state : stateLines) {
            if (CDialogState::lowerKey(QStringView(state).left(prefix.size())) == prefix) {
                state = line;
                replaced = true;
            }
        }
        if (!replaced)
            stateLines.append(line);
    }
}
