#include "dialogs/lisp/LispSourceParser.h"

#include <QFile>
#include <QTextStream>

namespace {

const QStringView kDefun(u"defun");

// Finds the first "(" + blanks + "defun" + at least one blank at or after `from`; blanks are
// whatever QChar::isSpace() accepts. Each "(" looks only at the blank run right after it, and
// such runs never overlap, so a scan over a line stays linear.
bool findDefinitionStart(QStringView text, qsizetype from, qsizetype* start, qsizetype* end)
{
    const qsizetype n = text.size();
    const QChar* s = text.data();
    for (qsizetype i = from; i < n; ++i) {
        if (s[i] != QLatin1Char('('))
            continue;
        qsizetype j = i + 1;
        while (j < n && s[j].isSpace())
            ++j;
        if (n - j < kDefun.size() || text.mid(j, kDefun.size()) != kDefun)
            continue;
        j += kDefun.size();
        qsizetype k = j;
        while (k < n && s[k].isSpace())
            ++k;
        if (k == j)
            continue;
        *start = i;
        *end = k;
        return true;
    }
    return false;
}

// Line text without its comment. The cut does not know about strings: a ";" inside a string
// ends the code of the line too, and the depth count follows that.
QStringView codeOf(const QString& line)
{
    const int semicolon = line.indexOf(QLatin1Char(';'));
    return semicolon < 0 ? QStringView(line) : QStringView(line).left(semicolon);
}

bool containsDefinitionStart(QStringView code)
{
    qsizetype start = 0;
    qsizetype end = 0;
    return findDefinitionStart(code, 0, &start, &end);
}

// Empty lines and comment lines may belong to the header of the next definition; a line of
// blanks only does not (it is neither empty nor a comment).
bool isHeaderLine(const QString& line)
{
    if (line.isEmpty())
        return true;
    for (const QChar c : line) {
        if (!c.isSpace())
            return c == QLatin1Char(';');
    }
    return false;
}

QStringList expandTabs(QStringList lines)
{
    for (QString& line : lines) {
        if (line.contains(QLatin1Char('\t'))) // replace() sets up a matcher even when none is found
            line.replace(QLatin1Char('\t'), QLatin1String("    "));
    }
    return lines;
}

// The parse state between lines; one feed() per line of the file.
class RecordBuilder
{
public:
    void feed(const QString& line)
    {
        const QStringView code = codeOf(line);
        const bool opensDefinition = m_depth == 0 && containsDefinitionStart(code);
        if (m_depth == 0 && !opensDefinition) {
            if (isHeaderLine(line))
                m_header.append(line);
            else
                m_header.clear();
            return;
        }
        if (opensDefinition) {
            m_definition = line;
            m_name = LispSourceParser::nameOf(line);
        } else {
            m_body.append(line);
        }
        for (const QChar c : code) {
            if (c == QLatin1Char('('))
                ++m_depth;
            else if (c == QLatin1Char(')'))
                --m_depth;
        }
        if (m_depth == 0) {
            LispFunctionRecord record;
            record.name = std::move(m_name);
            record.headerLines = expandTabs(std::move(m_header));
            record.definitionLine = std::move(m_definition);
            record.bodyLines = expandTabs(std::move(m_body));
            m_records.append(std::move(record));
            m_name.clear();
            m_header.clear();
            m_definition.clear();
            m_body.clear();
        }
    }

    // A definition still open at the end of the file never balanced: it gives no record.
    QVector<LispFunctionRecord> take() { return std::move(m_records); }

private:
    QVector<LispFunctionRecord> m_records;
    QStringList m_header;
    QStringList m_body;
    QString m_definition;
    QString m_name;
    qint64 m_depth = 0; // 64 bits: a file of millions of "(" must not wrap the count
};

} // namespace

QVector<LispFunctionRecord> LispSourceParser::parse(const QStringList& lines)
{
    RecordBuilder builder;
    for (const QString& line : lines)
        builder.feed(line);
    return builder.take();
}

QVector<LispFunctionRecord> LispSourceParser::parse(QTextStream& stream)
{
    RecordBuilder builder;
    QString line;
    while (stream.readLineInto(&line))
        builder.feed(line);
    return builder.take();
}

bool LispSourceParser::parseFile(const QString& path, QVector<LispFunctionRecord>* records,
                                 QString* errorText)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QVector<LispFunctionRecord> parsed = parse(stream);
    if (records)
        *records = std::move(parsed);
    return true;
}

QString LispSourceParser::text(const LispFunctionRecord& record, View view)
{
    QStringList lines;
    if (view != View::FunctionOnly)
        lines += record.headerLines;
    lines.append(record.definitionLine);
    if (view != View::HeaderOnly)
        lines += record.bodyLines;
    return lines.join(QLatin1Char('\n'));
}

QString LispSourceParser::nameOf(const QString& definitionLine)
{
    // Every definition start on the line goes, comment included, before the name is cut.
    QString rest;
    rest.reserve(definitionLine.size());
    qsizetype from = 0;
    qsizetype start = 0;
    qsizetype end = 0;
    while (findDefinitionStart(definitionLine, from, &start, &end)) {
        rest += QStringView(definitionLine).mid(from, start - from);
        from = end;
    }
    rest += QStringView(definitionLine).mid(from);

    for (int i = 0; i < rest.size(); ++i) {
        if (rest.at(i).isSpace() || rest.at(i) == QLatin1Char('(')) {
            rest.truncate(i);
            break;
        }
    }
    return rest;
}
