#include "SeedFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

// Copies the seed resource folder `from` into `to` when `to` does not exist yet.
bool seedFolder(const QString& from, const QString& to, QStringList* errors)
{
    if (QFileInfo::exists(to))
        return false;
    if (!QDir().mkpath(to)) {
        errors->append(QStringLiteral("cannot make the folder %1").arg(to));
        return false;
    }
    QDirIterator it(from, QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(it.fileName());
        if (!QFile::copy(source, target)) {
            errors->append(QStringLiteral("cannot copy %1 to %2").arg(it.fileName(), to));
            continue;
        }
        // Files copied out of the resources are read-only; the user may replace them.
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return true;
}

} // namespace

QStringList SeedFolders::seed(const QString& userFolder, const QString& logFilePath, QStringList* errors)
{
    QStringList made;
    const QString templates = QDir(userFolder).filePath(QStringLiteral("Template"));
    if (seedFolder(QStringLiteral(":/seed/Template"), templates, errors))
        made << templates;
    const QString symbols = QDir(logFilePath).filePath(QStringLiteral("Korvane/BreakLine"));
    if (seedFolder(QStringLiteral(":/seed/BreakLine"), symbols, errors))
        made << symbols;
    // The host's command aliases, kept with its support files; a file there is the user's.
    const QString aliases = QDir(userFolder).filePath(QStringLiteral("support/alias.xml"));
    if (!QFileInfo::exists(aliases)) {
        QDir().mkpath(QFileInfo(aliases).absolutePath());
        if (QFile::copy(QStringLiteral(":/seed/support/alias.xml"), aliases)) {
            QFile::setPermissions(aliases, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            made << aliases;
        } else {
            errors->append(QStringLiteral("cannot copy alias.xml to %1").arg(QFileInfo(aliases).absolutePath()));
        }
    }
    return made;
}
