// Settings export: scripts written and appended from the lines themselves, the filter, and
// Dlg_exportsetting end to end.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_ExportSettings.h"
#include "kernel/KvSystemServices.h"

namespace {
// Markup characters, tabs and runs of blanks must reach the script as they stand.
const QByteArray kSettings = "(setvar \"DIMPOST\" \"<>  mm\")\r\n"
                             "(setvar \"DWGNAME\" \"a&b\") ; read-only\r\n"
                             "(setvar \"CMDECHO\"\t0) ; dangerous\r\n"
                             "read-only and dangerous\r\n"
                             "OSMODE 33";
} // namespace

class TestExportSettings : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult run(ModalDriver& driver, ArgChain&& args)
    {
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_exportsetting", std::move(args));
        driver.stop();
        return r;
    }

    QString settingsFile()
    {
        const QString path = m_host->path("settings.txt");
        writeBytes(path, kSettings);
        return path;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // The script holds exactly the lines the filter shows, one line end between them and
    // none after the last; appending first ends an unfinished last line.
    void writesTheShownLines_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("before"); // "<none>": no file yet
        QTest::addColumn<QByteArray>("after");
        const QByteArray all = "(setvar \"DWGNAME\" \"a&b\") ; read-only\nread-only and dangerous\n"
                               "(setvar \"CMDECHO\"\t0) ; dangerous\n(setvar \"DIMPOST\" \"<>  mm\")\nOSMODE 33";
        QTest::newRow("new, all") << "new" << "All" << QByteArray("<none>") << all;
        QTest::newRow("new replaces, standard only") << "new" << "Standard" << QByteArray("old")
                                                     << QByteArray("(setvar \"DIMPOST\" \"<>  mm\")\nOSMODE 33");
        QTest::newRow("append after an unfinished line") << "add" << "Read only" << QByteArray("OLD 1")
                                                         << QByteArray("OLD 1\n(setvar \"DWGNAME\" \"a&b\") ; read-only\n"
                                                                       "read-only and dangerous");
        QTest::newRow("append after a line end") << "add" << "Dangerous" << QByteArray("OLD 1\r\n")
                                                 << QByteArray("OLD 1\r\n(setvar \"CMDECHO\"\t0) ; dangerous");
        QTest::newRow("append to an empty file") << "add" << "Dangerous" << QByteArray("")
                                                 << QByteArray("(setvar \"CMDECHO\"\t0) ; dangerous");
    }

    void writesTheShownLines()
    {
        QFETCH(QString, mode);
        QFETCH(QString, filter);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString script = m_host->path("out.scr");
        if (before != "<none>")
            writeBytes(script, before);
        ModalDriver driver;
        driver.expect("Dlg_QT_ExportSettings").set("Type", filter).click("saveButton").click("okButton");
        driver.expect("QFileDialog").choose(script);
        // The save dialog asks before a script is replaced.
        if (mode == "new" && before != "<none>")
            driver.expect("QMessageBox").click("Yes");
        const LispCallResult r = run(driver, std::move(ArgChain().str(settingsFile()).str(mode)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        QCOMPARE(readBytes(script), after);
    }

    // Without a settings file nothing is shown and an empty script is written; a cancelled
    // file dialog writes nothing; a script that cannot be written is reported and the old
    // one stays.
    void scriptsWithoutLinesOrWithoutAFile()
    {
        const QString empty = m_host->path("empty.scr");
        const QString missing = m_host->path("missing/out.scr");
        QString message;
        ModalDriver driver;
        driver.expect("Dlg_QT_ExportSettings")
            .click("saveButton")
            .click("saveButton")
            .click("saveButton")
            .cancel();
        driver.expect("QFileDialog").choose(empty);
        driver.expect("QFileDialog").cancel();
        driver.expect("QFileDialog").choose(missing);
        driver.expect("QMessageBox").capture(&message).click("OK");
        const LispCallResult r = run(driver, std::move(ArgChain().str("")));
        KV_VERIFY_MODALS(driver);
        QVERIFY(r.isNil());
        QCOMPARE(readBytes(empty), QByteArray());
        QVERIFY2(message.startsWith("Cannot write") && message.contains(missing), qPrintable(message));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // The mode decides the window's title, the export button and the help topic; without a
    // mode a new script is written.
    void modeOfTheCall_data()
    {
        QTest::addColumn<int>("shape"); // 0 "add", 1 "new", 2 no mode
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("helpId");
        QTest::newRow("add") << 0 << "VariableToScript" << 9135;
        QTest::newRow("new") << 1 << "ExportVariables" << 9134;
        QTest::newRow("no mode") << 2 << "ExportVariables" << 9134;
    }

    void modeOfTheCall()
    {
        QFETCH(int, shape);
        QFETCH(QString, title);
        QFETCH(int, helpId);
        const QString settings = settingsFile();
        const long nodes = kvLiveNodeCount();
        ArgChain args;
        args.str(settings);
        if (shape == 0)
            args.str("add");
        if (shape == 1)
            args.str("new");
        CKvHelp::ClearCalls();
        QString shownTitle;
        ModalDriver driver;
        driver.expect("Dlg_QT_ExportSettings").capture(&shownTitle).click("buttonHelp").cancel();
        {
            const LispCallResult r = run(driver, std::move(args));
            KV_VERIFY_MODALS(driver);
            QVERIFY(r.isNil());
        }
        QCOMPARE(shownTitle, title);
        QCOMPARE(CKvHelp::Calls().value(0).id, helpId);
        QCOMPARE(kvLiveNodeCount(), nodes);
    }
};

KV_TEST_MAIN(TestExportSettings)
#include "tst_exportsettings.moc"
