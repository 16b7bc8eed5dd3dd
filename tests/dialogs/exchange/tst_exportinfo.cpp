// Support information export: the system information as shown, the report's layout, and
// Dlg_ExportInfo end to end with its result only for a report that reached its file.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_ExportInfo.h"
#include "dialogs/exchange/SupportReport.h"
#include "kernel/KvSystemServices.h"

namespace {
const QByteArray Bom("\xEF\xBB\xBF");
const QByteArray S = QByteArray(36, '@') + '\n';

// Fills the text boxes, which a dialog script cannot type into.
void typeTexts(QWidget* window, const QString& issue, const QString& steps)
{
    auto* dialog = static_cast<Dlg_QT_ExportInfo*>(window);
    dialog->textEdit_2->setPlainText(issue);
    if (!steps.isNull())
        dialog->steps->setPlainText(steps);
}
} // namespace

class TestExportInfo : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString state() const { return m_host->path("info.state"); }
    QString reportPath() const { return m_host->path("report.txt"); }
    LispCallResult call(const QString& infoFile)
    {
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_ExportInfo", std::move(ArgChain().str(state()).str(infoFile)));
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void systemInfoText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("each line after CR LF") << QByteArray("Host 2.1\nOS Linux\n") << "\r\nHost 2.1\r\nOS Linux";
        QTest::newRow("any line end") << QByteArray("a\r\nb\rc") << "\r\na\r\nb\r\nc";
        QTest::newRow("empty lines kept") << QByteArray("a\n\nb") << "\r\na\r\n\r\nb";
        QTest::newRow("8-bit text") << QByteArray("Caf\xe9") << QString::fromUtf8("\r\nCafé");
        QTest::newRow("nothing") << QByteArray() << "";
    }

    void systemInfoText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(KvSupportReport::systemInfoText(bytes), text);
    }

    void report_data()
    {
        QTest::addColumn<QByteArray>("info"); // "<none>": no such file
        QTest::addColumn<QString>("issue");
        QTest::addColumn<QString>("steps"); // null: the template
        QTest::addColumn<QByteArray>("body"); // the report after the user's three values
        QTest::newRow("typical") << QByteArray("Host 2.1\nGPU <none>\n") << "Crashes\non save" << QString()
                                 << "ISSUE DESCRIPTION:\nCrashes\non save\n\n" + S + "\tSTEPS TO REPRODUCE THE ISSUE\n" + S
                                        + "1. \n2. \n3. \n4. \n5. \n... \n\n" + S + "\tSYSTEM INFORMATION\n" + S
                                        + "\nHost 2.1\nGPU <none>";
        QTest::newRow("no system information") << QByteArray("<none>") << "" << "Open\n\tSave"
                                               << "ISSUE DESCRIPTION:\n\n\n" + S + "\tSTEPS TO REPRODUCE THE ISSUE\n"
                                                      + S + "Open\n\tSave\n" + S + "\tSYSTEM INFORMATION\n" + S;
    }

    // The report, byte for byte, and the message naming it.
    void report()
    {
        QFETCH(QByteArray, info);
        QFETCH(QString, issue);
        QFETCH(QString, steps);
        QFETCH(QByteArray, body);
        const QString infoFile = m_host->path("sysinfo.txt");
        if (info != "<none>")
            QVERIFY(writeBytes(infoFile, info));
        ModalDriver driver;
        driver.expect("Dlg_QT_ExportInfo")
            .set("lineEdit", "Ana Ruiz")
            .set("lineEdit_2", "ana@example.com")
            .set("lineEdit_3", "+34 600")
            .run([issue, steps](QWidget* w) { typeTexts(w, issue, steps); })
            .click("acceptButton");
        driver.expect("QFileDialog").choose(reportPath());
        driver.start();
        const LispCallResult r = call(infoFile);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.string(), "\nSettings saved to: \"" + reportPath() + "\" successfully.");
        QCOMPARE(readBytes(reportPath()), S + "\t\tUSER INFORMATION\n" + S
                                          + "NAME:   Ana Ruiz\nE-MAIL: ana@example.com\nPHONE:  +34 600\n\n" + body);
        QCOMPARE(readBytes(state()),
                 Bom + "lineedit=Ana Ruiz\n!action!=\nlineedit_2=ana@example.com\nlineedit_3=+34 600\n");
    }

    void noReport_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("message"); // the start of the message shown, if any
        QTest::newRow("Cancel") << "cancel" << "";
        QTest::newRow("no file chosen") << "no file" << "";
        QTest::newRow("file not writable, then Cancel") << "unwritable" << "The report was not saved.\n";
    }

    // Without a report written the call gives the empty string and the old file stays.
    void noReport()
    {
        QFETCH(QString, way);
        QFETCH(QString, message);
        const QString target = way == "unwritable" ? m_host->path("no/such/folder/report.txt") : reportPath();
        QString shown;
        ModalDriver driver;
        driver.expect("Dlg_QT_ExportInfo");
        if (way == "cancel") {
            driver.click("ButtonCancel");
        } else if (way == "no file") {
            driver.click("acceptButton").expect("QFileDialog").cancel();
        } else {
            // The dialog stays open after the failure; the user gives up.
            driver.click("acceptButton").click("ButtonCancel");
            driver.expect("QFileDialog").choose(target);
            driver.expect("QMessageBox").capture(&shown).click("OK");
        }
        driver.start();
        const LispCallResult r = call(QString());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.type(), short(kvrt::String));
        QCOMPARE(r.string(), QString());
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(shown.left(message.size()), message);
    }
};

KV_TEST_MAIN(TestExportInfo)
#include "tst_exportinfo.moc"
