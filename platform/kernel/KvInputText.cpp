#include "kernel/KvInputText.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace KvInputText {

bool parseReal(const QString& text, double& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(t.startsWith(QLatin1Char('+')) ? t.mid(1) : t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool parseInteger(const QString& text, int& out)
{
    const QString t = text.trimmed();
    bool ok = false;
    const long long v = QLocale::c().toLongLong(t.startsWith(QLatin1Char('+')) ? t.mid(1) : t, &ok);
    if (!ok || v < -32768 || v > 32767)
        return false;
    out = int(v);
    return true;
}

bool parseHandle(const QString& text, std::uint64_t& out)
{
    const QString t = text.trimmed();
    if (t.size() < 2 || t.size() > 17 || t.at(0) != QLatin1Char('#'))
        return false;
    bool ok = false;
    const qulonglong v = t.mid(1).toULongLong(&ok, 16);
    if (!ok || v == 0)
        return false;
    out = v;
    return true;
}

bool parsePoint(const QString& text, const double base[3], const double userOrigin[3], double out[3])
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    const double zero[3] = {0, 0, 0};
    if (!base)
        base = zero;
    if (!userOrigin)
        userOrigin = zero;
    const bool relative = t.startsWith(QLatin1Char('@'));
    if (relative)
        t = t.mid(1).trimmed();
    double v[3] = {0, 0, 0};
    if (relative && t.isEmpty()) {
        // "@" alone: the base point itself.
    } else if (t.contains(QLatin1Char('<'))) {
        const QStringList parts = t.split(QLatin1Char('<'));
        double distance = 0, degrees = 0;
        if (parts.size() != 2 || !parseReal(parts.at(0), distance) || !parseReal(parts.at(1), degrees))
            return false;
        const double a = degrees * M_PI / 180.0;
        v[0] = distance * std::cos(a);
        v[1] = distance * std::sin(a);
    } else {
        const QStringList parts = t.split(QLatin1Char(','));
        if (parts.size() < 2 || parts.size() > 3)
            return false;
        for (int i = 0; i < parts.size(); ++i)
            if (!parseReal(parts.at(i), v[i]))
                return false;
    }
    for (int i = 0; i < 3; ++i) {
        // Relative input moves from the base point; absolute input is in user coordinates.
        const double world = relative ? base[i] + v[i] : userOrigin[i] + v[i];
        if (!std::isfinite(world))
            return false;
        out[i] = world;
    }
    return true;
}

namespace {
// Where a translated keyword's local text splits into shown and typed text; -1 for a keyword
// that is a name as it stands (its local text is its global name, or there is none).
int typedSeparator(const CKvKeyword& keyword)
{
    if (keyword.localName.isEmpty() || keyword.localName == keyword.globalName)
        return -1;
    const int comma = keyword.localName.lastIndexOf(QLatin1Char(','));
    return comma > 0 ? comma : -1;
}

const QString& localText(const CKvKeyword& keyword)
{
    return keyword.localName.isEmpty() ? keyword.globalName : keyword.localName;
}
} // namespace

QString keywordShown(const CKvKeyword& keyword)
{
    const int comma = typedSeparator(keyword);
    return comma > 0 ? keyword.localName.left(comma) : localText(keyword);
}

QString keywordTyped(const CKvKeyword& keyword)
{
    const int comma = typedSeparator(keyword);
    return comma > 0 ? keyword.localName.mid(comma + 1) : localText(keyword);
}

KeywordMatch matchKeyword(const QString& text, const CKvKeywordArray& keywords, int* index)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return KeywordMatch::None;
    for (int i = 0; i < keywords.size(); ++i) {
        const CKvKeyword& k = keywords.at(i);
        if ((!k.globalName.isEmpty() && k.globalName.compare(t, Qt::CaseInsensitive) == 0)
            || (!keywordTyped(k).isEmpty() && keywordTyped(k).compare(t, Qt::CaseInsensitive) == 0)) {
            if (index)
                *index = i;
            return KeywordMatch::Unique;
        }
    }
    int found = -1;
    for (int i = 0; i < keywords.size(); ++i) {
        const QString shown = keywordShown(keywords.at(i));
        if (shown.isEmpty() || !shown.startsWith(t, Qt::CaseInsensitive))
            continue;
        // The same keyword listed twice is still one choice.
        if (found >= 0 && keywords.at(found).globalName.compare(keywords.at(i).globalName, Qt::CaseInsensitive) != 0)
            return KeywordMatch::Ambiguous;
        if (found < 0)
            found = i;
    }
    if (found < 0)
        return KeywordMatch::None;
    if (index)
        *index = found;
    return KeywordMatch::Unique;
}

QString formatNumber(double value, int decimals)
{
    if (value == 0)
        value = 0; // no "-0"
    return QString::number(value, 'f', qBound(0, decimals, 8));
}

} // namespace KvInputText
