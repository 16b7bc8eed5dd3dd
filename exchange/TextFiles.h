#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files the module writes for the user and the LISP side (block lists, style files,
// scripts, reports, alias lists, link lists): written whole or not at all, so a failed
// write never costs the file that was there.
namespace KvTextFile {
enum class Codec {
    Utf8,      // UTF-8 without a byte-order mark
    Utf8Bom,   // UTF-8 with a byte-order mark
    Local8Bit, // the platform's default encoding (the locale's codec)
};
enum class LineEnd { Lf, CrLf };

// The text in the codec (characters it cannot hold become "?"); no byte-order mark.
QByteArray encode(const QString& text, Codec codec);
// Every line followed by the line end, encoded; a mark first for Utf8Bom.
QByteArray encodeLines(const QStringList& lines, Codec codec, LineEnd lineEnd);

// Replaces the file by `bytes` atomically. False when anything failed; the old file is then
// untouched and *error (when given) says why, in words for the user.
bool writeBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// Replaces the file by the lines, each followed by the line end.
bool writeLines(const QString& path, const QStringList& lines, Codec codec, LineEnd lineEnd,
                QString* error = nullptr);
// Adds the lines at the end of the file (creating it when missing). The old bytes stay as
// they are; when the file is not empty and does not end with a line feed, one line end is
// added first so that no two lines run together. Atomic like writeBytes.
bool appendLines(const QString& path, const QStringList& lines, Codec codec, LineEnd lineEnd,
                 QString* error = nullptr);
// Adds bytes at the end of the file (creating it when missing), with the same line end
// first as appendLines when there is something to add. Atomic like writeBytes.
bool appendBytes(const QString& path, const QByteArray& bytes, LineEnd lineEnd, QString* error = nullptr);
} // namespace KvTextFile
