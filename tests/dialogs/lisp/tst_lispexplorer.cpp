// The LISP explorer: its file page, its page of loaded symbols, and Dlg_LispExplorer end to end.
#include "ItemTexts.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/lisp/Dlg_QT_LispExplorer.h"
#include "kernel/KvDocument.h"
#include "kernel/lisp/KvLispEngine.h"
#include "module/LispFunctionsModule.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>

namespace {
const QByteArray kSource = "; first\n"
                           "(defun one () 1)\n"
                           "\n"
                           ";; header of two\n"
                           ";; second line\n"
                           "(defun two (a)\n"
                           "\t(+ a 1)) ; done\n";

const QByteArray kSymbols = "VARIABLE!myvar!STR!abc\n"
                            "COMMAND!C:GO!USUBR!Command!'(/ a)\n"
                            "FUNCTION!F1!USUBR!Function!'(x)\n"
                            "command!C:LOWER!USUBR!Command!x\n"
                            "VARIABLE!n!INT!42\n"
                            "COMMAND!C:SHORT\n"
                            "VARIABLE!v\n";
} // namespace

class TestLispExplorer : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    // A shown explorer that is not modal, so that the modal driver sees only the boxes it opens.
    std::unique_ptr<Dlg_QT_LispExplorer> shownDialog(const QString& folder = QString())
    {
        auto dialog = std::make_unique<Dlg_QT_LispExplorer>();
        dialog->setModal(false);
        dialog->TxDirectory->setText(folder);
        dialog->show();
        return dialog;
    }

    QString loaded() const { return m_host->document(0)->GetLispContext()->engine().variablePrinted("loaded"); }

private slots:
    void initTestCase() { registerModuleImages(); }

    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
    }

    void cleanup()
    {
        ModalDriver::closeAllModals();
        m_host.reset();
    }

    // A trailing "/" makes a folder.
    void listsLispFilesOnly_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("extension in any case") << QStringList{"a.lsp", "B.Lsp", "C.LSP", "x.lsp.bak", "notes.txt"}
                                               << QStringList{"a.lsp", "B.Lsp", "C.LSP"};
        QTest::newRow("name without a dot compared whole") << QStringList{"lsp", "LSPX", "readme"} << QStringList{"lsp"};
        QTest::newRow("only the last dot counts") << QStringList{"a.lsp.", "b.bak.lsp", "trailing."} << QStringList{"b.bak.lsp"};
        QTest::newRow("folders are not files") << QStringList{"sub.lsp/", "z.lsp"} << QStringList{"z.lsp"};
        QTest::newRow("no LISP file") << QStringList{"a.txt"} << QStringList{};
    }

    void listsLispFilesOnly()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, listed);
        const QString folder = m_host->path("lib");
        QVERIFY(QDir().mkpath(folder));
        for (const QString& entry : entries) {
            if (entry.endsWith('/'))
                QVERIFY(QDir(folder).mkpath(entry));
            else
                QVERIFY(writeBytes(folder + '/' + entry, "(defun f () 1)\n"));
        }
        auto dialog = shownDialog();
        QVERIFY(itemTexts(dialog->List_files).isEmpty());
        dialog->TxDirectory->setText(folder);
        QTest::keyClick(dialog->TxDirectory, Qt::Key_Return);
        // Return lists the folder and leaves the dialog open.
        QVERIFY(dialog->isVisible());
        QCOMPARE(itemTexts(dialog->List_files), listed);
        QCOMPARE(dialog->currentFolder(), folder);
        if (listed.isEmpty())
            QVERIFY(!dialog->Bt_Load->isEnabled());
    }

    void browseForTheFolder_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled") << true;
    }

    void browseForTheFolder()
    {
        QFETCH(bool, cancel);
        QVERIFY(writeBytes(m_host->path("old/old.lsp"), kSource));
        QVERIFY(writeBytes(m_host->path("new/new.lsp"), kSource));
        auto dialog = shownDialog(m_host->path("old"));
        ModalDriver driver;
        QString start;
        auto& step = driver.expect("QFileDialog").run([&](QWidget* w) {
            start = static_cast<QFileDialog*>(w)->directory().absolutePath();
        });
        if (cancel)
            step.cancel();
        else
            step.choose(m_host->path("new"));
        driver.start();
        dialog->bt_Directory->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(start, m_host->path("old"));
        QCOMPARE(dialog->TxDirectory->text(), m_host->path(cancel ? "old" : "new"));
        QCOMPARE(itemTexts(dialog->List_files), QStringList(cancel ? "old.lsp" : "new.lsp"));
    }

    void examplesFolder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("functions");
        QTest::newRow("commands") << "commands.lsp" << QStringList{"c:kvmid", "c:kvnames"};
        // Code page 1252, ";" in strings, DEFUN in capitals, an indented definition.
        QTest::newRow("legacy") << "legacy.lsp" << QStringList{"kv-drawing-exts", "kv-ext-list", "kv-say", "C:KVEXTS"};
    }

    void examplesFolder()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, functions);
        auto dialog = shownDialog(QStringLiteral(KV_SOURCE_DIR "/examples/lisp"));
        QCOMPARE(itemTexts(dialog->List_files),
                 QStringList({"blocktools.lsp", "commands.lsp", "geometry.lsp", "legacy.lsp", "strings.lsp"}));
        dialog->List_files->setCurrentRow(itemTexts(dialog->List_files).indexOf(file));
        QCOMPARE(itemTexts(dialog->List_functions), functions);
        QVERIFY(dialog->Bt_Load->isEnabled());
        // Letters of a code page read as themselves, not as replacement characters.
        dialog->List_functions->setCurrentRow(functions.size() - 1);
        QVERIFY(!dialog->tx_EditLisp->toPlainText().contains(QChar(QChar::ReplacementCharacter)));
        if (file == "legacy.lsp")
            QVERIFY(dialog->tx_EditLisp->toPlainText().contains(QString::fromUtf8("Tambi\xC3\xA9n")));
    }

    void displayFormats_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("header only") << 1 << 0 << "\n;; header of two\n;; second line\n(defun two (a)";
        QTest::newRow("function only, tab expanded") << 1 << 1 << "(defun two (a)\n    (+ a 1)) ; done";
        QTest::newRow("both") << 1 << 2 << "\n;; header of two\n;; second line\n(defun two (a)\n    (+ a 1)) ; done";
        QTest::newRow("one-line definition") << 0 << 1 << "(defun one () 1)";
    }

    void displayFormats()
    {
        QFETCH(int, function);
        QFETCH(int, format);
        QFETCH(QString, text);
        QVERIFY(writeBytes(m_host->path("lib/src.lsp"), kSource));
        auto dialog = shownDialog(m_host->path("lib"));
        dialog->List_files->setCurrentRow(0);
        QCOMPARE(itemTexts(dialog->List_functions), QStringList({"one", "two"}));
        // The view follows both the selected function and the format, whichever changes last.
        dialog->Cb_Format->setCurrentIndex(format);
        dialog->List_functions->setCurrentRow(function);
        QCOMPARE(dialog->tx_EditLisp->toPlainText(), text);
        dialog->List_functions->setCurrentRow(1 - function);
        dialog->Cb_Format->setCurrentIndex((format + 1) % 3);
        dialog->List_functions->setCurrentRow(function);
        dialog->Cb_Format->setCurrentIndex(format);
        QCOMPARE(dialog->tx_EditLisp->toPlainText(), text);
    }



    // cursor: where the search starts (-1: the end of the text). found: the word whose match
    // must be selected, with its occurrence (0 first); empty when the box must come.
    void search_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<QString>("box");
        QTest::newRow("found from the start") << "two" << 0 << 0 << "";
        QTest::newRow("next match after the cursor") << "two" << 17 << 1 << "";
        QTest::newRow("wraps to the top") << "header" << -1 << 0 << "";
        QTest::newRow("capitals find lower case") << "HEADER" << -1 << 0 << "";
        QTest::newRow("not found") << "zzz" << 0 << -1 << "No matches found for 'zzz'";
        QTest::newRow("not found, apostrophes kept") << "it's" << 0 << -1 << "No matches found for 'it's'";
        QTest::newRow("not found, shown as typed") << "<b>x</b>&amp;" << 0 << -1 << "No matches found for '<b>x</b>&amp;'";
    }

    void search()
    {
        QFETCH(QString, search);
        QFETCH(int, cursor);
        QFETCH(int, occurrence);
        QFETCH(QString, box);
        QVERIFY(writeBytes(m_host->path("lib/src.lsp"), kSource));
        auto dialog = shownDialog(m_host->path("lib"));
        dialog->List_files->setCurrentRow(0);
        dialog->List_functions->setCurrentRow(1);
        dialog->txSearch->setText(search);
        const QString text = dialog->tx_EditLisp->toPlainText();
        QTextCursor c = dialog->tx_EditLisp->textCursor();
        c.setPosition(cursor < 0 ? text.size() : cursor);
        dialog->tx_EditLisp->setTextCursor(c);
        ModalDriver driver;
        Qt::TextFormat format = Qt::AutoText;
        if (!box.isEmpty())
            driver.expect("QMessageBox").expectText(box).run([&](QWidget* w) {
                format = static_cast<QMessageBox*>(w)->textFormat();
            }).click("OK");
        driver.start();
        dialog->bt_Search->click();
        KV_VERIFY_MODALS(driver);
        if (box.isEmpty()) {
            int at = -1;
            for (int i = 0; i <= occurrence; ++i)
                at = text.indexOf(search, at + 1, Qt::CaseInsensitive);
            QVERIFY(at >= 0);
            QCOMPARE(dialog->tx_EditLisp->textCursor().selectionStart(), at);
            QCOMPARE(dialog->tx_EditLisp->textCursor().selectedText(), text.mid(at, search.size()));
        } else {
            QCOMPARE(format, Qt::PlainText);
        }
    }

    // Folder "a" lists a.lsp, b.lsp, lsp and lsp.lsp; each sets loaded to its own number.
    void loadInQuor_data()
    {
        QTest::addColumn<QString>("typedFolder");
        QTest::addColumn<QVector<int>>("rows");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("loaded");
        const QString ok = "The file has been loaded.";
        QTest::newRow("one file") << "" << QVector<int>{0} << ok << "1";
        QTest::newRow("no file") << "" << QVector<int>{} << "" << "nil";
        QTest::newRow("two files") << "" << QVector<int>{0, 1} << "" << "nil";
        QTest::newRow("name without .lsp gets it") << "" << QVector<int>{2} << ok << "3";
        QTest::newRow("the folder as typed, not as listed") << "b" << QVector<int>{0} << ok << "10";
        QTest::newRow("a file that is not there") << "missing" << QVector<int>{1} << "The file could not be loaded:\n%1/missing/b.lsp"
                                                  << "nil";
    }

    void loadInQuor()
    {
        QFETCH(QString, typedFolder);
        QFETCH(QVector<int>, rows);
        QFETCH(QString, box);
        QFETCH(QString, loaded);
        QVERIFY(writeBytes(m_host->path("a/a.lsp"), "(setq loaded 1)\n"));
        QVERIFY(writeBytes(m_host->path("a/b.lsp"), "(setq loaded 2)\n"));
        QVERIFY(writeBytes(m_host->path("a/lsp"), "(setq loaded 98)\n"));
        QVERIFY(writeBytes(m_host->path("a/lsp.lsp"), "(setq loaded 3)\n"));
        QVERIFY(writeBytes(m_host->path("b/a.lsp"), "(setq loaded 10)\n"));
        auto dialog = shownDialog(m_host->path("a"));
        QCOMPARE(itemTexts(dialog->List_files), QStringList({"a.lsp", "b.lsp", "lsp", "lsp.lsp"}));
        dialog->List_files->setCurrentRow(rows.value(0, 0));
        dialog->List_files->clearSelection();
        for (int row : rows)
            dialog->List_files->item(row)->setSelected(true);
        if (!typedFolder.isEmpty())
            dialog->TxDirectory->setText(m_host->path(typedFolder));
        QVERIFY(dialog->Bt_Load->isEnabled());
        ModalDriver driver;
        if (!box.isEmpty())
            driver.expect("QMessageBox").expectText(box.contains("%1") ? box.arg(m_host->folder()) : box).click("OK");
        driver.start();
        dialog->Bt_Load->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(this->loaded(), loaded);
    }

    void unreadableLispFile()
    {
        QVERIFY(writeBytes(m_host->path("lib/a.lsp"), kSource));
        QVERIFY(writeBytes(m_host->path("lib/b.lsp"), kSource));
        auto dialog = shownDialog(m_host->path("lib"));
        dialog->List_files->setCurrentRow(0);
        dialog->List_functions->setCurrentRow(1);
        QVERIFY(QFile::remove(m_host->path("lib/b.lsp")));
        ModalDriver driver;
        driver.expect("QMessageBox").click("OK");
        driver.start();
        dialog->List_files->setCurrentRow(1);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog->List_functions->count(), 0);
        QVERIFY(dialog->tx_EditLisp->toPlainText().isEmpty());
    }

    void symbolTable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("commands") << "isCommands"
                                  << QStringList{"C:GO|USUBR|Command", "C:SHORT||"};
        QTest::newRow("functions") << "isFunctions"
                                   << QStringList{"F1|USUBR|Function"};
        QTest::newRow("variables") << "isVariables"
                                   << QStringList{"myvar|STR|abc", "n|INT|42", "v||"};
    }

    void symbolTable()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, rows);
        QVERIFY(writeBytes(m_host->path("symbols.txt"), kSymbols));
        auto dialog = shownDialog();
        QVERIFY(dialog->readSymbolFile(m_host->path("symbols.txt")));
        dialog->isQuor->click();
        QCOMPARE(dialog->stack1->currentIndex(), 1);
        // From another kind to this one, so the table is refilled by the click.
        (kind == "isVariables" ? dialog->isCommands : dialog->isVariables)->click();
        dialog->findChild<QRadioButton*>(kind)->click();
        QTableWidget* table = dialog->tableFunctions;
        QCOMPARE(rowTexts(table), rows);
        dialog->isUser->click();
        QCOMPARE(dialog->stack1->currentIndex(), 0);
    }


    void exportWritesTheDump_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("saved") << false;
        QTest::newRow("cancelled") << true;
    }

    void exportWritesTheDump()
    {
        QFETCH(bool, cancel);
        QVERIFY(writeBytes(m_host->path("symbols.txt"), kSymbols));
        const QString dump = m_host->path("out/symbols.dmp");
        QVERIFY(writeBytes(dump, "old dump\n"));
        auto dialog = shownDialog();
        dialog->readSymbolFile(m_host->path("symbols.txt"));
        dialog->isQuor->click();
        ModalDriver driver;
        auto& step = driver.expect("QFileDialog");
        if (cancel) {
            step.cancel();
        } else {
            step.choose(dump);
            // Writing over a file asks first.
            driver.expect("QMessageBox").click("Yes");
        }
        driver.start();
        dialog->btnExport->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(readBytes(dump), cancel ? QByteArray("old dump\n")
                                       : QByteArray(";(setq C:GO '(/ a))\n"
                                                    ";(setq C:SHORT )\n"
                                                    ";(setq F1 '(x))\n"
                                                    ";(setq myvar \"abc\")\n"
                                                    ";(setq n 42)\n"
                                                    ";(setq v )\n"));
    }

    void unreadableSymbolFileKeepsLists_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << "nothing-here.txt";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("empty path") << "";
    }

    void unreadableSymbolFileKeepsLists()
    {
        QFETCH(QString, path);
        QVERIFY(writeBytes(m_host->path("symbols.txt"), kSymbols));
        QVERIFY(QDir().mkpath(m_host->path("folder")));
        auto dialog = shownDialog();
        QVERIFY(dialog->readSymbolFile(m_host->path("symbols.txt")));
        dialog->isQuor->click();
        const QStringList before = rowTexts(dialog->tableFunctions);
        QCOMPARE(before.size(), 2);
        ModalDriver driver;
        driver.expect("QMessageBox").click("OK");
        driver.start();
        if (path.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, "QFSFileEngine::open: No file name specified");
        QVERIFY(!dialog->readSymbolFile(path.isEmpty() ? path : m_host->path(path)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog->symbols().commands.size(), 2);
        QCOMPARE(dialog->symbols().functions.size(), 1);
        QCOMPARE(dialog->symbols().variables.size(), 3);
        QCOMPARE(rowTexts(dialog->tableFunctions), before);
    }

    // shape: 0 no arguments, 1 symbol file, 2 symbol file and "DUMP", 3 "dump" in lower case,
    // 4 a number first, 5 more arguments after "DUMP", 6 a missing symbol file and "DUMP".
    void dlgLispExplorer_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("commands");
        QTest::newRow("no arguments") << 0 << 0 << 0;
        QTest::newRow("symbol file") << 1 << 0 << 2;
        QTest::newRow("symbol file and DUMP") << 2 << 1 << 2;
        QTest::newRow("dump in lower case") << 3 << 0 << 2;
        QTest::newRow("more arguments") << 5 << 1 << 2;
        QTest::newRow("missing symbol file") << 6 << 1 << 0;
    }

    void dlgLispExplorer()
    {
        QFETCH(int, shape);
        QFETCH(int, page);
        QFETCH(int, commands);
        const QString symbols = m_host->path("symbols.txt");
        QVERIFY(writeBytes(symbols, kSymbols));
        const long nodes = kvLiveNodeCount();
        ArgChain args;
        if (shape == 1)
            args.str(symbols);
        if (shape == 2)
            args.str(symbols).str("DUMP");
        if (shape == 3)
            args.str(symbols).str("dump");
        if (shape == 5)
            args.str(symbols).str("DUMP").real(1.5).nil();
        if (shape == 6)
            args.str(m_host->path("missing.txt")).str("DUMP");
        ModalDriver driver;
        if (shape == 6)
            driver.expect("QMessageBox").click("OK");
        int shownPage = -1;
        bool quor = false;
        int rows = -1;
        driver.expect("Dlg_QT_LispExplorer").run([&](QWidget* w) {
            auto* d = static_cast<Dlg_QT_LispExplorer*>(w);
            shownPage = d->stack1->currentIndex();
            quor = d->isQuor->isChecked();
            rows = d->isQuor->isChecked() ? d->tableFunctions->rowCount() : int(d->symbols().commands.size());
        }).click(page == 1 ? "btnClose2" : "btnClose");
        driver.start();
        {
            const LispCallResult r = callLisp(m_host->document(0), "Dlg_LispExplorer", std::move(args));
            KV_VERIFY_MODALS(driver);
            QCOMPARE(r.status, kvrt::Normal);
            QVERIFY(r.isVoid());
        }
        QCOMPARE(shownPage, page);
        QCOMPARE(quor, page == 1);
        QCOMPARE(rows, commands);
        QCOMPARE(kvLiveNodeCount(), nodes);
    }

    // Loading from the explorer while the LISP engine waits for the explorer's call to end.
    void loadFromALispCall()
    {
        QVERIFY(writeBytes(m_host->path("lib/set.lsp"), "(defun kv-double (x) (* 2 x))\n(setq loaded (kv-double 21))\n"));
        const QString folder = m_host->path("lib");
        ModalDriver driver;
        driver.expect("Dlg_QT_LispExplorer").run([folder](QWidget* w) {
            auto* d = static_cast<Dlg_QT_LispExplorer*>(w);
            d->TxDirectory->setText(folder);
            QTest::keyClick(d->TxDirectory, Qt::Key_Return);
            d->List_files->setCurrentRow(0);
        }).click("Bt_Load").click("btnClose");
        driver.expect("QMessageBox").expectText("The file has been loaded.").click("OK");
        driver.start();
        const auto results = m_host->document(0)->GetLispContext()->engine().evaluate("(Dlg_LispExplorer) (kv-double loaded)");
        KV_VERIFY_MODALS(driver);
        QCOMPARE(results.size(), 2);
        QVERIFY2(results.at(1).ok, qPrintable(results.at(1).error));
        QCOMPARE(results.at(1).printed, QStringLiteral("84"));
    }

    // The dialog is kept between calls of one document; the file page is listed afresh.
    void reshowListsAgain()
    {
        QVERIFY(writeBytes(m_host->path("lib/a.lsp"), kSource));
        auto dialog = shownDialog(m_host->path("lib"));
        dialog->List_files->setCurrentRow(0);
        dialog->txSearch->setText("one");
        dialog->hide();
        QVERIFY(writeBytes(m_host->path("lib/b.lsp"), kSource));
        dialog->show();
        QCOMPARE(itemTexts(dialog->List_files), QStringList({"a.lsp", "b.lsp"}));
        QCOMPARE(dialog->List_functions->count(), 0);
        QVERIFY(dialog->txSearch->text().isEmpty());
    }
};

KV_TEST_MAIN(TestLispExplorer)
#include "tst_lispexplorer.moc"
