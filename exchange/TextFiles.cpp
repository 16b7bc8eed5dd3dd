#include "exchange/TextFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

namespace {
QTextCodec* codecFor(KvTextFile::Codec codec)
{
    if (codec == KvTextFile::Codec::Local8Bit)
        return QTextCodec::codecForLocale();
    return QTextCodec::codecForMib(106); // UTF-8
}

QString translate(const char* text)
{
    return QCoreApplication::translate("KvTextFile", text);
}
} // namespace

QByteArray KvTextFile::encode(const QString& text, Codec codec)
{
    QTextCodec* c = codecFor(codec);
    return c ? c->fromUnicode(text) : text.toUtf8();
}

QByteArray KvTextFile::encodeLines(const QStringList& lines, Codec codec, LineEnd lineEnd)
{
    const QString end = lineEnd == LineEnd::CrLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    int size = 0;
    for (const QString& line : lines)
        size += line.size() + end.size();
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += end;
    }
    QByteArray bytes = encode(text, codec);
    if (codec == Codec::Utf8Bom)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool KvTextFile::writeBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = translate("Cannot write \"%1\": %2").arg(path, why);
        return false;
    };
    if (path.isEmpty())
        return fail(translate("no file name"));
    QSaveFile file(path);
    // Never fall back to writing the file in place: a failure half-way would cost it.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool KvTextFile::writeLines(const QString& path, const QStringList& lines, Codec codec, LineEnd lineEnd,
                            QString* error)
{
    return writeBytes(path, encodeLines(lines, codec, lineEnd), error);
}

bool KvTextFile::appendLines(const QString& path, const QStringList& lines, Codec codec, LineEnd lineEnd,
                             QString* error)
{
    // A mark belongs at the start of a file only.
    const Codec body = codec == Codec::Utf8Bom && QFileInfo(path).size() > 0 ? Codec::Utf8 : codec;
    return appendBytes(path, encodeLines(lines, body, lineEnd), lineEnd, error);
}

bool KvTextFile::appendBytes(const QString& path, const QByteArray& bytes, LineEnd lineEnd, QString* error)
{
    QByteArray all;
    QFile old(path);
    if (old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            if (error)
                *error = translate("Cannot read \"%1\": %2").arg(path, old.errorString());
            return false;
        }
        all = old.readAll();
        old.close();
    }
    if (!all.isEmpty() && !all.endsWith('\n') && !bytes.isEmpty())
        all += lineEnd == LineEnd::CrLf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    all += bytes;
    return writeBytes(path, all, error);
}
