#pragma once

#include <QByteArray>
#include <QString>

namespace kvlisp {

// Text of a LISP source or of a line read from a file: UTF-8 (a byte-order mark is
// dropped; UTF-16 with a byte-order mark is recognised too). Bytes that are not valid
// UTF-8 are taken one character each (Latin-1), so that no byte is lost or replaced.
QString decodeText(const QByteArray& bytes);

} // namespace kvlisp
