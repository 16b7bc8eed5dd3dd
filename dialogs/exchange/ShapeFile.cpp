#include "dialogs/exchange/ShapeFile.h"

#include "dialogs/exchange/HeaderLines.h"

QVector<ShapeFile::Header> ShapeFile::headers(const QStringList& lines)
{
    QVector<Header> out;
    HeaderLines::forEach(lines, [&out](const QVector<QStringRef>& fields) {
        out.append(Header{fields.at(0).toString(), fields.value(2).toString()});
    });
    return out;
}

QVector<ShapeFile::Header> ShapeFile::read(const QString& path)
{
    return headers(HeaderLines::readLines(path));
}
