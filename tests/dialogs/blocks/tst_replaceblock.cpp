// Block replacement: the pick cycle through LISP, the checks of "Apply", the attribute option,
// sorting (digit-only names keep their text) and previews.
#include "BlockDialogTesting.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/Dlg_QT_ReplaceBlock.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QHeaderView>

using namespace BlockDialogTesting;

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

ArgChain entries(const QString& statePath, const QStringList& list)
{
    ArgChain args;
    args.str(statePath);
    for (const QString& entry : list)
        args.str(entry);
    return args;
}
} // namespace

class TestReplaceBlock : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult call(const QString& path, const QStringList& list)
    {
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_replaceblock", entries(path, list));
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup()
    {
        CKvCustBlockUtils::SetAvailable(false);
        m_host.reset();
    }

    // GETBLOCKS closes the dialog for picking; SETBLOCKS brings the picked blocks back
    // selected, with the options as the LISP side stored them.
    void pickCycle()
    {
        QVERIFY(openBlocksDrawing(*m_host));
        const QString path = m_host->path("replace.txt");
        const QStringList blocks{"DOOR^0", "WINDOW^2", "ROOM^0"};
        QVERIFY(writeBytes(path, "purgeitems=TRUE\n"));
        ModalDriver first;
        first.expect("Dlg_QT_ReplaceBlock").select("blocksTable", {1}).click("selblocks");
        first.start();
        LispCallResult r = call(path, blocks);
        KV_VERIFY_MODALS(first);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        // The splitter lists the right-hand side first.
        QCOMPARE(readBytes(path), Bom + "blockstablerep=DOOR^\n!action!=GETBLOCKS\nblockstable=ROOM^\n"
                                        "purgeitems=TRUE\nattsync=FALSE\n");
        first.stop();

        QVERIFY(writeBytes(path, Bom + "blockstable=WINDOW^DOOR^\n!action!=SETBLOCKS\nblockstablerep=ROOM^\n"
                                       "purgeitems=FALSE\nattsync=FALSE\n"));
        QStringList reselected;
        ModalDriver second;
        second.expect("Dlg_QT_ReplaceBlock")
            .run([&reselected](QWidget* w) { reselected = selectedNames(static_cast<Dlg_QT_ReplaceBlock*>(w)->blocksTable); })
            .expectValue("blocksTableRep", "ROOM")
            .expectValue("PurgeItems", "false")
            .select("blocksTableRep", {2})
            .expectValue("attsync", "true")
            .click("acceptButton");
        second.start();
        r = call(path, blocks);
        KV_VERIFY_MODALS(second);
        QVERIFY(r.isVoid());
        QCOMPARE(reselected, (QStringList{"DOOR", "WINDOW"}));
        QCOMPARE(readBytes(path), Bom + "blockstablerep=WINDOW^\n!action!=OK\nblockstable=WINDOW^DOOR^\n"
                                        "purgeitems=FALSE\nattsync=TRUE\n");
    }

    // Once applied, stored values come back only with SETBLOCKS: any other call starts on
    // the first rows, and the user's options stay as they were.
    void reopenedWithoutSetblocks()
    {
        const QString path = m_host->path("replace.txt");
        QVERIFY(writeBytes(path, "blockstable=B^\n"));
        ModalDriver first;
        first.expect("Dlg_QT_ReplaceBlock").expectValue("blocksTable", "B").set("PurgeItems", "true").click("ButtonCancel");
        first.start();
        QVERIFY(call(path, {"A", "B"}).isNil());
        KV_VERIFY_MODALS(first);
        first.stop();
        ModalDriver second;
        second.expect("Dlg_QT_ReplaceBlock").expectValue("blocksTable", "A").expectValue("PurgeItems", "true").click("ButtonCancel");
        second.start();
        QVERIFY(call(path, {"A", "B"}).isNil());
        KV_VERIFY_MODALS(second);
        QCOMPARE(readBytes(path), QByteArray("blockstable=B^\n"));
    }

    void applyChecks_data()
    {
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<QVector<int>>("replaced");
        QTest::addColumn<QVector<int>>("replacing");
        QTest::addColumn<QString>("message"); // empty: accepted with "OK"
        const QString select = QStringLiteral("You must first select the blocks to replace. ");
        QTest::newRow("no blocks at all") << QStringList{} << QVector<int>{} << QVector<int>{} << select;
        QTest::newRow("nothing replacing") << QStringList{"A", "B"} << QVector<int>{0} << QVector<int>{} << select;
        QTest::newRow("nothing to replace") << QStringList{"A", "B"} << QVector<int>{} << QVector<int>{1} << select;
        QTest::newRow("a block replacing itself")
            << QStringList{"A", "B"} << QVector<int>{1} << QVector<int>{1}
            << "\"Block to be replaced\" and \"Replacing block\" must be different.";
        QTest::newRow("one by another") << QStringList{"A", "B"} << QVector<int>{0} << QVector<int>{1} << "";
        QTest::newRow("several, one of them the replacing block")
            << QStringList{"A", "B", "C"} << QVector<int>{0, 1} << QVector<int>{0} << "";
    }

    void applyChecks()
    {
        QFETCH(QStringList, blocks);
        QFETCH(QVector<int>, replaced);
        QFETCH(QVector<int>, replacing);
        QFETCH(QString, message);
        const QString path = m_host->path("replace.txt");
        ModalDriver driver;
        auto& dialog = driver.expect("Dlg_QT_ReplaceBlock").select("blocksTable", replaced).select("blocksTableRep", replacing).click("acceptButton");
        if (!message.isEmpty()) {
            dialog.click("ButtonCancel");
            driver.expect("QMessageBox").expectText(message).click("OK");
        }
        driver.start();
        const LispCallResult r = call(path, blocks);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isNil(), !message.isEmpty());
        if (message.isEmpty())
            QVERIFY(readBytes(path).contains("\n!action!=OK\n"));
    }

    // The option follows the replacing block's attribute count; the last entry of a name counts.
    void attributeOption_data()
    {
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<bool>("offered");
        QTest::newRow("attributes") << QStringList{"A^2"} << true;
        QTest::newRow("none") << QStringList{"A^0"} << false;
        QTest::newRow("no count") << QStringList{"A"} << false;
        QTest::newRow("count not a number") << QStringList{"A^x"} << false;
        QTest::newRow("the last entry of a name") << QStringList{"A^0", "A^3"} << true;
    }

    void attributeOption()
    {
        QFETCH(QStringList, blocks);
        QFETCH(bool, offered);
        Dlg_QT_ReplaceBlock dialog;
        dialog.attsync->setChecked(!offered);
        dialog.setCandidates(blocks);
        dialog.show();
        QCOMPARE(dialog.attsync->isEnabled(), offered);
        QCOMPARE(dialog.attsync->isChecked(), offered);
    }

    // Natural order ignoring case; two clicks on a header restore it; each table keeps its
    // own order for the life of the dialog.
    void sorting_data()
    {
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("numbers inside names") << QStringList{"b10", "B2", "b1"} << QStringList{"b1", "B2", "b10"};
        QTest::newRow("digit-only names keep their text")
            << QStringList{"10", "007", "9", "B2", "123456789012345678901234567890"}
            << QStringList{"007", "9", "10", "123456789012345678901234567890", "B2"};
    }

    void sorting()
    {
        QFETCH(QStringList, blocks);
        QFETCH(QStringList, ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        Dlg_QT_ReplaceBlock dialog;
        dialog.setCandidates(blocks);
        dialog.show();
        QCOMPARE(column(dialog.blocksTable), ascending);
        emit dialog.blocksTable->horizontalHeader()->sectionClicked(0);
        QCOMPARE(column(dialog.blocksTable), descending);
        QCOMPARE(column(dialog.blocksTableRep), ascending);
        QVERIFY(selectedNames(dialog.blocksTable).isEmpty());
        emit dialog.blocksTable->horizontalHeader()->sectionClicked(0);
        QCOMPARE(column(dialog.blocksTable), ascending);
        emit dialog.blocksTableRep->horizontalHeader()->sectionClicked(0);
        dialog.hide();
        dialog.show();
        QCOMPARE(column(dialog.blocksTable), ascending);
        QCOMPARE(column(dialog.blocksTableRep), descending);
    }

    // A digit-only name comes back to LISP as it was given.
    void digitNamesReturnAsGiven()
    {
        const QString path = m_host->path("replace.txt");
        ModalDriver driver;
        driver.expect("Dlg_QT_ReplaceBlock").select("blocksTable", {0}).select("blocksTableRep", {1}).click("acceptButton");
        driver.start();
        QVERIFY(call(path, {"007^0", "0010^0"}).isVoid());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(readBytes(path), Bom + "blockstablerep=0010^\n!action!=OK\nblockstable=007^\npurgeitems=FALSE\n"
                                        "attsync=FALSE\n");
    }

    void customBlockModeAnswersNil()
    {
        CKvCustBlockUtils::SetAvailable(true, true);
        const long nodes = kvLiveNodeCount();
        ModalDriver driver;
        driver.start();
        {
            const LispCallResult r = call(m_host->path("replace.txt"), {"A"});
            QCOMPARE(r.status, kvrt::Normal);
            QVERIFY(r.isNil());
        }
        KV_VERIFY_MODALS(driver);
        QCOMPARE(kvLiveNodeCount(), nodes);
        QVERIFY(!QFileInfo::exists(m_host->path("replace.txt")));
    }

};

KV_TEST_MAIN(TestReplaceBlock)
#include "tst_replaceblock.moc"
