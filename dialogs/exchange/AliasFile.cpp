#include "dialogs/exchange/AliasFile.h"

#include "exchange/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
// Leaves out what XML 1.0 cannot carry (control characters, unpaired surrogates, U+FFFE and
// U+FFFF): written as they are, they would make the next read of the file fail.
QString xmlSafe(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            safe.append(c);
            safe.append(text.at(++i));
            continue;
        }
        const ushort u = c.unicode();
        const bool allowed = u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xD7FF) || (u >= 0xE000 && u <= 0xFFFD);
        if (allowed)
            safe.append(c);
    }
    return safe;
}
} // namespace

AliasFile::ReadResult AliasFile::parse(const QByteArray& bytes)
{
    ReadResult result;
    QXmlStreamReader xml(bytes);
    const QString recordName = QStringLiteral("record");
    const QString commandName = QStringLiteral("command");
    const QString aliasName = QStringLiteral("alias");
    // Elements entered and not yet left; the root's end tag ends the reading, whatever
    // follows it.
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == recordName) {
                const QXmlStreamAttributes attributes = xml.attributes();
                result.records.append({attributes.value(commandName).toString(), attributes.value(aliasName).toString()});
                xml.skipCurrentElement();
                if (depth == 0)
                    break;
            } else {
                ++depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (--depth <= 0)
                break;
        }
    }
    if (xml.hasError()) {
        result.status = ReadStatus::Malformed;
        result.error = xml.errorString();
    }
    return result;
}

AliasFile::ReadResult AliasFile::read(const QString& path)
{
    QFile file(path);
    // Only plain files: a pipe would wait for a writer, a device never end.
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        ReadResult result;
        result.status = ReadStatus::Unreadable;
        result.error = file.errorString();
        return result;
    }
    return parse(file.readAll());
}

QByteArray AliasFile::serialize(const Records& rows)
{
    QByteArray bytes;
    {
        QXmlStreamWriter xml(&bytes);
        xml.setAutoFormatting(true);
        xml.setAutoFormattingIndent(4);
        xml.writeStartElement(QStringLiteral("aliases"));
        for (const Record& row : rows) {
            const QString command = xmlSafe(row.command.toUpper());
            const QString alias = xmlSafe(row.alias.toUpper());
            if (command.isEmpty() || alias.isEmpty())
                continue;
            xml.writeEmptyElement(QStringLiteral("record"));
            xml.writeAttribute(QStringLiteral("command"), command);
            xml.writeAttribute(QStringLiteral("alias"), alias);
        }
        xml.writeEndElement();
        xml.writeEndDocument();
    }
    // Without a declaration the writer still breaks the line before the root element.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
#ifdef Q_OS_WIN
    // Line breaks inside values are written as character references, so every "\n" here
    // ends a line.
    bytes.replace("\n", "\r\n");
#endif
    return bytes;
}

bool AliasFile::write(const QString& path, const Records& rows, QString* error)
{
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("No file name");
        return false;
    }
    return KvTextFile::writeBytes(path, serialize(rows), error);
}
