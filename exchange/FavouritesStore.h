#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The favourites of one dialog in Qt's settings store: one subgroup per favourite under the
// dialog's group, each holding the controls' values keyed by lower-cased object name. Every
// operation opens the store afresh and closes it again, so dialogs never see stale copies.
//
// A favourite's name is stored with "%", "/" and "\" written as %25, %2F and %5C: the store
// takes "/" and "\" for group separators, so such a name would otherwise scatter into nested
// groups. Names are listed, read and removed as typed.
class CFavouritesStore
{
public:
    using Values = QVector<QPair<QString, QString>>;

    explicit CFavouritesStore(const QString& group);

    QString group() const { return m_group; }
    // The favourites' names, in the order the store lists them.
    QStringList favouriteNames() const;
    // The keys of a favourite and their values as text; empty for an unknown or empty name.
    Values favouriteValues(const QString& name) const;
    void writeValue(const QString& name, const QString& key, const QString& value);
    // Several keys in one opening of the store; false when the store could not be written.
    bool writeValues(const QString& name, const Values& values);
    // Removes the favourite and everything under it. An empty name removes nothing.
    void removeFavourite(const QString& name);
    // Folds favourites whose names differ from `name` only in case into `name`: their keys
    // that `name` lacks are moved over, and they are removed. Returns their names.
    QStringList absorbCaseVariants(const QString& name);

    // The group name a favourite is stored under, and back.
    static QString storedName(const QString& name);
    static QString typedName(const QString& stored);

private:
    QString m_group;
};
