#include "dialogs/exchange/ShapeFile.h"

#include "dialogs/exchange/HeaderLines.h"
#include "dialogs/exchange/TextDecodingStandIn.h"

QVector<ShapeFile::Header> ShapeFile::headers(const QString& text)
{
    QVector<Header> out;
    HeaderLines::forEach(text, [&out](const QVector<QStringRef>& fields) {
        out.append(Header{fields.at(0).toString(), fields.value(2).toString()});
    });
    return out;
}

QVector<ShapeFile::Header> ShapeFile::read(const QString& path)
{
    return headers(readDecodedFile(path));
}
