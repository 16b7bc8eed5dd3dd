#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// Reading and writing whole files in tests, byte for byte.
inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Writes the file, making its folder first when it is missing.
inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The byte-order mark the module writes at the start of every state file.
inline const QByteArray& utf8Bom()
{
    static const QByteArray bom("\xEF\xBB\xBF");
    return bom;
}

// A UTF-8 file's lines without the byte-order mark and without empty lines.
inline QStringList fileLines(const QString& path)
{
    QByteArray bytes = readBytes(path);
    if (bytes.startsWith(utf8Bom()))
        bytes.remove(0, utf8Bom().size());
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
