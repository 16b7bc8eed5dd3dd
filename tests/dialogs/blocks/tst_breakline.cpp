// Break line: the symbol-making cycle through LISP, the name checks, and the file field
// with its shortened path, focus handling, file dialog and file check.
#include "BlockDialogTesting.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/Dlg_QT_Breakline.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QFileDialog>

using namespace BlockDialogTesting;

namespace {
const QByteArray Bom("\xEF\xBB\xBF");
const QString SymbolSource = QStringLiteral(KV_SOURCE_DIR "/examples/drawings/breakline_symbol.dwg");
} // namespace

class TestBreakline : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString symbolFolder() const { return m_host->logFilePath() + "Korvane/BreakLine"; }

    LispCallResult call(const QString& path)
    {
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_BreakLine", std::move(ArgChain().str(path)));
    }

    // A dialog shown and active, so that focus moves as it does for a person.
    static void showActive(Dlg_QT_Breakline& dialog)
    {
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // CREATE closes for the LISP side to make the symbol; it comes back with the new file in
    // the field, previewed, and OK draws with it.
    void createCycle()
    {
        const QString path = m_host->path("breakline.txt");
        ModalDriver first;
        first.expect("Dlg_QT_Breakline")
            .expectEnabled("acceptButton", false)
            .expectEnabled("SelectEntities", false)
            .set("name", "Zigzag")
            .expectEnabled("SelectEntities", true)
            .expectEnabled("label", true)
            .click("SelectEntities");
        first.start();
        LispCallResult r = call(path);
        KV_VERIFY_MODALS(first);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        // The spin boxes' own line edits are written too, under their Qt name.
        QCOMPARE(readBytes(path), Bom + "_dist_size=1\n!action!=CREATE\nqt_spinbox_lineedit=1\n_dist_offset=0\n"
                                        "qt_spinbox_lineedit=0\nname=Zigzag\n");
        first.stop();

        // What the LISP side does: the symbol drawing, its path in the state file.
        const QString symbol = symbolFolder() + "/Zigzag.dwg";
        QVERIFY(QFile::copy(SymbolSource, symbol));
        QVERIFY(writeBytes(path, readBytes(path) + "lbtitleblock=" + symbol.toUtf8() + "\n_dist_offset=0.25\n"));
        bool previewed = false;
        QString field;
        ModalDriver second;
        second.expect("Dlg_QT_Breakline")
            .expectValue("name", "")
            .expectEnabled("acceptButton", true)
            .run([&](QWidget* w) {
                auto* dialog = static_cast<Dlg_QT_Breakline*>(w);
                previewed = showsDrawing(dialog->PreviewBlock);
                field = dialog->LbTitleblock->text();
            })
            .set("_dist_size", "2.5")
            .click("acceptButton");
        second.start();
        r = call(path);
        KV_VERIFY_MODALS(second);
        QVERIFY(r.isVoid());
        QVERIFY(previewed);
        QVERIFY2(field.contains(QChar(0x2026)), qPrintable(field));
        QCOMPARE(readBytes(path), Bom + "lbtitleblock=" + symbol.toUtf8() + "\n!action!=OK\n_dist_size=2.5\n"
                                      "qt_spinbox_lineedit=2.5\n_dist_offset=0.25\nqt_spinbox_lineedit=0.25\n");
    }

    void nameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("answer"); // the button that answers the message box
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("accepted");
        // The name rules themselves are CDialogState::checkFileName's (tst_pickers).
        QTest::newRow("a semicolon is not")
            << "Zig;zag" << false << "OK" << "The following characters are not valid in File names: <>/\\\":;?*|,='"
            << false;
        QTest::newRow("replacing a symbol") << "Old" << true << "Yes"
                                            << "Drawing symbol \"%1\" already exists. Do you want to replace it?" << true;
        QTest::newRow("keeping a symbol") << "Old" << true << "No"
                                          << "Drawing symbol \"%1\" already exists. Do you want to replace it?" << false;
    }

    void nameChecks()
    {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, accepted);
        const QString target = symbolFolder() + "/" + name + ".dwg";
        if (exists)
            QVERIFY(writeBytes(target, "old symbol"));
        ModalDriver driver;
        auto& dialog = driver.expect("Dlg_QT_Breakline").set("name", name).click("SelectEntities");
        if (!accepted)
            dialog.click("ButtonCancel");
        driver.expect("QMessageBox").expectText(message.arg(target)).click(answer);
        driver.start();
        const LispCallResult r = call(m_host->path("breakline.txt"));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isVoid(), accepted);
        if (exists)
            QCOMPARE(readBytes(target), QByteArray("old symbol"));
    }

    // The symbol folder is made when the dialog is built; the file dialog starts there when
    // the field is empty, and a choice that is no drawing leaves the field alone.
    void browsing()
    {
        Dlg_QT_Breakline dialog;
        QCOMPARE(dialog.symbolFolder(), symbolFolder());
        QVERIFY(QFileInfo(symbolFolder()).isDir());
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        QVERIFY(isBlack(dialog.PreviewBlock));
        QVERIFY(!dialog.acceptButton->isEnabled());

        const QString text = m_host->path("notes.txt");
        QVERIFY(writeBytes(text, "no drawing"));
        QString startedIn;
        ModalDriver driver;
        driver.expect("QFileDialog")
            .run([&startedIn](QWidget* w) { startedIn = static_cast<QFileDialog*>(w)->directory().absolutePath(); })
            .choose(text);
        driver.expect("QFileDialog").choose(SymbolSource);
        driver.start();
        dialog.selectBlock();
        QCOMPARE(dialog.LbTitleblock->text(), QString());
        dialog.selectBlock();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(startedIn, symbolFolder());
        QCOMPARE(dialog.symbolPath(), SymbolSource);
        QVERIFY(dialog.acceptButton->isEnabled());
        QVERIFY(showsDrawing(dialog.PreviewBlock));
    }

    // Focus in shows the whole path, focus out shortens it again; Return takes a typed path;
    // a folder or a missing file turns the preview black and OK off.
    void fileField()
    {
        const QString longPath = m_host->path("symbols of the break lines used on the sheets of the second floor/zig.dwg");
        QVERIFY(QFileInfo(SymbolSource).exists());
        QVERIFY(writeBytes(longPath, readBytes(SymbolSource)));
        Dlg_QT_Breakline dialog;
        showActive(dialog);
        dialog.LbTitleblock->setFocus();
        QTest::keyClicks(dialog.LbTitleblock, longPath);
        QTest::keyClick(dialog.LbTitleblock, Qt::Key_Return);
        QCOMPARE(dialog.LbTitleblock->text(), longPath);
        QVERIFY(dialog.acceptButton->isEnabled());
        // OK is pressed with Return as well; the field keeps the dialog open.
        QVERIFY(dialog.isVisible());

        dialog.name->setFocus();
        QVERIFY(dialog.LbTitleblock->text().contains(QChar(0x2026)));
        QCOMPARE(dialog.symbolPath(), longPath);
        dialog.LbTitleblock->setFocus();
        QCOMPARE(dialog.LbTitleblock->text(), longPath);

        dialog.LbTitleblock->setText(QFileInfo(longPath).absolutePath());
        dialog.name->setFocus();
        QVERIFY(!dialog.acceptButton->isEnabled());
        QVERIFY(isBlack(dialog.PreviewBlock));

        dialog.LbTitleblock->setFocus();
        dialog.LbTitleblock->setText(longPath);
        dialog.name->setFocus();
        QVERIFY(dialog.acceptButton->isEnabled());
        QVERIFY(showsDrawing(dialog.PreviewBlock));
        dialog.name->setText("x");
        dialog.hide();
        dialog.show();
        // Every show empties the name.
        QCOMPARE(dialog.name->text(), QString());
        QVERIFY(!dialog.SelectEntities->isEnabled() && !dialog.label->isEnabled());
    }

    // A symbol file that went away after it was checked: OK says so and stays.
    void missingFileOnOk()
    {
        const QString symbol = m_host->path("gone.dwg");
        QVERIFY(QFile::copy(SymbolSource, symbol));
        QVERIFY(writeBytes(m_host->path("breakline.txt"), ("lbtitleblock=" + symbol + "\n").toUtf8()));
        ModalDriver driver;
        driver.expect("Dlg_QT_Breakline")
            .run([symbol](QWidget*) { QFile::remove(symbol); })
            .click("acceptButton")
            .expectEnabled("acceptButton", false)
            .click("ButtonCancel");
        driver.expect("QMessageBox").expectText("Cannot find the specified drawing file.").click("OK");
        driver.start();
        QVERIFY(call(m_host->path("breakline.txt")).isNil());
        KV_VERIFY_MODALS(driver);
    }

    // The sizes follow the active drawing's units.
    void sizesUseTheActiveDrawing()
    {
        QVERIFY(openBlocksDrawing(*m_host));
        CKvDatabase* database = ACTIVE_DOCUMENT()->GetKvDatabase();
        CKvDatabase* used = nullptr;
        ModalDriver driver;
        driver.expect("Dlg_QT_Breakline")
            .run([&used](QWidget* w) { used = static_cast<Dlg_QT_Breakline*>(w)->_dist_offset->database(); })
            .click("ButtonCancel");
        driver.start();
        QVERIFY(call(m_host->path("breakline.txt")).isNil());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(used, database);
    }
};

KV_TEST_MAIN(TestBreakline)
#include "tst_breakline.moc"
