#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The command alias file (alias.xml), also the format of alias exports and imports:
//   <aliases>
//       <record command="LINE" alias="L"/>
//   </aliases>
// UTF-8 without an XML declaration, one element per line, line ends of the platform.
namespace AliasFile {

struct Record
{
    QString command;
    QString alias;
    bool operator==(const Record& other) const { return command == other.command && alias == other.alias; }
};
using Records = QVector<Record>;

enum class ReadStatus {
    Ok,
    Unreadable, // the file could not be opened
    Malformed,  // not well-formed XML; the records before the fault were read
};

struct ReadResult
{
    ReadStatus status = ReadStatus::Ok;
    Records records;
    // The XML reader's own words for a malformed file.
    QString error;
};

// Reads the records of any XML document: every "record" element wherever it stands (the
// root too), its "command" and "alias" attributes as written (an absent one is empty).
// Other elements are entered; reading ends with the root element.
ReadResult parse(const QByteArray& bytes);
ReadResult read(const QString& path);

// The file for these rows, in their order: both values upper-cased; a row whose command or
// alias is then empty is left out. Characters XML cannot hold are dropped, so that what is
// written can always be read back.
QByteArray serialize(const Records& rows);
// Replaces the file atomically; false (the old file untouched) when that failed.
bool write(const QString& path, const Records& rows, QString* error = nullptr);

} // namespace AliasFile
