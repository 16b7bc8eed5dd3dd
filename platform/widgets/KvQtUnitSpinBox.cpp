#include "widgets/KvQtUnitSpinBox.h"

#include "drawing/KvDatabase.h"

#include <QLocale>
#include <cmath>
#include <limits>

CKvQtUnitSpinBox::CKvQtUnitSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    // The value keeps full precision (angles are radians); only the text is rounded.
    setDecimals(12);
    setRange(-1e12, 1e12);
    setKeyboardTracking(false);
}

void CKvQtUnitSpinBox::setUnitType(int type)
{
    m_unitType = type;
    if (isAngle())
        setSingleStep(M_PI / 180.0);
    else
        setSingleStep(1.0);
    setValue(value()); // redisplay in the new unit
}

void CKvQtUnitSpinBox::set(double value)
{
    setValue(value);
}

void CKvQtUnitSpinBox::setDefaultValue(double value)
{
    m_default = value;
    setValue(value);
}

void CKvQtUnitSpinBox::setDatabase(CKvDatabase* database)
{
    m_database = database;
    setValue(value());
}

int CKvQtUnitSpinBox::displayPrecision() const
{
    if (m_unitType == Integer)
        return 0;
    if (isAngle())
        return m_database ? qBound(0, m_database->angularPrecision, 8) : 2;
    return m_database ? qBound(0, m_database->linearPrecision, 8) : 4;
}

QString CKvQtUnitSpinBox::textFromValue(double value) const
{
    const double shown = isAngle() ? value * 180.0 / M_PI : value;
    QString text = QString::number(shown, 'f', displayPrecision());
    // Trailing zeros say nothing in a drawing value: 90.0000 reads 90.
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

double CKvQtUnitSpinBox::valueFromText(const QString& text) const
{
    QString t = text.trimmed();
    t.remove(QChar(0x00B0)); // a typed degree sign
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok)
        v = QLocale().toDouble(t, &ok);
    if (!ok)
        return value();
    return isAngle() ? v * M_PI / 180.0 : v;
}

QValidator::State CKvQtUnitSpinBox::validate(QString& input, int&) const
{
    QString t = input.trimmed();
    t.remove(QChar(0x00B0));
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+") || t == QLatin1String("."))
        return QValidator::Intermediate;
    bool ok = false;
    t.toDouble(&ok);
    return ok ? QValidator::Acceptable : QValidator::Invalid;
}
