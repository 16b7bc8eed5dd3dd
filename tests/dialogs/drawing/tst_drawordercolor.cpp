// Draw order by colour: which colour texts are taken, the moves, the swatches the delegate
// keeps visible in a selected row, and Dlg_DrawOrderColor end to end with its list result.
#include "ItemTexts.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/drawing/Dlg_QT_DrawOderColor.h"
#include "drawing/KvColorIndex.h"
#include "exchange/TableFiller.h"

#include <QApplication>
#include <QMessageBox>

class TestDrawOrderColor : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // Only whole numbers from 0 to 256 are colour numbers; they are shown plainly.
    void colourTexts_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("plain") << QStringList{"1", "256", "0"} << QStringList{"1", "256", "0"};
        QTest::newRow("written differently") << QStringList{" 7 ", "007", "+5"} << QStringList{"7", "7", "5"};
        QTest::newRow("out of range") << QStringList{"-1", "257", "65539", "-65535"} << QStringList();
        QTest::newRow("not numbers") << QStringList{"", "red", "3.5", "1e2", "0x10", "12a"} << QStringList();
        QTest::newRow("mixed") << QStringList{"abc", "3", "300", "8"} << QStringList{"3", "8"};
    }

    void colourTexts()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, numbers);
        QCOMPARE(Dlg_QT_DrawOderColor::colorNumbers(texts), numbers);
    }

    // The selected row swaps places with its target; the rows between keep theirs.
    void moves_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("top swaps with the first") << 2 << "btnTop" << QStringList{"3", "2", "1", "4"} << 0;
        QTest::newRow("bottom swaps with the last") << 0 << "btnBot" << QStringList{"4", "2", "3", "1"} << 3;
        QTest::newRow("up") << 2 << "btnUp" << QStringList{"1", "3", "2", "4"} << 1;
        QTest::newRow("down") << 1 << "btnDown" << QStringList{"1", "3", "2", "4"} << 2;
        QTest::newRow("up from the first") << 0 << "btnUp" << QStringList{"1", "2", "3", "4"} << 0;
        QTest::newRow("down from the last") << 3 << "btnDown" << QStringList{"1", "2", "3", "4"} << 3;
        QTest::newRow("top from the first") << 0 << "btnTop" << QStringList{"1", "2", "3", "4"} << 0;
    }

    void moves()
    {
        QFETCH(int, selected);
        QFETCH(QString, button);
        QFETCH(QStringList, order);
        QFETCH(int, selectedAfter);
        Dlg_QT_DrawOderColor dialog;
        dialog.setColors({"1", "2", "3", "4"});
        dialog.show();
        dialog.lstColors->selectRow(selected);
        ModalDriver none; // any message box fails it
        none.start();
        dialog.findChild<QPushButton*>(button)->click();
        KV_VERIFY_MODALS(none);
        QCOMPARE(columnTexts(dialog.lstColors), order);
        QCOMPARE(KvTable::selectedRows(dialog.lstColors), QList<int>{selectedAfter});
        // Each swatch moved with its number.
        for (int row = 0; row < 4; ++row)
            QCOMPARE(dialog.lstColors->item(row, 1)->background().color(), kvAciColor(order.at(row).toInt()));
    }

    void moveWithoutSelectionAsks()
    {
        Dlg_QT_DrawOderColor dialog;
        dialog.setWindowModality(Qt::NonModal);
        dialog.setColors({"1", "2"});
        dialog.show();
        ModalDriver driver;
        driver.expect("QMessageBox").expectText("Select rows of table for move.").click("OK");
        driver.start();
        dialog.btnDown->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(columnTexts(dialog.lstColors), (QStringList{"1", "2"}));
    }

    // Choosing the method rebuilds the list as LISP gave it; the location needs "Draworder".
    void methodRebuildsTheList()
    {
        Dlg_QT_DrawOderColor dialog;
        dialog.setColors({"1", "2", "3"});
        dialog.show();
        dialog.lstColors->selectRow(2);
        dialog.btnTop->click();
        QCOMPARE(columnTexts(dialog.lstColors), (QStringList{"3", "2", "1"}));
        dialog.handles->click();
        QCOMPARE(columnTexts(dialog.lstColors), (QStringList{"1", "2", "3"}));
        QVERIFY(!dialog.groupOrder->isEnabled());
        dialog.draworder->click();
        QVERIFY(dialog.groupOrder->isEnabled());
    }

    // OK hands back the table's order as 16-bit integers in a list left open for the
    // context to close; odd arguments are skipped and released.
    void endToEnd()
    {
        const QString path = m_host->path("order.txt");
        QVERIFY(writeBytes(path, "handles=TRUE\n"));
        const long nodes = kvLiveNodeCount();
        {
            ModalDriver driver;
            driver.expect("Dlg_QT_DrawOderColor")
                .expectEnabled("groupOrder", false)
                .select("lstColors", {3})
                .click("btnTop")
                .click("acceptButton");
            driver.start();
            const LispCallResult r = callLisp(m_host->document(0), "Dlg_DrawOrderColor",
                                              std::move(ArgChain().str(path).str("1").int16(9).str("30").str("x").str("256").str("8").nil()));
            KV_VERIFY_MODALS(driver);
            QCOMPARE(r.status, kvrt::Normal);
            QCOMPARE(r.printed(), QStringLiteral("(8 30 256 1)"));
            QVERIFY(r.first() && r.first()->restype == kvrt::ListBegin);
            for (const kv_resbuf* n = r.first()->rbnext; n; n = n->rbnext)
                QCOMPARE(n->restype, short(kvrt::Short));
            QCOMPARE(readBytes(path), QByteArray("\xEF\xBB\xBF"
                                                 "modifiyblocks=FALSE\n!action!=\nonlycolor=FALSE\nlstcolors=8^\n"
                                                 "draworder=FALSE\nhandles=TRUE\nfront=TRUE\nback=FALSE\n"));
        }
        QCOMPARE(kvLiveNodeCount(), nodes);

        // The next call shows its own colours; cancelling answers nil.
        QStringList shown;
        ModalDriver again;
        again.expect("Dlg_QT_DrawOderColor")
            .run([&](QWidget* w) { shown = columnTexts(static_cast<Dlg_QT_DrawOderColor*>(w)->lstColors); })
            .click("ButtonCancel");
        again.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_DrawOrderColor", std::move(ArgChain().str(path).str("2")));
        KV_VERIFY_MODALS(again);
        QVERIFY(r.isNil());
        QCOMPARE(shown, QStringList{"2"});
    }

    void noColoursGivesAnEmptyList()
    {
        ModalDriver driver;
        driver.expect("Dlg_QT_DrawOderColor").click("acceptButton");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_DrawOrderColor",
                                          std::move(ArgChain().str(m_host->path("o.txt")).str("999")));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.printed(), QStringLiteral("()"));
    }
};

KV_TEST_MAIN(TestDrawOrderColor)
#include "tst_drawordercolor.moc"
