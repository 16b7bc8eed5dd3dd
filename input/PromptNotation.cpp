#include "input/PromptNotation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <climits>
#include <cmath>

PromptNotation PromptNotation::parse(const QString& text)
{
    PromptNotation n;
    const int open = text.indexOf(QLatin1Char('['));
    const int close = open >= 0 ? text.indexOf(QLatin1Char(']'), open + 1) : -1;
    if (open >= 0 && close > open) {
        n.hasKeywords = true;
        n.keywords = text.mid(open + 1, close - open - 1).split(QLatin1Char('/'), Qt::KeepEmptyParts);
    }
    const int less = text.indexOf(QLatin1Char('<'));
    const int greater = less >= 0 ? text.indexOf(QLatin1Char('>'), less + 1) : -1;
    if (less >= 0 && greater > less) {
        n.hasDefault = true;
        n.defaultText = text.mid(less + 1, greater - less - 1);
    }
    if (n.hasKeywords)
        n.message = text.left(open);
    else if (n.hasDefault)
        n.message = text.left(less);
    else
        n.message = text;
    return n;
}

QString PromptNotation::withoutBackslashN(const QString& text)
{
    QString out = text;
    out.remove(QStringLiteral("\\n"));
    return out;
}

QString PromptNotation::withoutLineBreaks(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char('\n'));
    out.remove(QLatin1Char('\r'));
    return out;
}

bool PromptNotation::isNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("\\A[+-]?\\d*\\.?\\d+\\z"));
    return number.match(text).hasMatch();
}

int PromptNotation::toInteger(const QString& text)
{
    const double v = toReal(text);
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(std::trunc(v));
}

double PromptNotation::toReal(const QString& text)
{
    QString t = text;
    if (t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString PromptNotation::enterToKeyword(const QString& defaultText)
{
    return QCoreApplication::translate("Korvane", "Enter to %1").arg(defaultText.toLower());
}
