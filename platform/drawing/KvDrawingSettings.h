#pragma once

#include "KvPlatformExport.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The value of one drawing setting (a header variable of the drawing file).
struct KVPLATFORM_EXPORT KvVariable
{
    enum class Type { Int16, Int32, Real, String, Point };

    Type type = Type::Int16;
    qint32 integer = 0; // Int16, Int32
    double real = 0;    // Real
    QString text;       // String
    double point[3] = {0, 0, 0};

    static KvVariable int16(short value);
    static KvVariable int32(qint32 value);
    static KvVariable number(double value);
    static KvVariable string(const QString& value);
    static KvVariable point3d(double x, double y, double z);

    bool operator==(const KvVariable& o) const;
    bool operator!=(const KvVariable& o) const { return !(*this == o); }
};

// The settings a drawing keeps in its header, by name without the "$", ignoring case. A new
// drawing holds the defaults of the host's new drawings; a drawing file adds what its header
// holds and overrides the defaults it names. A known setting keeps its type and range: a
// value that does not fit (a text for a number, 99 for a precision of 0 to 8) is refused, an
// integer given for a real is taken as that real.
class KVPLATFORM_EXPORT KvDrawingSettings
{
public:
    KvDrawingSettings();

    bool contains(const QString& name) const;
    bool get(const QString& name, KvVariable* value) const;
    // False when the value is refused; an unknown name is added with the value as given.
    bool set(const QString& name, const KvVariable& value);
    // The value as the known setting `name` would hold it: converted to its type and checked
    // against its range. Unknown names take any value. False when it does not fit.
    static bool fits(const QString& name, const KvVariable& value, KvVariable* converted);
    // The names held, upper case, sorted.
    QStringList names() const;
    void reset();

private:
    QHash<QString, KvVariable> m_values; // keyed by upper-case name
};
