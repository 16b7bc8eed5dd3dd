// The multiview setup dialog: its scale lists, the title block folder, the actions it
// hands to LISP through Dlg_MultiViewSetup, and what it keeps between calls.
#include "ItemTexts.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/drawing/Dlg_QT_MultiViewSetup.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "kernel/KvDocument.h"

#include <QApplication>
#include <QFocusEvent>

namespace {
const QString MultiView = QStringLiteral("Dlg_QT_MultiViewSetup");

// Makes empty files (and folders, for names ending in "/") under `folder`.
void makeFiles(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        if (name.endsWith('/'))
            QDir().mkpath(folder + '/' + name);
        else
            writeBytes(folder + '/' + name, QByteArray());
    }
}
} // namespace

class TestMultiViewSetup : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString templateFolder() const { return m_host->userFolder() + QStringLiteral("/Template"); }

    LispCallResult callSetup(const QString& path)
    {
        return callLisp(m_host->document(0), QStringLiteral("Dlg_MultiViewSetup"), std::move(ArgChain().str(path)));
    }

private slots:
    void initTestCase() { registerModuleImages(); }

    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
        makeFiles(templateFolder(), {"A1.dwg", "B.DXF"});
    }
    void cleanup() { m_host.reset(); }

    // The checked unit system decides the scales; one selected row gives its factor.
    void scaleLists_data()
    {
        QTest::addColumn<QString>("units");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("factor");
        QTest::newRow("scientific") << "msScientific" << 3 << "HALF" << "0.5";
        QTest::newRow("decimal") << "msDecimal" << 0 << "4 TIMES" << "4.0";
        QTest::newRow("engineering") << "msEngeneering" << 7 << "1\"=100'" << "1200.0";
        QTest::newRow("architectural") << "msArchitectural" << 7 << "1\"=1'" << "12.0";
        QTest::newRow("metric") << "msMetric" << 5 << "1:100" << "100";
    }
    void scaleLists()
    {
        QFETCH(QString, units);
        QFETCH(int, pick);
        QFETCH(QString, factor);
        Dlg_QT_MultiViewSetup dialog;
        dialog.show();
        dialog.SpaceModel->click();
        dialog.findChild<QRadioButton*>(units)->click();
        QCOMPARE(dialog.PageSpace->currentIndex(), 1);
        QTEST(columnTexts(dialog.msLstScales, 0).value(pick), "label");
        QCOMPARE(dialog.curScale->text(), QStringLiteral("1.0"));
        dialog.msLstScales->selectRow(pick);
        QCOMPARE(dialog.curScale->text(), factor);
        // Two rows are no single scale.
        dialog.msLstScales->selectionModel()->select(dialog.msLstScales->model()->index(pick == 0 ? 1 : 0, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(dialog.curScale->text(), QStringLiteral("1.0"));
    }

    // Drawings of the folder, by name: one "." and the suffix DWG or DXF in any case.
    void titleBlocksOfTheFolder()
    {
        makeFiles(templateFolder(), {"notes.txt", "x.y.dwg", "C.Dxf", "sub.dwg/", "plan.dwg.bak", "noext", ".dwg"});
        Dlg_QT_MultiViewSetup dialog;
        dialog.show();
        QStringList listed = columnTexts(dialog.lstBlocks, 0);
        listed.sort();
        QCOMPARE(listed, (QStringList{".dwg", "A1.dwg", "B.DXF", "C.Dxf"}));
        QCOMPARE(dialog.directory->text(), QDir::toNativeSeparators(templateFolder()));
    }

    // Every way of closing writes the state with its action; the function returns no value.
    void actions_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("action");
        QTest::newRow("close") << QStringList{"ButtonCancel"} << "CANCEL";
        QTest::newRow("window closed") << QStringList{} << "CANCEL";
        QTest::newRow("insert title") << QStringList{"lstBlocks", "InsertTitle"} << "INSERTTITLE";
        QTest::newRow("create viewports") << QStringList{"psCreate", "CreateViewports"} << "CREATEVIEWPORTS";
        QTest::newRow("align viewports") << QStringList{"psAlign", "AlignViewports"} << "ALIGNVIEWPORTS";
        QTest::newRow("scale viewports") << QStringList{"psScale", "ScaleViewports"} << "SCALEVIEWPORTS";
        QTest::newRow("model space title") << QStringList{"SpaceModel", "InsertMsTitle"} << "INSERTMSTITLE";
    }
    void actions()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, action);
        const QString path = m_host->path("setup.txt");
        QVERIFY(writeBytes(path, "!action!=INSERTTITLE\nlayer=Frames\n"));
        ModalDriver driver;
        auto& step = driver.expect(MultiView).expectEnabled("InsertTitle", false);
        for (const QString& name : clicks) {
            if (name == QLatin1String("lstBlocks"))
                step.select(name, {0}).expectEnabled("InsertTitle", true);
            else
                step.click(name);
        }
        if (clicks.isEmpty())
            step.cancel();
        driver.start();
        const LispCallResult r = callSetup(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        const QStringList lines = fileLines(path);
        QCOMPARE(lines.value(0), QStringLiteral("spacepaper=") + (action == "INSERTMSTITLE" ? "FALSE" : "TRUE"));
        QCOMPARE(lines.value(1), QStringLiteral("!action!=") + action);
        QVERIFY(lines.contains(QStringLiteral("layer=Frames")));
        // The folder the title block comes from is where the LISP side finds it.
        QVERIFY(lines.contains(QStringLiteral("directory=") + QDir::toNativeSeparators(templateFolder())));
    }

    void firstListTakesThePickFromTheState()
    {
        const QString path = m_host->path("setup.txt");
        QVERIFY(writeBytes(path, "msmetric=TRUE\nmsdecimal=FALSE\nmslstscales=1:50^\nlstblocks=B.DXF^\n"));
        ModalDriver driver;
        driver.expect(MultiView).expectValue("curScale", "50").expectEnabled("InsertTitle", true).click("InsertTitle");
        driver.start();
        callSetup(path);
        KV_VERIFY_MODALS(driver);
        const QStringList lines = fileLines(path);
        QVERIFY(lines.contains(QStringLiteral("lstblocks=B.DXF^")));
        QVERIFY(lines.contains(QStringLiteral("mslstscales=1:50^")));
    }

    // The dialog refills its lists on every click and every call; what the user picked
    // stays picked as long as the same list comes back.
    void picksSurviveRefillsAndCalls()
    {
        const QString path = m_host->path("setup.txt");
        QVERIFY(writeBytes(path, ""));
        ModalDriver first;
        first.expect(MultiView)
            .select("lstBlocks", {1})
            .click("psCreate")
            .click("psTitle")
            .expectEnabled("InsertTitle", true)
            .click("SpaceModel")
            .click("msMetric")
            .select("msLstScales", {5})
            .click("msArchitectural")
            .expectValue("curScale", "1.0")
            .click("msMetric")
            .select("msLstScales", {5})
            .expectValue("curScale", "100")
            .click("InsertMsTitle");
        first.start();
        callSetup(path);
        KV_VERIFY_MODALS(first);
        first.stop();
        const QString picked = columnTexts(m_host->mainWindow()->findChild<Dlg_QT_MultiViewSetup*>()->lstBlocks, 0).value(1);

        ModalDriver second;
        second.expect(MultiView)
            .expectValue("msMetric", "true")
            .expectValue("curScale", "100")
            .click("SpacePaper")
            .expectEnabled("InsertTitle", true)
            .click("ButtonCancel");
        second.start();
        callSetup(path);
        KV_VERIFY_MODALS(second);
        const QStringList lines = fileLines(path);
        QVERIFY(lines.contains(QStringLiteral("lstblocks=") + picked + '^'));
        QVERIFY(lines.contains(QStringLiteral("mslstscales=1:100^")));
        QVERIFY(lines.contains(QStringLiteral("!action!=CANCEL")));
    }

    // A folder that is gone is said so whenever the list is refreshed: once as the dialog
    // comes up with the folder from the state file (before it shows), again on each click.
    void missingFolder()
    {
        const QString path = m_host->path("setup.txt");
        QVERIFY(writeBytes(path, QByteArray("directory=") + m_host->path("gone").toUtf8() + '\n'));
        ModalDriver driver;
        driver.expect("QMessageBox").expectText("Cannot find the specified Path.").click("OK");
        driver.expect(MultiView).click("psCreate").click("ButtonCancel");
        driver.expect("QMessageBox").expectText("Cannot find the specified Path.").click("OK");
        driver.start();
        callSetup(path);
        KV_VERIFY_MODALS(driver);
    }

    void browsingListsAnotherFolder()
    {
        const QString other = m_host->path("sheets");
        makeFiles(other, {"Z.dxf"});
        const QString path = m_host->path("setup.txt");
        QVERIFY(writeBytes(path, ""));
        ModalDriver driver;
        driver.expect(MultiView)
            .click("selDir")
            .run([](QWidget* w) {
                QCOMPARE(columnTexts(static_cast<Dlg_QT_MultiViewSetup*>(w)->lstBlocks, 0), QStringList{"Z.dxf"});
            })
            .click("selDir")
            .run([](QWidget* w) {
                QCOMPARE(columnTexts(static_cast<Dlg_QT_MultiViewSetup*>(w)->lstBlocks, 0), QStringList{"Z.dxf"});
            })
            .click("ButtonCancel");
        driver.expect("QFileDialog").choose(other);
        driver.expect("QFileDialog").cancel();
        driver.start();
        callSetup(path);
        KV_VERIFY_MODALS(driver);
        QVERIFY(fileLines(path).contains(QStringLiteral("directory=") + other));
    }
};

KV_TEST_MAIN(TestMultiViewSetup)
#include "tst_multiviewsetup.moc"
