#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files written elsewhere (LISP sources, symbol files, style and shape files) come in
// UTF-8 or in an 8-bit code page. These helpers read them without turning every letter
// outside ASCII into a replacement character. No widgets: readers and tests share them.

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is dropped); otherwise the
// locale's 8-bit codec, or Windows-1252 when the locale has none (a UTF-8 or ASCII locale).
QString kvDecodeText(const QByteArray& bytes);

// The lines of a text, ended by "\r\n", "\n" or a lone "\r". A line end at the very end
// gives no extra empty line; an empty text has no lines.
QStringList kvTextLines(const QString& text);

// Reads a whole file and decodes it as kvDecodeText does. On failure returns false, leaves
// *text alone and puts the file system's error text into *errorText.
bool kvReadTextFile(const QString& path, QString* text, QString* errorText);
