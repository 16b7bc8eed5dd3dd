#include "dialogs/exchange/LineStyleFile.h"

#include "dialogs/exchange/HeaderLines.h"
#include "dialogs/exchange/TextDecodingStandIn.h"

#include <QFileInfo>

QVector<LineStyleFile::Header> LineStyleFile::headers(const QString& text)
{
    QVector<Header> out;
    HeaderLines::forEach(text, [&out](const QVector<QStringRef>& fields) {
        out.append(Header{fields.at(0).toString(), fields.value(1).toString()});
    });
    return out;
}

QVector<LineStyleFile::Header> LineStyleFile::read(const QString& path)
{
    return headers(readDecodedFile(path));
}

bool LineStyleFile::isAcceptable(const QString& path)
{
    if (!path.contains(QLatin1String(".lin"), Qt::CaseInsensitive))
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return false;
    const QString text = readDecodedFile(path);
    const QStringRef first = text.leftRef(text.indexOf(QLatin1Char('\n')));
    return first.trimmed().isEmpty() || first.startsWith(QLatin1Char('*'));
}
