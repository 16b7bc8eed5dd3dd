#include "dialogs/exchange/SettingsScript.h"

#include "dialogs/exchange/TextDecodingStandIn.h"

namespace {

void appendColoured(QString& out, const QStringList& lines, const char* colour)
{
    for (const QString& line : lines) {
        out += QLatin1String("<span style='color: ");
        out += QLatin1String(colour);
        out += QLatin1String("; '>");
        out += line.toHtmlEscaped();
        out += QLatin1String("</span><br>");
    }
}

} // namespace

SettingsScript::SettingsScript(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (line.contains(QLatin1String("read-only")))
            m_readOnly.append(line);
        else if (line.contains(QLatin1String("dangerous")))
            m_dangerous.append(line);
        else
            m_standard.append(line);
    }
}

QStringList SettingsScript::splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    // The line end of the last line starts no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

SettingsScript SettingsScript::read(const QString& path)
{
    return SettingsScript(splitLines(readDecodedFile(path)));
}

QStringList SettingsScript::lines(int filter) const
{
    switch (filter) {
    case All:
        return m_readOnly + m_dangerous + m_standard;
    case ReadOnly:
        return m_readOnly;
    case Dangerous:
        return m_dangerous;
    case Standard:
        return m_standard;
    default:
        return QStringList();
    }
}

QString SettingsScript::html(int filter) const
{
    QString out = QStringLiteral("<div style='white-space: pre-wrap;'>");
    if (filter == All || filter == ReadOnly)
        appendColoured(out, m_readOnly, "#343434");
    if (filter == All || filter == Dangerous)
        appendColoured(out, m_dangerous, "#FF0000");
    if (filter == All || filter == Standard)
        appendColoured(out, m_standard, "#0066FF");
    out += QLatin1String("</div>");
    return out;
}
