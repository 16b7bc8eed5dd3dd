#include "dialogs/drawing/LinksFile.h"

#include "exchange/Records.h"
#include "exchange/TextDecoding.h"
#include "exchange/TextFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QChar Separator = QLatin1Char('^');
} // namespace

QVector<KvLinksFile::Link> KvLinksFile::parse(const QByteArray& bytes)
{
    QVector<Link> links;
    const QStringList lines = kvTextLines(kvDecodeText(bytes));
    links.reserve(lines.size());
    for (const QString& line : lines) {
        // A blank line is no link: shown, it would come back as "^^^".
        if (line.isEmpty())
            continue;
        const QStringList f = KvRecords::split(line, Separator, 4);
        links.append({f.at(0), f.at(1), f.at(2), f.at(3)});
    }
    return links;
}

QVector<KvLinksFile::Link> KvLinksFile::read(const QString& path)
{
    // Only a plain file: a pipe or a device named here would never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

QString KvLinksFile::encodeUrl(const QString& url)
{
    QString out = url;
    out.replace(Separator, QLatin1String("%5E"));
    out.replace(QLatin1Char('\r'), QLatin1String("%0D"));
    out.replace(QLatin1Char('\n'), QLatin1String("%0A"));
    return out;
}

QByteArray KvLinksFile::encode(const QVector<Link>& links, const QStringList& removedIds)
{
    QStringList lines;
    lines.reserve(links.size() + removedIds.size());
    for (const Link& link : links)
        lines.append(KvRecords::join({link.id, encodeUrl(link.url), link.type, link.space}, Separator));
    for (const QString& id : removedIds)
        lines.append(QStringLiteral("REMOVE^") + id);
    return KvTextFile::encodeLines(lines, KvTextFile::Codec::Local8Bit, KvTextFile::LineEnd::CrLf);
}

bool KvLinksFile::write(const QString& path, const QVector<Link>& links, const QStringList& removedIds,
                        QString* error)
{
    return KvTextFile::writeBytes(path, encode(links, removedIds), error);
}
