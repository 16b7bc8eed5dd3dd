#include "exchange/FavouritesStore.h"

#include <QCoreApplication>
#include <QSettings>
#include <memory>

namespace {
// The store of the host application, under the module's own name.
std::unique_ptr<QSettings> openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QCoreApplication::applicationName(), QStringLiteral("Korvane"));
}

// The subgroup holding `name`. A store written before names were encoded may hold a name
// with "%" as it was typed; that group is used when the encoded one does not exist.
QString groupOf(const QSettings& settings, const QString& name)
{
    const QString stored = CFavouritesStore::storedName(name);
    if (stored == name)
        return stored;
    const QStringList groups = settings.childGroups();
    if (!groups.contains(stored) && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && groups.contains(name))
        return name;
    return stored;
}

QString valueText(const QVariant& value)
{
    // A hand-edited store may hold "a, b" unquoted, which reads back as a list.
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
} // namespace

CFavouritesStore::CFavouritesStore(const QString& group) : m_group(group) {}

QString CFavouritesStore::storedName(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('%'))
            out += QLatin1String("%25");
        else if (c == QLatin1Char('/'))
            out += QLatin1String("%2F");
        else if (c == QLatin1Char('\\'))
            out += QLatin1String("%5C");
        else
            out += c;
    }
    return out;
}

QString CFavouritesStore::typedName(const QString& stored)
{
    QString out;
    out.reserve(stored.size());
    for (int i = 0; i < stored.size(); ++i) {
        if (stored.at(i) == QLatin1Char('%') && i + 2 < stored.size()) {
            const QString code = stored.mid(i + 1, 2).toUpper();
            if (code == QLatin1String("25") || code == QLatin1String("2F") || code == QLatin1String("5C")) {
                out += code == QLatin1String("25")   ? QLatin1Char('%')
                       : code == QLatin1String("2F") ? QLatin1Char('/')
                                                     : QLatin1Char('\\');
                i += 2;
                continue;
            }
        }
        out += stored.at(i);
    }
    return out;
}

QStringList CFavouritesStore::favouriteNames() const
{
    const auto settings = openStore();
    settings->beginGroup(m_group);
    QStringList names;
    for (const QString& stored : settings->childGroups())
        names << typedName(stored);
    return names;
}

CFavouritesStore::Values CFavouritesStore::favouriteValues(const QString& name) const
{
    Values values;
    if (name.isEmpty())
        return values;
    const auto settings = openStore();
    settings->beginGroup(m_group);
    settings->beginGroup(groupOf(*settings, name));
    for (const QString& key : settings->childKeys())
        values.append({key, valueText(settings->value(key))});
    return values;
}

void CFavouritesStore::writeValue(const QString& name, const QString& key, const QString& value)
{
    writeValues(name, {{key, value}});
}

bool CFavouritesStore::writeValues(const QString& name, const Values& values)
{
    if (name.isEmpty())
        return false;
    const auto settings = openStore();
    settings->beginGroup(m_group);
    settings->beginGroup(groupOf(*settings, name));
    for (const auto& pair : values) {
        // A key with a separator would land in another group.
        if (pair.first.isEmpty() || pair.first.contains(QLatin1Char('/')) || pair.first.contains(QLatin1Char('\\')))
            continue;
        // A copy of the text, never a literal's: Qt keeps written values in a cache that
        // lives until the application ends, after the host may have unloaded this library.
        settings->setValue(pair.first, QString(pair.second.constData(), pair.second.size()));
    }
    settings->endGroup();
    settings->endGroup();
    settings->sync();
    return settings->status() == QSettings::NoError;
}

void CFavouritesStore::removeFavourite(const QString& name)
{
    // An empty name would remove the whole group: every favourite of the dialog.
    if (name.isEmpty())
        return;
    const auto settings = openStore();
    settings->beginGroup(m_group);
    settings->remove(groupOf(*settings, name));
}

QStringList CFavouritesStore::absorbCaseVariants(const QString& name)
{
    QStringList absorbed;
    if (name.isEmpty())
        return absorbed;
    const auto settings = openStore();
    settings->beginGroup(m_group);
    const QString target = groupOf(*settings, name);
    settings->beginGroup(target);
    const QStringList targetKeys = settings->childKeys();
    settings->endGroup();
    for (const QString& stored : settings->childGroups()) {
        const QString typed = typedName(stored);
        if (stored == target || typed.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        settings->beginGroup(stored);
        Values moved;
        for (const QString& key : settings->childKeys())
            if (!targetKeys.contains(key))
                moved.append({key, valueText(settings->value(key))});
        settings->endGroup();
        for (const auto& pair : moved)
            settings->setValue(target + QLatin1Char('/') + pair.first, pair.second);
        settings->remove(stored);
        absorbed << typed;
    }
    return absorbed;
}
