#include "dialogs/exchange/DimStyleFile.h"

#include "exchange/TextDecoding.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

const QLatin1String kNameKeyword("DIMENSION_STYLE_NAME");
const QLatin1String kEndKeyword("END_OF_STYLE");
const QLatin1String kTextStyleInfo("DIMTXT_");
const QLatin1String kTextStyleName("DIMTXSTY");

bool isEndLine(const QString& line)
{
    return line.contains(kEndKeyword);
}

// Linetype variables carry their linetype's definition after them.
bool isLinetypeLine(const QString& line)
{
    return line.contains(QLatin1String("DIMLT ")) || line.contains(QLatin1String("DIMEX1LT "))
        || line.contains(QLatin1String("DIMEX2LT "));
}

// Field `index` of a line split at every blank (empty fields kept); empty past the end.
QStringView field(const QString& line, int index)
{
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const int blank = line.indexOf(QLatin1Char(' '), start);
        if (blank < 0)
            return QStringView();
        start = blank + 1;
    }
    const int end = line.indexOf(QLatin1Char(' '), start);
    return QStringView(line).mid(start, end < 0 ? -1 : end - start);
}

// The embedded text's length as written. Anything that is no count of characters reads as 0;
// a count too large for any integer reaches past the end of every file.
int characterCount(QStringView text)
{
    bool ok = false;
    const qlonglong n = text.toString().toLongLong(&ok);
    if (ok)
        return n < 0 ? 0 : int(qMin<qlonglong>(n, std::numeric_limits<int>::max()));
    const bool digits = !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    return digits ? std::numeric_limits<int>::max() : 0;
}

} // namespace

DimStyleFile::DimStyleFile(const QByteArray& bytes)
{
    QByteArray data = bytes;
    // A byte-order mark is no part of the first line.
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    int start = 0;
    while (start < data.size()) {
        int end = data.indexOf('\n', start);
        m_lastLineEnded = end >= 0;
        if (end < 0)
            end = data.size();
        int length = end - start;
        if (m_lastLineEnded && length > 0 && data.at(end - 1) == '\r')
            --length;
        m_raw.append(data.mid(start, length));
        start = end + 1;
    }

    m_lines.reserve(m_raw.size());
    for (const QByteArray& raw : qAsConst(m_raw))
        m_lines.append(kvDecodeText(raw));

    m_nextEnd.resize(m_lines.size() + 1);
    m_nextEnd[m_lines.size()] = m_lines.size();
    for (int i = m_lines.size() - 1; i >= 0; --i)
        m_nextEnd[i] = isEndLine(m_lines.at(i)) ? i : m_nextEnd[i + 1];

    for (int i = 0; i < m_lines.size(); ++i) {
        const QString name = nameOfLine(m_lines.at(i));
        if (name.isNull())
            continue;
        m_names.append(name);
        m_nameLines[name.toUpper()].append(i);
    }
}

DimStyleFile DimStyleFile::read(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return DimStyleFile();
    return DimStyleFile(file.readAll());
}

QString DimStyleFile::nameOfLine(const QString& line)
{
    const int blank = line.indexOf(QLatin1Char(' '));
    const QStringView first = blank < 0 ? QStringView(line) : QStringView(line).left(blank);
    if (!first.contains(kNameKeyword))
        return QString();
    // The name keeps its own blanks: everything after the first one.
    return blank < 0 ? QString(QLatin1String("")) : line.mid(blank + 1);
}

int DimStyleFile::endLineFrom(int line) const
{
    return line >= m_lines.size() ? m_lines.size() : m_nextEnd.at(line);
}

int DimStyleFile::skipEmbeddedText(int line, int characters) const
{
    // Position: the start of the line after the linetype line. Each line counts its
    // characters and one for its line end (the last line of the file may have none).
    int i = line + 1;
    int left = characters;
    while (i < m_lines.size()) {
        const int span = m_lines.at(i).size() + (i + 1 < m_lines.size() || m_lastLineEnded ? 1 : 0);
        if (left < span)
            break;
        left -= span;
        ++i;
    }
    // The N characters end on line i (or exactly at its start): the rest of it goes too.
    return i + 1;
}

DimStyleFile::Content DimStyleFile::content(const QString& name, bool textStyleApart) const
{
    Content out;
    const QVector<int> starts = m_nameLines.value(name.toUpper());
    int consumed = -1;
    for (const int start : starts) {
        // A name line inside a block already read was read as part of it.
        if (start <= consumed)
            continue;
        int i = start + 1;
        while (i < m_lines.size()) {
            const QString& line = m_lines.at(i);
            if (isEndLine(line))
                break;
            if (textStyleApart && line.contains(kTextStyleName)) {
                out.textStyles.append(field(line, 1).toString());
                ++i;
            } else if (line.contains(kTextStyleInfo)) {
                ++i;
            } else if (isLinetypeLine(line)) {
                out.lines.append(field(line, 0).toString() + QLatin1Char(' ') + field(line, 1).toString());
                i = skipEmbeddedText(i, characterCount(field(line, 2)));
            } else {
                out.lines.append(line);
                ++i;
            }
        }
        consumed = i;
    }
    return out;
}

QVector<DimStyleFile::Row> DimStyleFile::variableRows(const QStringList& collected)
{
    QVector<Row> rows;
    rows.reserve(collected.size());
    for (int i = 1; i < collected.size(); ++i) {
        const QString& line = collected.at(i);
        if (!line.contains(QLatin1Char(' ')))
            continue;
        rows.append(Row(field(line, 0).toString(), field(line, 1).toString()));
    }
    return rows;
}

QByteArray DimStyleFile::exportStyles(const QStringList& names, bool fullTextStyle) const
{
    QByteArray out;
    for (const QString& name : names) {
        const QVector<int> starts = m_nameLines.value(name.toUpper());
        int lastEnd = -1;
        for (const int start : starts) {
            if (start <= lastEnd)
                continue;
            // A block without an end line runs to the end of the file.
            const int end = qMin(endLineFrom(start + 1), m_lines.size() - 1);
            out += m_raw.at(start);
            out += "\r\n";
            for (int i = start + 1; i <= end; ++i) {
                if (!fullTextStyle && m_lines.at(i).contains(kTextStyleInfo))
                    continue;
                out += m_raw.at(i);
                out += "\r\n";
            }
            lastEnd = end;
        }
    }
    return out;
}
