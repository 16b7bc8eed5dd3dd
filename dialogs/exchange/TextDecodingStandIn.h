#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTextCodec>

// Text of files written elsewhere: UTF-8 when the bytes are valid UTF-8, otherwise the 8-bit
// locale codec (Windows-1252 when the locale's codec is UTF-8 itself).
inline QString kvDecodeText(const QByteArray& bytes)
{
    QTextCodec::ConverterState state;
    const QString utf8 = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return utf8;
    QTextCodec* codec = QTextCodec::codecForLocale();
    if (!codec || codec->mibEnum() == 106)
        codec = QTextCodec::codecForName("Windows-1252");
    return codec->toUnicode(bytes);
}

// The decoded text of a file, without a byte-order mark; empty when it cannot be read.
inline QString readDecodedFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QString();
    QString text = kvDecodeText(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}
