// What the module asks of the host about drawings and folders: settings of a document's
// drawing and the alias folder joined with a file name.
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "module/HostServices.h"

#include <QApplication>
#include <QtTest>

class TestHostServices : public QObject
{
    Q_OBJECT

private slots:
    void joinPath_data();
    void joinPath();
    void aliasFolderComesFromTheHost();
    void settingsOfEachDocumentsDrawing();
};

void TestHostServices::joinPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("joined");

    QTest::newRow("no separator") << "/home/u/support" << "/home/u/support/alias.xml";
    QTest::newRow("slash") << "/home/u/support/" << "/home/u/support/alias.xml";
    QTest::newRow("backslash") << "C:\\Users\\u\\" << "C:\\Users\\u\\alias.xml";
    QTest::newRow("empty folder") << "" << "alias.xml";
    QTest::newRow("the root") << "/" << "/alias.xml";
}

void TestHostServices::joinPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, joined);
    QCOMPARE(HostServices::joinPath(folder, QStringLiteral("alias.xml")), joined);
}

void TestHostServices::aliasFolderComesFromTheHost()
{
    PlatformFixture host;
    CKvAppSettings* settings = host.services()->GetSettings();
    QCOMPARE(HostServices::aliasFolder(), host.userFolder());
    settings->SetAliasFolder(host.path(QStringLiteral("support/")));
    QCOMPARE(HostServices::joinPath(HostServices::aliasFolder(), QStringLiteral("alias.xml")),
             host.path(QStringLiteral("support/alias.xml")));
}

void TestHostServices::settingsOfEachDocumentsDrawing()
{
    PlatformFixture host(2);
    CKvDocument* first = host.document(0);
    CKvDocument* second = host.document(1);
    host.documents()->ActivateDocument(second);
    // Read in one drawing, zeroed in the active one, written back into the first while the
    // second is still active: each keeps its own.
    short saved = -1;
    QVERIFY(HostServices::drawingSetting(first, QStringLiteral("WIPEOUTFRAME"), &saved));
    QCOMPARE(saved, short(1));
    QVERIFY(HostServices::setDrawingSetting(nullptr, QStringLiteral("WIPEOUTFRAME"), 0));
    QVERIFY(HostServices::setDrawingSetting(first, QStringLiteral("WIPEOUTFRAME"), 2));
    short value = -1;
    QVERIFY(second->GetKvDatabase()->getSysVarInt16(QStringLiteral("WIPEOUTFRAME"), &value));
    QCOMPARE(value, short(0));
    QVERIFY(first->GetKvDatabase()->getSysVarInt16(QStringLiteral("WIPEOUTFRAME"), &value));
    QCOMPARE(value, short(2));

    // Settings that are not 16-bit, missing ones and refused values report failure.
    value = 7;
    QVERIFY(!HostServices::drawingSetting(first, QStringLiteral("TEXTSIZE"), &value));
    QVERIFY(!HostServices::drawingSetting(first, QStringLiteral("NO_SUCH_SETTING"), &value));
    QCOMPARE(value, short(7));
    QVERIFY(!HostServices::setDrawingSetting(first, QStringLiteral("WIPEOUTFRAME"), 3));
    host.documents()->CloseAll();
    QVERIFY(!HostServices::drawingSetting(nullptr, QStringLiteral("WIPEOUTFRAME"), &value));
    QVERIFY(!HostServices::setDrawingSetting(nullptr, QStringLiteral("WIPEOUTFRAME"), 0));
}

KV_TEST_MAIN(TestHostServices)
#include "tst_hostservices.moc"
