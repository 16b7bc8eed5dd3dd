// The favourite removal dialog: what it offers, what Delete removes from the store and
// what it reports.
#include "ItemTexts.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include <QShowEvent>
#include <QtTest/qtestspontaneevent.h>

#include "dialogs/drawing/Dlg_QT_RemoveFavorits.h"
#include "exchange/FavouritesStore.h"

#include <QApplication>

#include <QCoreApplication>
#include <QSettings>

namespace {
const QString Group = QStringLiteral("PatternHatch");

QStringList listed(const Dlg_QT_RemoveFavorits& dialog)
{
    return itemTexts(dialog.ListFavorits);
}

void selectRows(Dlg_QT_RemoveFavorits& dialog, const QVector<int>& rows)
{
    dialog.ListFavorits->clearSelection();
    for (int row : rows)
        dialog.ListFavorits->item(row)->setSelected(true);
}

QStringList storedNames()
{
    QStringList names = CFavouritesStore(Group).favouriteNames();
    names.sort();
    return names;
}
} // namespace

class TestRemoveFavorits : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    const QStringList m_names{"Brick", "Concrete", "Earth/Sand", "Glass", "Steel\\1"};

private slots:
    void initTestCase() { registerModuleImages(); }

    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName(), "Korvane").clear();
        for (const QString& name : m_names)
            CFavouritesStore(Group).writeValue(name, "pattern", name);
        CFavouritesStore("Other").writeValue("Brick", "pattern", "x");
    }

    void cleanup() { m_host.reset(); }

    // Each press deletes the selected names from the store at once; the names add up.
    void deletingInTwoPresses_data()
    {
        QTest::addColumn<QVector<int>>("first");
        QTest::addColumn<QVector<int>>("second");
        QTest::addColumn<QStringList>("removed");
        QTest::newRow("three, then one") << QVector<int>{0, 2, 4} << QVector<int>{1}
                                         << QStringList{"Brick", "Earth/Sand", "Steel\\1", "Glass"};
    }

    void deletingInTwoPresses()
    {
        QFETCH(QVector<int>, first);
        QFETCH(QVector<int>, second);
        QFETCH(QStringList, removed);
        Dlg_QT_RemoveFavorits dialog;
        dialog.setFavouriteNames(m_names);
        dialog.setFavouritesGroup(Group);
        dialog.show();
        QCOMPARE(listed(dialog), m_names);
        QVERIFY(!dialog.BtnRemove->isEnabled());

        selectRows(dialog, first);
        QVERIFY(dialog.BtnRemove->isEnabled());
        dialog.BtnRemove->click();
        QCOMPARE(dialog.removedNames(), removed.mid(0, first.size()));
        QVERIFY(dialog.ListFavorits->selectedItems().isEmpty());
        QVERIFY(!dialog.BtnRemove->isEnabled());

        selectRows(dialog, second);
        dialog.BtnRemove->click();
        QCOMPARE(dialog.removedNames(), removed);

        QStringList left = m_names;
        for (const QString& name : removed)
            left.removeAll(name);
        QCOMPARE(listed(dialog), left);
        QCOMPARE(storedNames(), left);
        QCOMPARE(CFavouritesStore("Other").favouriteNames(), QStringList{"Brick"});

        // Restored by the window system (a spontaneous show), it keeps what was deleted.
        QShowEvent restored;
        QSpontaneKeyEvent::setSpontaneous(&restored);
        qApp->notify(&dialog, &restored); // sendEvent() would clear the flag
        QCOMPARE(listed(dialog), left);
    }
};

KV_TEST_MAIN(TestRemoveFavorits)
#include "tst_removefavorits.moc"
