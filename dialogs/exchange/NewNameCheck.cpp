#include "dialogs/exchange/NewNameCheck.h"

#include "exchange/DialogCommon.h"

#include <QMessageBox>

bool NewNameCheck::accepts(QWidget* parent, const QString& path, const QString& name, const QStringList& existing) const
{
    auto refuse = [&](const QString& message) {
        kvInformation(parent, title, message);
        return false;
    };
    // A path of blanks names no file either.
    if (path.trimmed().isEmpty())
        return refuse(noFile);
    if (name.isEmpty())
        return refuse(noName);
    if (name.contains(QLatin1Char(' ')))
        return refuse(blank);
    // Names cannot hold blanks, so blanks around a name in the file are no part of it.
    for (const QString& known : existing) {
        if (known.trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return QMessageBox::question(parent, title, replace, QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes;
    }
    return true;
}
