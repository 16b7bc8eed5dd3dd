#include "LispText.h"

#include <QTextCodec>

namespace kvlisp {

namespace {

QString decodeUtf8(const QByteArray& bytes)
{
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    if (!utf8)
        return QString::fromLatin1(bytes);
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return QString::fromLatin1(bytes);
    return text;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (QTextCodec* utf16 = QTextCodec::codecForName("UTF-16"))
            return utf16->toUnicode(bytes);
    }
    return decodeUtf8(bytes);
}

} // namespace kvlisp
