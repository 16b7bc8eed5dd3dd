#include "dialogs/exchange/LineStyleFile.h"

#include "dialogs/exchange/HeaderLines.h"

#include <QFileInfo>

QVector<LineStyleFile::Header> LineStyleFile::headers(const QStringList& lines)
{
    QVector<Header> out;
    HeaderLines::forEach(lines, [&out](const QVector<QStringRef>& fields) {
        out.append(Header{fields.at(0).toString(), fields.value(1).toString()});
    });
    return out;
}

QVector<LineStyleFile::Header> LineStyleFile::read(const QString& path)
{
    return headers(HeaderLines::readLines(path));
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
    const QString first = HeaderLines::readLines(path).value(0);
    return first.trimmed().isEmpty() || first.startsWith(QLatin1Char('*'));
}
