// Block replacement by reference: the folder scan, the reference chosen last time, the
// checks of "Apply" and the pick cycle through LISP with a long folder path.
#include "BlockDialogTesting.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/Dlg_QT_ReplaceBlockToXref.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QHeaderView>
#include <QMessageBox>

using namespace BlockDialogTesting;

namespace {
const QByteArray Bom("\xEF\xBB\xBF");
} // namespace

class TestReplaceBlockToXref : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;
    QString m_folder;

    LispCallResult call(const QString& path, const QStringList& list = {"DOOR^0", "WINDOW^1"})
    {
        ArgChain args;
        args.str(path);
        for (const QString& entry : list)
            args.str(entry);
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_replaceblocktoxref", std::move(args));
    }

    // The message box of a failed check, answered with OK.
    static void expectMessage(ModalDriver& driver, const QString& text)
    {
        driver.expect("QMessageBox").expectText(text).click("OK");
    }

private slots:
    void initTestCase() { registerModuleImages(); }

    // A folder of reference candidates with a long name, so that the folder field shows
    // it shortened.
    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
        m_folder = m_host->path(QStringLiteral("references of the second floor, kept together for the replacement "
                                               "of the door and window blocks/drawings"));
        const QByteArray drawing = readBytes(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/breakline.dxf"));
        for (const char* name : {"a.dwg", "B.DWG", "c.dxf", "d.old.dwg"})
            QVERIFY(writeBytes(m_folder + '/' + name, drawing));
        QVERIFY(QDir().mkpath(m_folder + "/sub.dwg"));
    }

    void cleanup()
    {
        CKvCustBlockUtils::SetAvailable(false);
        m_host.reset();
    }

    // Files named NAME.DWG (any case, one dot) are offered; folders and other names are not.
    void folderScan()
    {
        Dlg_QT_ReplaceBlockToXref dialog;
        dialog.show();
        dialog.directory->setText(m_folder);
        dialog.processdir();
        QCOMPARE(column(dialog.blocksTableRep), (QStringList{"a.dwg", "B.DWG"}));
        QVERIFY(!dialog.acceptButton->isEnabled());
        // Each table sorts on its own.
        emit dialog.blocksTableRep->horizontalHeader()->sectionClicked(0);
        QCOMPARE(column(dialog.blocksTableRep), (QStringList{"B.DWG", "a.dwg"}));
        dialog.blocksTableRep->selectRow(0);
        QVERIFY(dialog.acceptButton->isEnabled());
        QVERIFY(showsDrawing(dialog.PreviewBlock2));
    }

    void folderMessages_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "Path can`t be empty";
        QTest::newRow("missing") << "/no/such/folder" << "Cannot find the specified Path.";
        QTest::newRow("a file") << "a.dwg" << "Cannot find the specified Path.";
    }

    // A typed folder that cannot be scanned is reported and the list stays as it was.
    void folderMessages()
    {
        QFETCH(QString, folder);
        QFETCH(QString, message);
        Dlg_QT_ReplaceBlockToXref dialog;
        // Not modal itself: the driver is there for the windows the dialog opens.
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        dialog.directory->setText(m_folder);
        dialog.processdir();
        dialog.directory->setText(folder == "a.dwg" ? m_folder + "/a.dwg" : folder);
        ModalDriver driver;
        expectMessage(driver, message);
        driver.start();
        dialog.processdir();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(column(dialog.blocksTableRep), (QStringList{"a.dwg", "B.DWG"}));
    }

    void applyChecks_data()
    {
        QTest::addColumn<QVector<int>>("replaced");
        QTest::addColumn<QVector<int>>("reference");
        QTest::addColumn<QString>("message");
        QTest::newRow("no block") << QVector<int>{} << QVector<int>{0} << "You must first select the blocks to replace. ";
        QTest::newRow("no reference") << QVector<int>{0} << QVector<int>{}
                                      << "You must first select the replacing reference. ";
        QTest::newRow("both") << QVector<int>{0, 1} << QVector<int>{1} << "";
    }

    void applyChecks()
    {
        QFETCH(QVector<int>, replaced);
        QFETCH(QVector<int>, reference);
        QFETCH(QString, message);
        const QString path = m_host->path("xref.txt");
        QVERIFY(writeBytes(path, ("directory=" + m_folder + "\n").toUtf8()));
        ModalDriver driver;
        auto& dialog = driver.expect("Dlg_QT_ReplaceBlockToXref")
                           .select("blocksTableRep", {0})
                           .select("blocksTable", replaced)
                           .select("blocksTableRep", reference)
                           .click("acceptButton");
        if (!message.isEmpty()) {
            dialog.click("ButtonCancel");
            expectMessage(driver, message);
        }
        driver.start();
        const LispCallResult r = call(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isNil(), !message.isEmpty());
        if (message.isEmpty())
            QCOMPARE(readBytes(path), Bom + "directory=" + m_folder.toUtf8()
                                          + "\n!action!=OK\nblockstablerep=B.DWG^\nblockstable=DOOR^WINDOW^\npurgeitems=FALSE\n");
    }

    void typedFolderReadBeforeApply_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("another folder") << true;
        QTest::newRow("a folder that does not exist") << false;
    }

    // A folder typed but not read with Return: "Apply" reads it and stays open, so the file
    // chosen always lies in the folder that goes with it.
    void typedFolderReadBeforeApply()
    {
        QFETCH(bool, exists);
        const QString other = m_host->path("other references");
        if (exists)
            QVERIFY(writeBytes(other + "/x.dwg", readBytes(m_folder + "/a.dwg")));
        const QString path = m_host->path("xref.txt");
        QVERIFY(writeBytes(path, ("directory=" + m_folder + "\n").toUtf8()));
        ModalDriver driver;
        auto& dialog = driver.expect("Dlg_QT_ReplaceBlockToXref")
                           .select("blocksTable", {0})
                           .select("blocksTableRep", {0})
                           .set("directory", other)
                           .click("acceptButton");
        if (exists) {
            dialog.expectValue("blocksTableRep", "").select("blocksTableRep", {0}).click("acceptButton");
        } else {
            dialog.expectValue("blocksTableRep", "a.dwg").click("ButtonCancel");
            expectMessage(driver, "Cannot find the specified Path.");
        }
        driver.start();
        const LispCallResult r = call(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isVoid(), exists);
        if (exists)
            QCOMPARE(readBytes(path), Bom + "directory=" + other.toUtf8()
                                          + "\n!action!=OK\nblockstablerep=x.dwg^\nblockstable=DOOR^\npurgeitems=FALSE\n");
    }

    // GETBLOCKS and back with SETBLOCKS: the long folder travels whole, the folder is scanned
    // again and the reference chosen last time is chosen again.
    void pickCycle()
    {
        const QString path = m_host->path("xref.txt");
        QVERIFY(writeBytes(path, ("directory=" + m_folder + "\nblockstablerep=B.DWG^\npurgeitems=TRUE\n").toUtf8()));
        QString shownFolder;
        ModalDriver first;
        first.expect("Dlg_QT_ReplaceBlockToXref")
            .capture("directory", &shownFolder)
            .expectValue("blocksTableRep", "B.DWG")
            .expectEnabled("acceptButton", true)
            .click("selblocks");
        first.start();
        QVERIFY(call(path).isVoid());
        KV_VERIFY_MODALS(first);
        QVERIFY2(shownFolder.contains(QChar(0x2026)), qPrintable(shownFolder));
        const QByteArray folder = m_folder.toUtf8();
        QCOMPARE(readBytes(path), Bom + "directory=" + folder
                                      + "\n!action!=GETBLOCKS\nblockstablerep=B.DWG^\nblockstable=DOOR^\npurgeitems=TRUE\n");
        first.stop();

        QVERIFY(writeBytes(path, Bom + "blockstable=WINDOW^\n!action!=SETBLOCKS\ndirectory=" + folder
                                     + "\nblockstablerep=a.dwg^\npurgeitems=TRUE\n"));
        ModalDriver second;
        second.expect("Dlg_QT_ReplaceBlockToXref")
            .expectValue("blocksTable", "WINDOW")
            .expectValue("blocksTableRep", "a.dwg")
            .click("acceptButton");
        second.start();
        QVERIFY(call(path).isVoid());
        KV_VERIFY_MODALS(second);
        QCOMPARE(readBytes(path), Bom + "directory=" + folder
                                      + "\n!action!=OK\nblockstablerep=a.dwg^\nblockstable=WINDOW^\npurgeitems=TRUE\n");
    }

    void storedReference_data()
    {
        QTest::addColumn<bool>("withFolder");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");
        QTest::newRow("as saved") << true << "a.dwg^" << "a.dwg";
        QTest::newRow("without a caret") << true << "B.DWG" << "B.DWG";
        QTest::newRow("case counts") << true << "b.dwg^" << "";
        QTest::newRow("no longer there") << true << "e.dwg^" << "";
        QTest::newRow("no folder") << false << "a.dwg^" << "";
    }

    // "Apply" is enabled only when the reference chosen last time is offered again.
    void storedReference()
    {
        QFETCH(bool, withFolder);
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        const QString path = m_host->path("xref.txt");
        const QString folderLine = withFolder ? "directory=" + m_folder + "\n" : QString();
        QVERIFY(writeBytes(path, (folderLine + "blockstablerep=" + stored + "\n").toUtf8()));
        ModalDriver driver;
        driver.expect("Dlg_QT_ReplaceBlockToXref")
            .expectValue("blocksTableRep", selected)
            .expectEnabled("acceptButton", !selected.isEmpty())
            .click("ButtonCancel");
        driver.start();
        QVERIFY(call(path).isNil());
        KV_VERIFY_MODALS(driver);
    }

    void customBlockModeAndOddArguments()
    {
        const long nodes = kvLiveNodeCount();
        CKvCustBlockUtils::SetAvailable(true, true);
        QVERIFY(call(m_host->path("xref.txt")).isNil());
        CKvCustBlockUtils::SetAvailable(true, false);
        QStringList listed;
        ModalDriver driver;
        driver.expect("Dlg_QT_ReplaceBlockToXref")
            .run([&listed](QWidget* w) { listed = column(static_cast<Dlg_QT_ReplaceBlockToXref*>(w)->blocksTable); })
            .click("ButtonCancel");
        driver.start();
        {
            ArgChain args;
            args.str(m_host->path("xref.txt")).str("B^x^y").int32(70000).str("007").nil();
            QVERIFY(callLisp(ACTIVE_DOCUMENT(), "Dlg_replaceblocktoxref", std::move(args)).isNil());
        }
        KV_VERIFY_MODALS(driver);
        QCOMPARE(listed, (QStringList{"007", "B"}));
        QCOMPARE(kvLiveNodeCount(), nodes);
    }
};

KV_TEST_MAIN(TestReplaceBlockToXref)
#include "tst_replaceblocktoxref.moc"
