#include "drawing/KvDrawingSettings.h"

#include <algorithm>
#include <cmath>
#include <limits>

KvVariable KvVariable::int16(short value)
{
    KvVariable v;
    v.type = Type::Int16;
    v.integer = value;
    return v;
}

KvVariable KvVariable::int32(qint32 value)
{
    KvVariable v;
    v.type = Type::Int32;
    v.integer = value;
    return v;
}

KvVariable KvVariable::number(double value)
{
    KvVariable v;
    v.type = Type::Real;
    v.real = value;
    return v;
}

KvVariable KvVariable::string(const QString& value)
{
    KvVariable v;
    v.type = Type::String;
    v.text = value;
    return v;
}

KvVariable KvVariable::point3d(double x, double y, double z)
{
    KvVariable v;
    v.type = Type::Point;
    v.point[0] = x;
    v.point[1] = y;
    v.point[2] = z;
    return v;
}

bool KvVariable::operator==(const KvVariable& o) const
{
    if (type != o.type)
        return false;
    switch (type) {
    case Type::Int16:
    case Type::Int32:
        return integer == o.integer;
    case Type::Real:
        return real == o.real;
    case Type::String:
        return text == o.text;
    case Type::Point:
        return std::equal(point, point + 3, o.point);
    }
    return false;
}

namespace {

using Type = KvVariable::Type;

// A setting of a new drawing: its type, default and, for integers, the values it may take.
struct Known
{
    const char* name;
    Type type;
    double value; // integers and reals
    const char* text;
    int min, max;
};

constexpr int kShortMin = std::numeric_limits<short>::min();
constexpr int kShortMax = std::numeric_limits<short>::max();

// A new metric drawing. CLAYER, TEXTSIZE, LUPREC and AUPREC are also listed here for their
// types and ranges; the database keeps their values itself.
const Known kKnown[] = {
    {"ANGBASE", Type::Real, 0, nullptr, 0, 0},
    {"ANGDIR", Type::Int16, 0, nullptr, 0, 1},
    {"ATTMODE", Type::Int16, 1, nullptr, 0, 2},
    {"AUNITS", Type::Int16, 0, nullptr, 0, 4},
    {"AUPREC", Type::Int16, 2, nullptr, 0, 8},
    {"CECOLOR", Type::Int16, 256, nullptr, 0, 257},
    {"CELTSCALE", Type::Real, 1, nullptr, 0, 0},
    {"CELTYPE", Type::String, 0, "ByLayer", 0, 0},
    {"CELWEIGHT", Type::Int16, -1, nullptr, -3, 211},
    {"CHAMFERA", Type::Real, 0, nullptr, 0, 0},
    {"CHAMFERB", Type::Real, 0, nullptr, 0, 0},
    {"CLAYER", Type::String, 0, "0", 0, 0},
    {"CMLSTYLE", Type::String, 0, "Standard", 0, 0},
    {"DIMASSOC", Type::Int16, 2, nullptr, 0, 2},
    {"DIMSCALE", Type::Real, 1, nullptr, 0, 0},
    {"DIMSTYLE", Type::String, 0, "Standard", 0, 0},
    {"ELEVATION", Type::Real, 0, nullptr, 0, 0},
    {"FILLETRAD", Type::Real, 0, nullptr, 0, 0},
    {"FILLMODE", Type::Int16, 1, nullptr, 0, 1},
    {"INSUNITS", Type::Int16, 4, nullptr, 0, 24},
    {"LIMCHECK", Type::Int16, 0, nullptr, 0, 1},
    {"LTSCALE", Type::Real, 1, nullptr, 0, 0},
    {"LUNITS", Type::Int16, 2, nullptr, 1, 5},
    {"LUPREC", Type::Int16, 4, nullptr, 0, 8},
    {"MEASUREMENT", Type::Int16, 1, nullptr, 0, 1},
    {"MIRRTEXT", Type::Int16, 0, nullptr, 0, 1},
    {"ORTHOMODE", Type::Int16, 0, nullptr, 0, 1},
    {"PDMODE", Type::Int16, 0, nullptr, kShortMin, kShortMax},
    {"PDSIZE", Type::Real, 0, nullptr, 0, 0},
    {"PLINEGEN", Type::Int16, 0, nullptr, 0, 1},
    {"PLINEWID", Type::Real, 0, nullptr, 0, 0},
    {"PSLTSCALE", Type::Int16, 1, nullptr, 0, 1},
    {"QTEXTMODE", Type::Int16, 0, nullptr, 0, 1},
    {"REGENMODE", Type::Int16, 1, nullptr, 0, 1},
    {"SPLFRAME", Type::Int16, 0, nullptr, 0, 1},
    {"SPLINESEGS", Type::Int16, 8, nullptr, kShortMin, kShortMax},
    {"SPLINETYPE", Type::Int16, 6, nullptr, 5, 6},
    {"TEXTQLTY", Type::Int16, 50, nullptr, 0, 100},
    {"TEXTSIZE", Type::Real, 0.2, nullptr, 0, 0},
    {"TEXTSTYLE", Type::String, 0, "Standard", 0, 0},
    {"THICKNESS", Type::Real, 0, nullptr, 0, 0},
    {"TILEMODE", Type::Int16, 1, nullptr, 0, 1},
    {"USRTIMER", Type::Int16, 1, nullptr, 0, 1},
    {"VISRETAIN", Type::Int16, 1, nullptr, 0, 1},
    // 0: frames of wipeouts hidden, 1: shown and plotted, 2: shown, not plotted.
    {"WIPEOUTFRAME", Type::Int16, 1, nullptr, 0, 2},
    {"WORLDVIEW", Type::Int16, 1, nullptr, 0, 1},
};

const Known* known(const QString& upperName)
{
    const QByteArray name = upperName.toLatin1();
    auto it = std::lower_bound(std::begin(kKnown), std::end(kKnown), name,
                               [](const Known& k, const QByteArray& n) { return qstrcmp(k.name, n.constData()) < 0; });
    return it != std::end(kKnown) && qstrcmp(it->name, name.constData()) == 0 ? it : nullptr;
}

KvVariable defaultOf(const Known& k)
{
    switch (k.type) {
    case Type::Int16:
        return KvVariable::int16(short(k.value));
    case Type::Int32:
        return KvVariable::int32(qint32(k.value));
    case Type::Real:
        return KvVariable::number(k.value);
    case Type::String:
        return KvVariable::string(QString::fromLatin1(k.text));
    case Type::Point:
        break;
    }
    return KvVariable::point3d(0, 0, 0);
}

bool isInteger(const KvVariable& v)
{
    return v.type == Type::Int16 || v.type == Type::Int32;
}

} // namespace

KvDrawingSettings::KvDrawingSettings()
{
    reset();
}

void KvDrawingSettings::reset()
{
    m_values.clear();
    for (const Known& k : kKnown)
        m_values.insert(QString::fromLatin1(k.name), defaultOf(k));
    // Points of a new drawing: its insertion base, limits of an A3 sheet, extents not measured.
    m_values.insert(QStringLiteral("INSBASE"), KvVariable::point3d(0, 0, 0));
    m_values.insert(QStringLiteral("LIMMIN"), KvVariable::point3d(0, 0, 0));
    m_values.insert(QStringLiteral("LIMMAX"), KvVariable::point3d(420, 297, 0));
    m_values.insert(QStringLiteral("EXTMIN"), KvVariable::point3d(1e20, 1e20, 1e20));
    m_values.insert(QStringLiteral("EXTMAX"), KvVariable::point3d(-1e20, -1e20, -1e20));
}

bool KvDrawingSettings::contains(const QString& name) const
{
    return m_values.contains(name.toUpper());
}

bool KvDrawingSettings::get(const QString& name, KvVariable* value) const
{
    auto it = m_values.constFind(name.toUpper());
    if (it == m_values.constEnd())
        return false;
    if (value)
        *value = *it;
    return true;
}

bool KvDrawingSettings::fits(const QString& name, const KvVariable& value, KvVariable* converted)
{
    const Known* k = known(name.toUpper());
    if (!k) {
        *converted = value;
        return !(value.type == Type::Real && !std::isfinite(value.real));
    }
    switch (k->type) {
    case Type::Int16:
    case Type::Int32:
        if (!isInteger(value) || value.integer < k->min || value.integer > k->max)
            return false;
        *converted = k->type == Type::Int16 ? KvVariable::int16(short(value.integer)) : KvVariable::int32(value.integer);
        return true;
    case Type::Real: {
        const double real = isInteger(value) ? double(value.integer) : value.real;
        if ((!isInteger(value) && value.type != Type::Real) || !std::isfinite(real))
            return false;
        *converted = KvVariable::number(real);
        return true;
    }
    case Type::String:
    case Type::Point:
        if (value.type != k->type)
            return false;
        *converted = value;
        return true;
    }
    return false;
}

bool KvDrawingSettings::set(const QString& name, const KvVariable& value)
{
    const QString key = name.toUpper();
    if (key.isEmpty())
        return false;
    KvVariable converted;
    auto it = m_values.constFind(key);
    // A setting a file added keeps the type it came with.
    if (it != m_values.constEnd() && !known(key) && it->type != value.type)
        return false;
    if (!fits(key, value, &converted))
        return false;
    m_values.insert(key, converted);
    return true;
}

QStringList KvDrawingSettings::names() const
{
    QStringList names = m_values.keys();
    names.sort();
    return names;
}
