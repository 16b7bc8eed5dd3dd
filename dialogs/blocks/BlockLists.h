#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The block lists the block tools exchange with the LISP side, without any widget: the
// candidates of the replacement dialogs ("name^count"), the rows of the block information
// ("name;count"), its text export, and the drawing files a folder offers as references.
namespace KvBlockLists {

// A block that may take part in a replacement, with the attribute count the LISP side gave.
struct Candidate
{
    QString name;
    int count = 0;
};
// "name^count": the name up to the first "^", the count between the first and a second "^"
// (0 when missing or not a base-10 number). The name keeps its text exactly, digits and
// leading zeros included.
Candidate parseCandidate(const QString& entry);

// A row of the block information list: a name and its number of insertions.
struct InfoRow
{
    QString name;
    qlonglong count = 0;
};
// "name;count": true with the row when the count (the text between the first and a second
// ";", base 10) is above 0; rows with no count, a count of 0 or less, or one that is not a
// number are not shown.
bool parseInfoRow(const QString& text, InfoRow* row);

// The text export of a list of (name, count as shown) rows: a header line ("Name" padded to
// W - 2, a blank, "Instances"), then each name padded to W and the count after two blanks,
// where W is the length of the longest name plus 5. Lines without their line ends.
QStringList exportLines(const QVector<QPair<QString, QString>>& rows);
// Writes those lines with CR LF in the platform's 8-bit encoding, replacing the file only
// once the whole text is written. False with *error (in words for the user) when it failed;
// the old file is then as it was.
bool writeExport(const QString& path, const QVector<QPair<QString, QString>>& rows, QString* error = nullptr);

// Whether a file name is offered as a reference drawing: exactly one "." and "DWG" after it
// in any case ("a.dwg", "B.DWG"; not "c.dxf", "d.old.dwg" or "dwg").
bool isReferenceDrawingName(const QString& fileName);

// The value of a table's state line up to its first "^" (the whole value without one): the
// first row the table had selected.
QString firstSelectedName(const QString& tableValue);

} // namespace KvBlockLists
