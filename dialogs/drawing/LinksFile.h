#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The links file the hyperlink list shares with the LISP side: one line per link,
// "id^url^type^space" (the entity's identifier, the URL, the entity type and the space it
// lies in), and after the links one line "REMOVE^id" per link the user removed. Written
// with CR LF after every line, in the platform's default encoding.
namespace KvLinksFile {
struct Link
{
    QString id;
    QString url;
    QString type;
    QString space;
    bool operator==(const Link& other) const
    {
        return id == other.id && url == other.url && type == other.type && space == other.space;
    }
};

// The links of a file's bytes, in order. Any bytes are accepted: a line with fewer fields
// leaves the others empty, the last field keeps any further "^", empty lines give nothing.
QVector<Link> parse(const QByteArray& bytes);
// The links of the file; none when it cannot be read.
QVector<Link> read(const QString& path);

// A URL as one field of a line: "^" and line breaks percent-encoded, so that what the user
// typed can neither shift the fields nor start a new line.
QString encodeUrl(const QString& url);
// The file's bytes: the links, then one "REMOVE^id" line per removed identifier.
QByteArray encode(const QVector<Link>& links, const QStringList& removedIds);
// Replaces the file atomically; false (with *error for the user) leaves it as it was.
bool write(const QString& path, const QVector<Link>& links, const QStringList& removedIds,
           QString* error = nullptr);
} // namespace KvLinksFile
