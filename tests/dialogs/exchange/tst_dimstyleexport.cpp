// Dimension style export: the style list and its variables, the export, and
// Dlg_ExDimensionStyle end to end.
#include "ExchangeTests.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_ExchangedDimensionStyle.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QHeaderView>

namespace {
// Three styles; the first line after each name line is no variable although it looks like one.
const QByteArray kSource = "; drawing styles\n"
                           "DIMENSION_STYLE_NAME Standard\n"
                           "HIDDEN 1\n"
                           "DIMASZ 2.5\n"
                           "DIMTXSTY Standard\n"
                           "DIMTXT_FONT txt.shx\n"
                           "END_OF_STYLE\n"
                           "DIMENSION_STYLE_NAME Iso 25 mm\n"
                           "HIDDEN 2\n"
                           "DIMLT CENTER 9\n"
                           "*CENTER,C\n"
                           "DIMGAP 0.6\n"
                           "NOVARIABLE\n"
                           "END_OF_STYLE\n"
                           "DIMENSION_STYLE_NAME Arch\n"
                           "HIDDEN 3\n"
                           "DIMTXT_FONT arch.shx\n"
                           "DIMSCALE 100";

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n") + "\r\n";
}
} // namespace

class TestDimStyleExport : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    // The state file naming the source, with the text style option given.
    QString writeState(bool fullText)
    {
        const QString source = m_host->path("source.dim");
        writeBytes(source, kSource);
        const QString state = m_host->path("export.txt");
        writeBytes(state, ("filedim=" + source + "\nrbfulltext=" + (fullText ? "TRUE" : "FALSE") + "\n").toUtf8());
        return state;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // Blocks in the order the styles were selected, whatever the list's order; a block that
    // never ends runs to the end of the file.
    void exportsTheSelectedStyles_data()
    {
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<bool>("fullText");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray standard = "DIMENSION_STYLE_NAME Standard\nHIDDEN 1\nDIMASZ 2.5\nDIMTXSTY Standard\n"
                                    "DIMTXT_FONT txt.shx\nEND_OF_STYLE";
        const QByteArray iso = "DIMENSION_STYLE_NAME Iso 25 mm\nHIDDEN 2\nDIMLT CENTER 9\n*CENTER,C\nDIMGAP 0.6\n"
                               "NOVARIABLE\nEND_OF_STYLE";
        const QByteArray arch = "DIMENSION_STYLE_NAME Arch\nHIDDEN 3\nDIMTXT_FONT arch.shx\nDIMSCALE 100";
        QTest::newRow("three, full text style") << QStringList{"Iso 25 mm", "Arch", "Standard"} << true
                                                << crlf(iso + "\n" + arch + "\n" + standard);
        QTest::newRow("text style name only") << QStringList{"Arch", "Standard"} << false
                                              << crlf("DIMENSION_STYLE_NAME Arch\nHIDDEN 3\nDIMSCALE 100\n"
                                                      "DIMENSION_STYLE_NAME Standard\nHIDDEN 1\nDIMASZ 2.5\n"
                                                      "DIMTXSTY Standard\nEND_OF_STYLE");
    }

    void exportsTheSelectedStyles()
    {
        QFETCH(QStringList, selection);
        QFETCH(bool, fullText);
        QFETCH(QByteArray, expected);
        const QString state = writeState(fullText);
        const QString out = m_host->path("out");
        ModalDriver driver;
        driver.expect("Dlg_QT_ExchangedDimensionStyle")
            .run([&](QWidget* w) {
                auto* dialog = static_cast<Dlg_QT_ExchangedDimensionStyle*>(w);
                selectByText(dialog->lstStyles, selection);
                // Sorting again after selecting keeps the order the styles were picked in.
                dialog->lstStyles->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
            })
            .click("selectfile");
        driver.expect("QFileDialog").choose(out);
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_ExDimensionStyle", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(readBytes(out + ".dim"), expected);
        // The state file lists the selection as the table shows it (sorted A to Z).
        QStringList sorted = selection;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(readBytes(state), "\xEF\xBB\xBFlststyles=" + sorted.join('^').toUtf8() + "^\n!action!=\n"
                     + (fullText ? "rbnametext=FALSE\nrbfulltext=TRUE\n" : "rbnametext=TRUE\nrbfulltext=FALSE\n"));
    }

    // The save dialog adds ".dim", so its own question covers the file written; a name with
    // another suffix gets ".dim" after it and the same question.
    void replacingAFileIsAsked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("answer");
        QTest::newRow("no suffix, keep") << "old" << "old.dim" << "No";
        QTest::newRow("other suffix, replace") << "old.v2" << "old.v2.dim" << "Yes";
    }

    void replacingAFileIsAsked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, answer);
        const QString state = writeState(true);
        writeBytes(m_host->path(written), "keep me");
        const bool replace = answer == "Yes";
        ModalDriver driver;
        auto& dialog = driver.expect("Dlg_QT_ExchangedDimensionStyle").select("lstStyles", {0}).click("selectfile");
        if (!replace)
            dialog.click("buttonCancel");
        auto& files = driver.expect("QFileDialog").choose(m_host->path(typed));
        // Asked by the save dialog itself, it stays open after No.
        if (!replace && !typed.contains('.'))
            files.cancel();
        driver.expect("QMessageBox").click(answer);
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_ExDimensionStyle", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isVoid(), replace);
        if (replace)
            QVERIFY(readBytes(m_host->path(written)).startsWith("DIMENSION_STYLE_NAME Standard\r\n"));
        else
            QCOMPARE(readBytes(m_host->path(written)), QByteArray("keep me"));
    }

    // Nothing is written without a style, nor where no file can be: the dialog says so and
    // stays, and a Close afterwards answers nil.
    void refusedExportsStayOpen_data()
    {
        QTest::addColumn<QVector<int>>("rows");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("no style selected") << QVector<int>() << "out"
                                           << "No dimension style selected, please select a dimension style to export. ";
        QTest::newRow("folder missing") << QVector<int>{0} << "missing/out" << "Cannot write";
    }

    void refusedExportsStayOpen()
    {
        QFETCH(QVector<int>, rows);
        QFETCH(QString, target);
        QFETCH(QString, message);
        const QString state = writeState(true);
        const QByteArray stateBefore = readBytes(state);
        QString shown;
        ModalDriver driver;
        driver.expect("Dlg_QT_ExchangedDimensionStyle").select("lstStyles", rows).click("selectfile").click("buttonCancel");
        driver.expect("QFileDialog").choose(m_host->path(target));
        driver.expect("QMessageBox").capture(&shown).click("OK");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_ExDimensionStyle", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QVERIFY2(shown.startsWith(message), qPrintable(shown));
        QVERIFY(r.isNil());
        QVERIFY(!QFileInfo::exists(m_host->path(target + ".dim")));
        QCOMPARE(readBytes(state), stateBefore);
    }

};

KV_TEST_MAIN(TestDimStyleExport)
#include "tst_dimstyleexport.moc"
