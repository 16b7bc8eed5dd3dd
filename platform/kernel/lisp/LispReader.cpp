#include "LispReader.h"

#include <cstdlib>
#include <vector>

namespace kvlisp {

namespace {

bool isBlank(QChar c)
{
    // Control characters count as blanks so that stray bytes of a file read as text never
    // end up inside symbol names.
    return c.unicode() <= 0x20 || c.isSpace();
}

bool isDelimiter(QChar c)
{
    return isBlank(c) || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('\'')
           || c == QLatin1Char('"') || c == QLatin1Char(';');
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// Integers: [sign] digits. Reals: [sign] (digits [. digits] | . digits) [e [sign] digits].
// Integers beyond 32 bits become reals, as LISP hosts read them.
bool parseNumber(const QString& t, Ref* out)
{
    const int n = t.size();
    int i = 0;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    int before = 0;
    while (i < n && isDigit(t[i])) {
        ++i;
        ++before;
    }
    if (i == n) {
        if (before == 0)
            return false;
        bool ok = false;
        const qlonglong v = t.toLongLong(&ok);
        if (ok && v >= INT32_MIN && v <= INT32_MAX) {
            *out = makeInt(static_cast<std::int32_t>(v));
            return true;
        }
    } else {
        int after = 0;
        if (t[i] == QLatin1Char('.')) {
            ++i;
            while (i < n && isDigit(t[i])) {
                ++i;
                ++after;
            }
        }
        if (before + after == 0)
            return false;
        if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
            ++i;
            if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
                ++i;
            int exponent = 0;
            while (i < n && isDigit(t[i])) {
                ++i;
                ++exponent;
            }
            if (exponent == 0)
                return false;
        }
        if (i != n)
            return false;
    }
    bool ok = false;
    double d = t.toDouble(&ok);
    if (!ok) // out of range: strtod gives the infinity or zero the text stands for
        d = std::strtod(t.toLatin1().constData(), nullptr);
    *out = makeReal(d);
    return true;
}

} // namespace

Reader::Reader(const QString& source, int maxDepth)
    : m_source(source), m_p(m_source.constData()), m_end(m_source.constData() + m_source.size()),
      m_maxDepth(maxDepth)
{
}

void Reader::skipBlanks()
{
    while (m_p < m_end) {
        const QChar c = *m_p;
        if (c == QLatin1Char('\n')) {
            ++m_line;
            ++m_p;
        } else if (isBlank(c)) {
            ++m_p;
        } else if (c == QLatin1Char(';')) {
            if (m_p + 1 < m_end && m_p[1] == QLatin1Char('|')) {
                // Block comment ;| ... |; ; an unterminated one runs to the end of the source.
                m_p += 2;
                while (m_p < m_end && !(m_p[0] == QLatin1Char('|') && m_p + 1 < m_end && m_p[1] == QLatin1Char(';'))) {
                    if (*m_p == QLatin1Char('\n'))
                        ++m_line;
                    ++m_p;
                }
                m_p = m_p < m_end ? m_p + 2 : m_end;
            } else {
                while (m_p < m_end && *m_p != QLatin1Char('\n'))
                    ++m_p;
            }
        } else {
            return;
        }
    }
}

bool Reader::atEnd()
{
    skipBlanks();
    return m_p >= m_end;
}

QString Reader::fail(const QString& message, int line)
{
    m_p = m_end;
    return QStringLiteral("malformed input: %1 (line %2)").arg(message).arg(line);
}

bool Reader::readString(QString* out)
{
    // m_p stands after the opening quote.
    QString s;
    while (m_p < m_end) {
        QChar c = *m_p++;
        if (c == QLatin1Char('"')) {
            *out = s;
            return true;
        }
        if (c == QLatin1Char('\n'))
            ++m_line;
        if (c != QLatin1Char('\\')) {
            s += c;
            continue;
        }
        if (m_p >= m_end)
            break;
        c = *m_p++;
        switch (c.unicode()) {
        case 'n': s += QLatin1Char('\n'); break;
        case 't': s += QLatin1Char('\t'); break;
        case 'r': s += QLatin1Char('\r'); break;
        case 'e': s += QChar(0x1b); break;
        default:
            if (c.unicode() >= '0' && c.unicode() <= '7') {
                // Octal character code, up to three digits.
                int code = c.unicode() - '0';
                for (int k = 0; k < 2 && m_p < m_end && m_p->unicode() >= '0' && m_p->unicode() <= '7'; ++k)
                    code = code * 8 + (m_p++->unicode() - '0');
                s += QChar(code);
            } else {
                if (c == QLatin1Char('\n'))
                    ++m_line;
                s += c; // \" \\ and any other character stand for themselves
            }
        }
    }
    return false;
}

QString Reader::readToken()
{
    const QChar* start = m_p;
    while (m_p < m_end && !isDelimiter(*m_p))
        ++m_p;
    return QString(start, static_cast<int>(m_p - start));
}

Ref Reader::atomFromToken(const QString& token)
{
    Ref number;
    if (parseNumber(token, &number))
        return number;
    return makeSymbol(token.toUpper());
}

bool Reader::read(Ref* out, QString* error)
{
    // Open constructs, innermost last: lists being built and quotes waiting for their form.
    struct Frame
    {
        bool quote;
        int line;
        ListBuilder items;
        int dot = 0; // 1: after " . ", 2: the tail has been read
    };
    std::vector<Frame> open;

    for (;;) {
        skipBlanks();
        if (m_p >= m_end) {
            if (open.empty()) {
                *error = fail(QStringLiteral("nothing to read"), m_line);
            } else if (open.back().quote) {
                *error = fail(QStringLiteral("quote without an expression"), open.back().line);
            } else {
                *error = fail(QStringLiteral("missing ')' for the list opened here"), open.back().line);
            }
            return false;
        }

        const int line = m_line;
        const QChar c = *m_p;
        Ref item;
        if (c == QLatin1Char('(') || c == QLatin1Char('\'')) {
            if (static_cast<int>(open.size()) >= m_maxDepth) {
                *error = fail(QStringLiteral("expression nested more than %1 deep").arg(m_maxDepth), line);
                return false;
            }
            ++m_p;
            open.push_back(Frame{c == QLatin1Char('\''), line, ListBuilder()});
            continue;
        }
        if (c == QLatin1Char(')')) {
            ++m_p;
            if (open.empty()) {
                *error = fail(QStringLiteral("extra ')'"), line);
                return false;
            }
            Frame& f = open.back();
            if (f.quote) {
                *error = fail(QStringLiteral("quote without an expression"), f.line);
                return false;
            }
            if (f.dot == 1) {
                *error = fail(QStringLiteral("dotted pair without a second part"), f.line);
                return false;
            }
            item = f.items.take();
            open.pop_back();
        } else if (c == QLatin1Char('"')) {
            ++m_p;
            QString s;
            if (!readString(&s)) {
                *error = fail(QStringLiteral("string without closing quote"), line);
                return false;
            }
            item = makeString(s);
        } else {
            const QString token = readToken();
            if (token == QLatin1String(".")) {
                if (open.empty() || open.back().quote || open.back().items.empty() || open.back().dot != 0) {
                    *error = fail(QStringLiteral("misplaced dot"), line);
                    return false;
                }
                open.back().dot = 1;
                continue;
            }
            item = atomFromToken(token);
        }

        // Hand the finished item to the construct around it; finished quotes pass it on.
        for (;;) {
            if (open.empty()) {
                *out = std::move(item);
                return true;
            }
            Frame& f = open.back();
            if (f.quote) {
                item = cons(makeSymbol(QStringLiteral("QUOTE")), cons(std::move(item), Ref()));
                open.pop_back();
                continue;
            }
            if (f.dot == 2) {
                *error = fail(QStringLiteral("more than one expression after the dot of a dotted pair"), f.line);
                return false;
            }
            if (f.dot == 1) {
                f.items.setTail(std::move(item));
                f.dot = 2;
            } else {
                f.items.append(std::move(item));
            }
            break;
        }
    }
}

} // namespace kvlisp
