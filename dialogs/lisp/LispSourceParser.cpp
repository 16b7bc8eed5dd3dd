#include "dialogs/lisp/LispSourceParser.h"

#include "exchange/TextDecoding.h"

namespace {

// Where the scan stands at a character: in code, or inside something that holds no code.
// Strings and block comments run over line ends, so the mode carries from line to line.
enum class Mode { Code, String, BlockComment };

// What one line holds, seen with the mode it starts in.
struct LineScan
{
    bool hasCode = false;    // any character of code but blanks (strings count as code)
    bool hasComment = false; // any comment text, or the line lies in a block comment
    qint64 depthChange = 0;  // "(" minus ")" in the code
    int nameStart = -1;      // where the name after the first definition start begins
};

bool isDefun(const QString& line, int at)
{
    static const char defun[] = "defun";
    if (line.size() - at < 5)
        return false;
    for (int i = 0; i < 5; ++i) {
        if (line.at(at + i).toLower() != QLatin1Char(defun[i]))
            return false;
    }
    return true;
}

// The name start after a definition start at the "(" at `open`: "(" + blanks + "defun" +
// at least one blank; -1 when there is none.
int nameAfterDefinitionStart(const QString& line, int open)
{
    const int n = line.size();
    int i = open + 1;
    while (i < n && line.at(i).isSpace())
        ++i;
    if (!isDefun(line, i))
        return -1;
    i += 5;
    const int blanks = i;
    while (i < n && line.at(i).isSpace())
        ++i;
    return i > blanks ? i : -1;
}

LineScan scanLine(const QString& line, Mode& mode, bool lookForDefinition)
{
    LineScan scan;
    scan.hasComment = mode == Mode::BlockComment;
    const int n = line.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        switch (mode) {
        case Mode::String:
            scan.hasCode = true;
            if (c == QLatin1Char('\\'))
                ++i; // the escaped character, "\"" included
            else if (c == QLatin1Char('"'))
                mode = Mode::Code;
            break;
        case Mode::BlockComment:
            if (c == QLatin1Char('|') && i + 1 < n && line.at(i + 1) == QLatin1Char(';')) {
                mode = Mode::Code;
                ++i;
            }
            break;
        case Mode::Code:
            if (c == QLatin1Char(';')) {
                scan.hasComment = true;
                if (i + 1 < n && line.at(i + 1) == QLatin1Char('|')) {
                    mode = Mode::BlockComment;
                    ++i;
                    break;
                }
                return scan; // the rest of the line is a comment
            }
            if (c.isSpace())
                break;
            scan.hasCode = true;
            if (c == QLatin1Char('"')) {
                mode = Mode::String;
            } else if (c == QLatin1Char('(')) {
                ++scan.depthChange;
                if (lookForDefinition && scan.nameStart < 0)
                    scan.nameStart = nameAfterDefinitionStart(line, i);
            } else if (c == QLatin1Char(')')) {
                --scan.depthChange;
            }
            break;
        }
    }
    return scan;
}

QString nameAt(const QString& line, int start)
{
    int end = start;
    while (end < line.size()) {
        const QChar c = line.at(end);
        if (c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char(';')
            || c == QLatin1Char('"'))
            break;
        ++end;
    }
    return line.mid(start, end - start);
}

QStringList expandTabs(QStringList lines)
{
    for (QString& line : lines) {
        if (line.contains(QLatin1Char('\t'))) // replace() sets up a matcher even when none is found
            line.replace(QLatin1Char('\t'), QLatin1String("    "));
    }
    return lines;
}

// The parse state between lines; one feed() per line of the text.
class RecordBuilder
{
public:
    void feed(const QString& line)
    {
        const bool atTop = m_depth == 0;
        const LineScan scan = scanLine(line, m_mode, atTop);
        if (atTop && scan.nameStart < 0) {
            // Empty lines and comment lines may head the next definition; code, and a line
            // of blanks only, do not.
            if (line.isEmpty() || (scan.hasComment && !scan.hasCode))
                m_header.append(line);
            else
                m_header.clear();
            return;
        }
        if (atTop) {
            m_definition = line;
            m_name = nameAt(line, scan.nameStart);
        } else {
            m_body.append(line);
        }
        m_depth += scan.depthChange;
        // Closing parentheses beyond the definition's own close it all the same.
        if (m_depth <= 0)
            complete();
    }

    // A definition still open at the end of the text runs to its end.
    QVector<LispFunctionRecord> take()
    {
        if (m_depth > 0)
            complete();
        return std::move(m_records);
    }

private:
    void complete()
    {
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
        m_depth = 0;
    }

    QVector<LispFunctionRecord> m_records;
    QStringList m_header;
    QStringList m_body;
    QString m_definition;
    QString m_name;
    Mode m_mode = Mode::Code;
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

QVector<LispFunctionRecord> LispSourceParser::parseText(const QString& text)
{
    return parse(kvTextLines(text));
}

bool LispSourceParser::parseFile(const QString& path, QVector<LispFunctionRecord>* records,
                                 QString* errorText)
{
    QString text;
    if (!kvReadTextFile(path, &text, errorText))
        return false;
    QVector<LispFunctionRecord> parsed = parseText(text);
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
