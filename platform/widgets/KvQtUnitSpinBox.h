#pragma once

#include "KvPlatformExport.h"

#include <QDoubleSpinBox>

class CKvDatabase;

// The host's spin box for drawing values. Distances show in the drawing's linear units;
// angles (unit types 1 and 3) are held in radians and shown in degrees.
class KVPLATFORM_EXPORT CKvQtUnitSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
public:
    enum UnitType { Distance = 0, Angle = 1, Real = 2, Direction = 3, Integer = 4 };

    explicit CKvQtUnitSpinBox(QWidget* parent = nullptr);

    int getUnitType() const { return m_unitType; }
    void setUnitType(int type);
    // Sets the value in the unit's internal form (radians for angles).
    void set(double value);
    void setDefaultValue(double value);
    double defaultValue() const { return m_default; }
    bool isAngle() const { return m_unitType == Angle || m_unitType == Direction; }
    // Formats in the units of the drawing (precision of the database); null: defaults.
    void setDatabase(CKvDatabase* database);
    CKvDatabase* database() const { return m_database; }

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    int displayPrecision() const;

    int m_unitType = Distance;
    double m_default = 0;
    CKvDatabase* m_database = nullptr;
};
