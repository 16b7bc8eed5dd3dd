#pragma once

#include <QString>
#include <QStringList>

// Gives a new user the drawings the dialogs offer: title-block templates in <user folder>/Template
// and break-line symbols in <LOGFILEPATH>Korvane/BreakLine, and the command aliases in
// <user folder>/support/alias.xml. A folder (or the alias file) that exists already is the
// user's and is left as it is, so nothing a user put there, changed or removed is touched.
namespace SeedFolders {
// The folders made, with the files copied into them; problems go to *errors.
QStringList seed(const QString& userFolder, const QString& logFilePath, QStringList* errors);
} // namespace SeedFolders
