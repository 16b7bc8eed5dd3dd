// What the module asks of the host about drawings and folders: settings of a document's
// drawing, the alias folder joined with a file name, and remote text on an opened drawing's
// current layer.
#include "LispCall.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
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
    void remoteTextOnTheOpenedDrawingsLayer();
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

// A drawing whose header names its current layer gets the remote text there.
void TestHostServices::remoteTextOnTheOpenedDrawingsLayer()
{
    ModuleFixture host(0);
    QString error;
    CKvDocument* document = host.documents()->OpenDocument(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/r2018.dxf"), &error);
    QVERIFY2(document, qPrintable(error));
    const LispCallResult r = callLisp(document, QStringLiteral("CreateRtext"), std::move(ArgChain().str("a.txt").real(0).real(2.5).str("")));
    QCOMPARE(r.type(), kvrt::EntityName);
    OdDbObjectId id;
    QCOMPARE(CKvAPI::GetObjectId(r.first()->resval.rlname, id), kvrt::Normal);
    auto* text = dynamic_cast<RText*>(id.openObject());
    QVERIFY(text);
    QCOMPARE(text->layer, QStringLiteral("Walls"));
}

KV_TEST_MAIN(TestHostServices)
#include "tst_hostservices.moc"
