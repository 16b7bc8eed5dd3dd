#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A line style (.lin) file as the line style maker reads it: the header line of each style,
// "*name,description".
namespace LineStyleFile {

struct Header
{
    QString name;        // the first field without its "*"
    QString description; // the second field; empty when the header has no comma
};

QVector<Header> headers(const QStringList& lines);
// The headers of a file; none when it cannot be read.
QVector<Header> read(const QString& path);

// Whether a chosen path may serve as a line style file: its name holds ".lin" (any case),
// and it is a new file, or one whose first line is blank or a header. A folder never is.
bool isAcceptable(const QString& path);

} // namespace LineStyleFile
