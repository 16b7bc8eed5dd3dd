#include "dialogs/exchange/SettingsScript.h"

#include "exchange/TextDecoding.h"

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

SettingsScript SettingsScript::read(const QString& path)
{
    QString text;
    if (path.isEmpty() || !kvReadTextFile(path, &text, nullptr))
        return SettingsScript();
    return SettingsScript(kvTextLines(text));
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
