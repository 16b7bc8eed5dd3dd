#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Attribute files: tab-separated text whose first line holds the column titles and whose
// further lines hold one row each. There is no quoting; empty fields are kept; a row may
// have fewer fields than there are titles. The import string hands a header and chosen rows
// to the LISP side: records joined by "^", fields by one tab.
namespace KvAttributeFile {

struct Table
{
    QStringList titles;
    // Each row has at most as many fields as there are titles (the rest is dropped).
    QVector<QStringList> rows;
};

// Any bytes: decoded as UTF-8 when valid, else in the 8-bit code page; lines ended by LF,
// CR LF or CR. No bytes at all give no titles and no rows.
Table parse(const QByteArray& bytes);
// False when the file cannot be read; *table is then left alone.
bool read(const QString& path, Table* table);

// The header record, then one record per row.
QString importString(const QStringList& titles, const QVector<QStringList>& rows);

// The index of the first field that the import string cannot carry (one holding "^", a tab
// or a line end, which would split records or fields, or the state file's line), or -1.
int unsafeField(const QStringList& fields);

} // namespace KvAttributeFile
