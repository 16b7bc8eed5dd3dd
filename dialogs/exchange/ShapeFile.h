#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A shape source (.shp) file as the shape maker reads it: the header line of each shape,
// "*number,bytes,name".
namespace ShapeFile {

struct Header
{
    QString number; // the first field without its "*", as written
    QString name;   // the third field; empty when the header has fewer
};

QVector<Header> headers(const QStringList& lines);
// The headers of a file; none when it cannot be read.
QVector<Header> read(const QString& path);

} // namespace ShapeFile
