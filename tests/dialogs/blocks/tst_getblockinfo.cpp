// Block information: the two row lists from LISP, the rows shown and returned, sorting,
// the nested rows, and the text export with its failures.
#include "BlockDialogTesting.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/Dlg_QT_GetBlockInfo.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QFileDialog>
#include <QHeaderView>

using namespace BlockDialogTesting;

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

// The state file, then each list between its list-begin and list-end nodes.
ArgChain rowLists(const QString& statePath, const QStringList& topLevel, const QStringList& nested)
{
    ArgChain args;
    args.str(statePath);
    for (const QStringList* list : {&topLevel, &nested}) {
        args.node(kvrt::ListBegin);
        for (const QString& row : *list)
            args.str(row);
        args.node(kvrt::ListEnd);
    }
    return args;
}
} // namespace

class TestGetBlockInfo : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult call(const QStringList& topLevel, const QStringList& nested = {})
    {
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_getblockinfo", rowLists(m_host->path("info.txt"), topLevel, nested));
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void rowsReturned_data()
    {
        QTest::addColumn<QStringList>("topLevel");
        QTest::addColumn<QStringList>("nested");
        QTest::addColumn<bool>("withNested");
        QTest::addColumn<QString>("result");
        const QStringList top{"Door;12", "A;3", "Zero;0", "Odd;x", "Negative;-4", "NoCount"};
        QTest::newRow("top level, counts below 1 left out") << top << QStringList{"Inner;2"} << false
                                                            << R"(("A^3" "Door^12"))";
        QTest::newRow("nested rows sorted in") << top << QStringList{"Inner;2", "B;0"} << true
                                               << R"(("A^3" "Door^12" "Inner^2"))";
        QTest::newRow("digit names and counts as shown") << QStringList{"10;1", "007;02", "9;1"} << QStringList{}
                                                         << false << R"(("007^2" "9^1" "10^1"))";
        QTest::newRow("nothing to show") << QStringList{} << QStringList{} << true << "()";
    }

    // The rows shown, in the order shown, go back as "name^count"; Close writes the state.
    void rowsReturned()
    {
        QFETCH(QStringList, topLevel);
        QFETCH(QStringList, nested);
        QFETCH(bool, withNested);
        QFETCH(QString, result);
        ModalDriver driver;
        driver.expect("Dlg_QT_GetBlockInfo").set("nestedCheckBox", withNested ? "true" : "false").click("acceptButton");
        driver.start();
        const LispCallResult r = call(topLevel, nested);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.printed(), result);
        QCOMPARE(readBytes(m_host->path("info.txt")),
                 Bom + "nestedcheckbox=" + (withNested ? "TRUE" : "FALSE") + "\n!action!=\n");
    }

    void tableAction()
    {
        QVERIFY(writeBytes(m_host->path("info.txt"), "!action!=TABLE\nnestedcheckbox=TRUE\n"));
        ModalDriver driver;
        // Stored values never reach the controls.
        driver.expect("Dlg_QT_GetBlockInfo").expectValue("nestedCheckBox", "false").click("exportTable");
        driver.start();
        const LispCallResult r = call({"A;1"});
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.printed(), QStringLiteral("(\"A^1\")"));
        QCOMPARE(readBytes(m_host->path("info.txt")), Bom + "nestedcheckbox=FALSE\n!action!=TABLE\n");
    }

    void cancelAnswersNil()
    {
        ModalDriver driver;
        driver.expect("Dlg_QT_GetBlockInfo").cancel();
        driver.start();
        QVERIFY(call({"A;1"}).isNil());
        KV_VERIFY_MODALS(driver);
        QVERIFY(!QFileInfo::exists(m_host->path("info.txt")));
    }

    // Header clicks sort on their column, counts as numbers; two clicks give back the order.
    void sorting()
    {
        Dlg_QT_GetBlockInfo dialog;
        dialog.setRows({"b;12", "A;3", "C;100"}, {"a2;7"});
        dialog.show();
        QCOMPARE(column(dialog.blocksTable), (QStringList{"A", "b", "C"}));
        QHeaderView* header = dialog.blocksTable->horizontalHeader();
        emit header->sectionClicked(1);
        QCOMPARE(column(dialog.blocksTable, 1), (QStringList{"100", "12", "3"}));
        emit header->sectionClicked(1);
        QCOMPARE(column(dialog.blocksTable, 1), (QStringList{"3", "12", "100"}));
        dialog.nestedCheckBox->click();
        QCOMPARE(column(dialog.blocksTable), (QStringList{"A", "a2", "b", "C"}));
        dialog.nestedCheckBox->click();
        QCOMPARE(column(dialog.blocksTable), (QStringList{"A", "b", "C"}));
        // The order stays with the dialog from call to call.
        dialog.hide();
        dialog.show();
        QCOMPARE(column(dialog.blocksTable, 1), (QStringList{"3", "12", "100"}));
    }

    // The export: W = longest name + 5, CR LF; the next export starts in the same folder.
    void exportToFile()
    {
        const QString folder = m_host->path("lists");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/blocks.txt";
        QString startedIn;
        ModalDriver first;
        first.expect("Dlg_QT_GetBlockInfo").click("exportButton");
        first.expect("QFileDialog")
            .run([&startedIn](QWidget* w) { startedIn = static_cast<QFileDialog*>(w)->directory().absolutePath(); })
            .choose(file);
        first.start();
        LispCallResult r = call({"Door;12", "A;3"});
        KV_VERIFY_MODALS(first);
        QCOMPARE(r.printed(), QStringLiteral("(\"A^3\" \"Door^12\")"));
        QCOMPARE(startedIn, QDir(m_host->supportFolder()).absolutePath());
        QCOMPARE(readBytes(file), QByteArray("Name    Instances\r\nA          3\r\nDoor       12\r\n"));
        QVERIFY(readBytes(m_host->path("info.txt")).contains("!action!=\n"));
        first.stop();

        ModalDriver second;
        second.expect("Dlg_QT_GetBlockInfo").click("exportButton");
        second.expect("QFileDialog")
            .run([&startedIn](QWidget* w) { startedIn = static_cast<QFileDialog*>(w)->directory().absolutePath(); })
            .cancel();
        second.start();
        r = call({"B;1"});
        KV_VERIFY_MODALS(second);
        QCOMPARE(startedIn, QDir(folder).absolutePath());
        // Cancelling the file dialog still hands back the list; the file stays as it was.
        QCOMPARE(r.printed(), QStringLiteral("(\"B^1\")"));
        QCOMPARE(readBytes(file), QByteArray("Name    Instances\r\nA          3\r\nDoor       12\r\n"));
    }

    // A file that cannot be written is reported; the list still goes back.
    void exportFailure()
    {
        const QString file = m_host->path("no/such/folder/blocks.txt");
        QString message;
        ModalDriver driver;
        driver.expect("Dlg_QT_GetBlockInfo").click("exportButton");
        driver.expect("QFileDialog").choose(file);
        driver.expect("QMessageBox").capture(&message).click("OK");
        driver.start();
        const LispCallResult r = call({"A;3"});
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.printed(), QStringLiteral("(\"A^3\")"));
        QVERIFY2(message.startsWith("The block list was not saved.\n") && message.contains(file), qPrintable(message));
        QVERIFY(!QFileInfo::exists(file));
    }

};

KV_TEST_MAIN(TestGetBlockInfo)
#include "tst_getblockinfo.moc"
