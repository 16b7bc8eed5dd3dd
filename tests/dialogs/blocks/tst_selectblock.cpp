// The block picker: which blocks it offers and how a click becomes its result.
#include "ItemTexts.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include "dialogs/blocks/DLG_QT_SelectBlock.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"

#include <QApplication>


namespace {
// A drawing with these blocks after its model and paper space; a leading "-" erases one.
std::unique_ptr<CKvDatabase> drawingWith(const QStringList& blocks)
{
    auto database = std::make_unique<CKvDatabase>();
    for (const QString& entry : blocks) {
        const bool erased = entry.startsWith('-');
        const OdDbObjectId id = database->addBlock(erased ? entry.mid(1) : entry);
        if (erased)
            id.openObject()->setErased(true);
    }
    return database;
}

QStringList listed(const DLG_QT_SelectBlock& picker)
{
    return itemTexts(picker.ListBlocks);
}
} // namespace

class TestSelectBlock : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;

private slots:
    void initTestCase() { registerModuleImages(); }

    void init() { m_host = std::make_unique<PlatformFixture>(1); }
    void cleanup() { m_host.reset(); }

    // Named blocks in table order; spaces, anonymous and erased blocks are left out.
    void offeredBlocks_data()
    {
        QTest::addColumn<QStringList>("blocks");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("only spaces and anonymous blocks")
            << QStringList{"*Paper_Space0", "*U1", "*D2", "*X"} << QStringList{};
        QTest::newRow("erased records skipped") << QStringList{"A", "-B", "C", "-D"} << QStringList{"A", "C"};
        QTest::newRow("table order, not sorted") << QStringList{"Zeta", "alpha", "Mid10", "Mid9"}
                                                 << QStringList{"Zeta", "alpha", "Mid10", "Mid9"};
        QTest::newRow("star only at the start counts") << QStringList{"A*B", "*AB", " *C"}
                                                       << QStringList{"A*B", " *C"};
    }

    void offeredBlocks()
    {
        QFETCH(QStringList, blocks);
        QFETCH(QStringList, offered);
        m_host->document(0)->SetDatabase(drawingWith(blocks));
        DLG_QT_SelectBlock picker;
        picker.show();
        QCOMPARE(listed(picker), offered);
        QVERIFY(!picker.acceptButton->isEnabled());
        QVERIFY(picker.txBlockName->text().isEmpty());
    }

    // Run as its opener runs it: a click fills the name and enables OK; OK gives the name.
    void clickingChoosesABlock()
    {
        m_host->document(0)->SetDatabase(drawingWith({"DOOR", "WINDOW"}));
        DLG_QT_SelectBlock picker;
        ModalDriver driver;
        driver.expect("DLG_QT_SelectBlock")
            .expectEnabled("acceptButton", false)
            .select("ListBlocks", {1})
            .expectValue("txBlockName", "WINDOW")
            .expectEnabled("acceptButton", true)
            .click("acceptButton");
        driver.start();
        const int firstRun = picker.exec();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(firstRun, 1);
        driver.stop();
        QCOMPARE(picker.blockName(), QStringLiteral("WINDOW"));

        // The next run starts afresh, with the drawing as it is then.
        m_host->document(0)->GetKvDatabase()->addBlock("ROOM");
        ModalDriver again;
        again.expect("DLG_QT_SelectBlock")
            .expectValue("txBlockName", "")
            .expectEnabled("acceptButton", false)
            .select("ListBlocks", {2})
            .set("txBlockName", "Typed over")
            .click("acceptButton");
        again.start();
        const int secondRun = picker.exec();
        KV_VERIFY_MODALS(again);
        QCOMPARE(secondRun, 1);
        QCOMPARE(listed(picker), (QStringList{"DOOR", "WINDOW", "ROOM"}));
        QCOMPARE(picker.blockName(), QStringLiteral("Typed over"));
    }

};

KV_TEST_MAIN(TestSelectBlock)
#include "tst_selectblock.moc"
