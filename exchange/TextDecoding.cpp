#include "exchange/TextDecoding.h"

#include <QFile>
#include <QTextCodec>

namespace {

// The codec for bytes that are not UTF-8. A Unicode or 7-bit locale codec cannot stand in
// for a code page, so those fall back to the code page most such files are written in.
QTextCodec* eightBitCodec()
{
    QTextCodec* locale = QTextCodec::codecForLocale();
    const int mib = locale ? locale->mibEnum() : 0;
    const bool unicodeOrAscii = mib == 3 || mib == 106 || (mib >= 1013 && mib <= 1019);
    if (locale && !unicodeOrAscii)
        return locale;
    if (QTextCodec* windows1252 = QTextCodec::codecForName("Windows-1252"))
        return windows1252;
    return QTextCodec::codecForMib(4); // Latin-1 agrees with it outside 0x80-0x9F
}

} // namespace

QString kvDecodeText(const QByteArray& bytes)
{
    static const char bom[] = "\xEF\xBB\xBF";
    const int skip = bytes.startsWith(bom) ? 3 : 0;
    const char* data = bytes.constData() + skip;
    const int size = bytes.size() - skip;

    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString utf8 = QTextCodec::codecForMib(106)->toUnicode(data, size, &state);
    // A sequence cut off at the end counts as invalid too.
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return utf8;
    return eightBitCodec()->toUnicode(data, size);
}

QStringList kvTextLines(const QString& text)
{
    QStringList lines;
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool kvReadTextFile(const QString& path, QString* text, QString* errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    if (text)
        *text = kvDecodeText(bytes);
    return true;
}
