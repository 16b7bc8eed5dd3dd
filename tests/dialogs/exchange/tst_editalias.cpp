// The command alias editor: the alias file read on show and written on OK and Save, the
// duplicate check, removal, export and import, the printed listing, and Dlg_EditAlias end
// to end.
#include "ExchangeTests.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_EditAlias.h"
#include "kernel/KvSystemServices.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

namespace {
const QByteArray kAliases = "<aliases>\n    <record command=\"LINE\" alias=\"L\"/>\n"
                            "    <record command=\"CIRCLE\" alias=\"C\"/>\n    <record command=\"ARC\" alias=\"\"/>\n"
                            "</aliases>\n";

// Types into a cell as the user does: the view commits the text through the model.
void typeInto(QTableWidget* table, int row, int column, const QString& text)
{
    table->model()->setData(table->model()->index(row, column), text);
}

// n empty texts, for messages captured one by one.
QStringList blanks(int n)
{
    QStringList texts;
    for (int i = 0; i < n; ++i)
        texts << QString();
    return texts;
}

QString aliasOf(const Dlg_QT_EditAlias& dialog, int row)
{
    const QTableWidgetItem* item = dialog.lstAlias->item(row, 1);
    return item ? item->text() : QStringLiteral("<none>");
}

// A non-modal editor, so that only its message boxes go to the driver.
void showEditor(Dlg_QT_EditAlias& dialog)
{
    dialog.setModal(false);
    dialog.show();
}
} // namespace

class TestEditAlias : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString aliasFile() const { return m_host->path("support/alias.xml"); }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
        QVERIFY(QDir().mkpath(m_host->path("support")));
        m_host->services()->GetSettings()->SetAliasFolder(m_host->path("support"));
    }
    void cleanup() { m_host.reset(); }

    // A new alias typed in lower case is saved upper-cased on top; the empty ARC row is not
    // saved; the state file says where the aliases went, whatever it said before.
    void editAndAccept()
    {
        QVERIFY(writeBytes(aliasFile(), kAliases));
        const QString state = m_host->path("alias.state");
        QVERIFY(writeBytes(state, "txalias=/somewhere/else.xml\nlstalias=LINE^\n"));
        ModalDriver driver;
        driver.expect("Dlg_QT_EditAlias")
            .run([](QWidget* w) {
                auto* dialog = static_cast<Dlg_QT_EditAlias*>(w);
                dialog->btnAdd->click();
                typeInto(dialog->lstAlias, 0, 0, "copy");
                typeInto(dialog->lstAlias, 0, 1, "co");
            })
            .click("acceptButton");
        driver.start();
        const LispCallResult r = callLisp(ACTIVE_DOCUMENT(), "Dlg_EditAlias", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        QCOMPARE(readBytes(aliasFile()), QByteArray("<aliases>\n    <record command=\"COPY\" alias=\"CO\"/>\n"
                                                    "    <record command=\"LINE\" alias=\"L\"/>\n"
                                                    "    <record command=\"CIRCLE\" alias=\"C\"/>\n</aliases>\n"));
        QCOMPARE(readBytes(state), "\xEF\xBB\xBFtxalias=" + aliasFile().toUtf8() + "\n!action!=\nlstalias=copy^\n");
        driver.stop();

        // Cancel writes nothing and answers nil.
        ModalDriver cancel;
        cancel.expect("Dlg_QT_EditAlias").click("btnClean").cancel();
        cancel.expect("QMessageBox").click("Yes");
        cancel.start();
        QVERIFY(callLisp(ACTIVE_DOCUMENT(), "Dlg_EditAlias", std::move(ArgChain().str(state))).isNil());
        KV_VERIFY_MODALS(cancel);
        QVERIFY(readBytes(aliasFile()).contains("COPY"));
    }

    void duplicateCheck_data()
    {
        QTest::addColumn<int>("clickedRow"); // an alias cell clicked before the edit, or -1
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("aliases");
        QTest::addColumn<bool>("refused");
        QTest::newRow("another row's alias in another case") << -1 << 1 << "l" << QStringList{"L", "C", ""} << true;
        QTest::newRow("a new alias") << -1 << 1 << "ci" << QStringList{"L", "ci", ""} << false;
        QTest::newRow("its own alias in another case") << -1 << 0 << "l" << QStringList{"l", "C", ""} << false;
        QTest::newRow("cleared while another is empty") << -1 << 0 << "" << QStringList{"L", "C", ""} << true;
        QTest::newRow("another cell clicked first: the edited one comes back")
            << 2 << 1 << "L" << QStringList{"L", "C", ""} << true;
    }

    void duplicateCheck()
    {
        QFETCH(int, clickedRow);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QStringList, aliases);
        QFETCH(bool, refused);
        QVERIFY(writeBytes(aliasFile(), kAliases));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        if (clickedRow >= 0)
            emit dialog.lstAlias->cellClicked(clickedRow, 1);
        QString message;
        ModalDriver driver;
        if (refused)
            driver.expect("QMessageBox").capture(&message).click("OK");
        driver.start();
        typeInto(dialog.lstAlias, row, 1, text);
        KV_VERIFY_MODALS(driver);
        QCOMPARE((QStringList{aliasOf(dialog, 0), aliasOf(dialog, 1), aliasOf(dialog, 2)}), aliases);
        if (refused)
            QCOMPARE(message, QStringLiteral("This alias already begin used for other command."));
    }

    // New rows are filled without the check: two empty aliases in a row are no duplicate yet.
    // Sorting carries each cell's previous text with it.
    void addingAndSorting()
    {
        QVERIFY(writeBytes(aliasFile(), kAliases));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        dialog.btnAdd->click();
        dialog.btnAdd->click();
        QCOMPARE(dialog.lstAlias->rowCount(), 5);
        QCOMPARE(dialog.lstAlias->currentRow(), 0);
        QHeaderView* header = dialog.lstAlias->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 4, 4));
        QCOMPARE(tableRows(dialog.lstAlias), (QStringList{"|", "|", "ARC|", "CIRCLE|C", "LINE|L"}));
        ModalDriver driver;
        driver.expect("QMessageBox").click("OK");
        driver.start();
        typeInto(dialog.lstAlias, 4, 1, "c");
        KV_VERIFY_MODALS(driver);
        QCOMPARE(aliasOf(dialog, 4), QStringLiteral("L"));
    }

    void removeRows_data()
    {
        QTest::addColumn<QVector<int>>("cells"); // selected in this order: row * 2 + column
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("two rows, both removed")
            << QVector<int>{7, 2, 3} << QStringList{"Yes", "Yes"}
            << QStringList{"Are you sure you want to remove this alias for D?",
                           "Are you sure you want to remove this alias for B?"}
            << QStringList{"A", "C", "E"};
        QTest::newRow("the first kept, the second removed")
            << QVector<int>{2, 8} << QStringList{"No", "Yes"}
            << QStringList{"Are you sure you want to remove this alias for B?",
                           "Are you sure you want to remove this alias for E?"}
            << QStringList{"A", "B", "C", "D"};
        QTest::newRow("nothing selected") << QVector<int>{} << QStringList{"OK"}
                                          << QStringList{"Select the rows of table for remove."}
                                          << QStringList{"A", "B", "C", "D", "E"};
    }

    void removeRows()
    {
        QFETCH(QVector<int>, cells);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, left);
        QVERIFY(writeBytes(aliasFile(), AliasFile::serialize({{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}, {"E", "5"}})));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        dialog.lstAlias->clearSelection();
        for (const int cell : cells)
            dialog.lstAlias->selectionModel()->select(dialog.lstAlias->model()->index(cell / 2, cell % 2),
                                                      QItemSelectionModel::Select);
        QStringList asked = blanks(answers.size());
        ModalDriver driver;
        for (int i = 0; i < answers.size(); ++i)
            driver.expect("QMessageBox").capture(&asked[i]).click(answers.at(i));
        driver.start();
        dialog.btnDel->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(asked, questions);
        QStringList commands;
        for (int r = 0; r < dialog.lstAlias->rowCount(); ++r)
            commands << dialog.lstAlias->item(r, 0)->text();
        QCOMPARE(commands, left);
    }

    // Export and a successful import change the file Save and OK write; only Export shows
    // it; the next show starts again from alias.xml.
    void exportAndImport()
    {
        QVERIFY(writeBytes(aliasFile(), kAliases));
        const QString exported = m_host->path("out/exported.xml");
        QVERIFY(QDir().mkpath(m_host->path("out")));
        const QString imported = m_host->path("in.txt");
        QVERIFY(writeBytes(imported, "<x><record command=\"move\" alias=\"m\"/></x>"));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        QStringList said = blanks(2);
        ModalDriver driver;
        driver.expect("QFileDialog").choose(exported);
        driver.expect("QMessageBox").capture(&said[0]).click("OK");
        driver.expect("QFileDialog").choose(imported);
        driver.expect("QMessageBox").capture(&said[1]).click("OK");
        driver.start();
        dialog.btnExport->click();
        QCOMPARE(dialog.txAlias->property("value").toString(), exported);
        QCOMPARE(AliasFile::read(exported).records.size(), 2);
        dialog.btnImport->click();
        dialog.btnSave->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(said.mid(0, 2), (QStringList{"The alias file has been exported.", "The alias file has been saved."}));
        QCOMPARE(dialog.txAlias->property("value").toString(), exported);
        QCOMPARE(tableRows(dialog.lstAlias), QStringList{"move|m"});
        QCOMPARE(readBytes(imported), QByteArray("<aliases>\n    <record command=\"MOVE\" alias=\"M\"/>\n</aliases>\n"));
        dialog.hide();
        dialog.show();
        QCOMPARE(dialog.currentAliasFile(), aliasFile());
        QCOMPARE(dialog.lstAlias->rowCount(), 3);
    }

    void failures_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<none>": no alias.xml; "<folder>": a folder of that name
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no alias file yet: OK makes one")
            << QByteArray("<none>") << QStringList{"Error reading alias file."} << true << QByteArray("<aliases/>\n");
        // What cannot be read stays for the user to mend, as long as the table is untouched.
        QTest::newRow("malformed file: OK leaves it")
            << QByteArray("<aliases><record command=\"A\" alias=\"1\"/><record") << QStringList{"<reader>"} << true
            << QByteArray("<aliases><record command=\"A\" alias=\"1\"/><record");
        QTest::newRow("unreadable file: OK leaves it")
            << QByteArray("<unreadable>") << QStringList{"Error reading alias file."} << true << kAliases;
        QTest::newRow("not writable: OK says so and stays open")
            << QByteArray("<folder>") << QStringList{"Error reading alias file.", "The alias file could not be saved."}
            << false << QByteArray("<unreadable>");
    }

    void failures()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, messages);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, after);
        if (file == "<folder>") {
            QVERIFY(QDir().mkpath(aliasFile()));
        } else if (file == "<unreadable>") {
            QVERIFY(writeBytes(aliasFile(), kAliases));
            QVERIFY(QFile::setPermissions(aliasFile(), QFile::WriteOwner));
            if (QFile(aliasFile()).open(QIODevice::ReadOnly))
                QSKIP("this user reads files without read permission");
        } else if (file != "<none>") {
            QVERIFY(writeBytes(aliasFile(), file));
        }
        QStringList said = blanks(messages.size());
        ModalDriver driver;
        driver.expect("QMessageBox").capture(&said[0]).click("OK");
        driver.expect("Dlg_QT_EditAlias").click("acceptButton");
        if (!accepted)
            driver.cancel();
        for (int i = 1; i < messages.size(); ++i)
            driver.expect("QMessageBox").capture(&said[i]).click("OK");
        driver.start();
        const LispCallResult r = callLisp(ACTIVE_DOCUMENT(), "Dlg_EditAlias", std::move(ArgChain().str(m_host->path("s"))));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.isVoid(), accepted);
        if (messages.first() == "<reader>")
            QVERIFY2(!said.first().isEmpty() && !said.first().contains("alias"), qPrintable(said.first()));
        else
            QCOMPARE(said, messages);
        if (file == "<unreadable>")
            QVERIFY(QFile::setPermissions(aliasFile(), QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(readBytes(aliasFile()), after);
    }

    // A file that is no alias file leaves the table as it was.
    void importFailure()
    {
        QVERIFY(writeBytes(aliasFile(), kAliases));
        QVERIFY(writeBytes(m_host->path("bad.txt"), "LINE,L"));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        QString last;
        ModalDriver driver;
        driver.expect("QFileDialog").choose(m_host->path("bad.txt"));
        driver.expect("QMessageBox").click("OK");
        driver.expect("QMessageBox").capture(&last).click("OK");
        driver.start();
        dialog.btnImport->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(last, QStringLiteral("The alias file could not be imported."));
        QCOMPARE(dialog.lstAlias->rowCount(), 3);
        QCOMPARE(dialog.currentAliasFile(), aliasFile());
    }

    // Printed to a PDF file and read back: one line per alias, commands padded with dots to
    // one width.
    void printing()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(writeBytes(aliasFile(), AliasFile::serialize({{"LINE", "L"}, {"CIRCLE", "C"}})));
        Dlg_QT_EditAlias dialog;
        showEditor(dialog);
        typeInto(dialog.lstAlias, 0, 1, "li");
        const QString pdf = m_host->path("aliases.pdf");
        ModalDriver driver;
        driver.expect("QPrintDialog").run([&pdf](QWidget* w) {
            auto* printers = w->findChild<QComboBox*>("printers");
            auto* name = w->findChild<QLineEdit*>("filename");
            QVERIFY(printers && name);
            printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
            name->setText(pdf);
            QMetaObject::invokeMethod(w, "accept");
        });
        driver.expect("QPrintDialog").cancel();
        driver.start();
        QCOMPARE(dialog.printAlias(), 0);
        QCOMPARE(dialog.printAlias(), -1);
        KV_VERIFY_MODALS(driver);
        QProcess text;
        text.start(pdftotext, {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        QStringList lines;
        for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n'))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        QCOMPARE(lines, (QStringList{"LINE ..... LI", "CIRCLE ... C"}));
    }
};

KV_TEST_MAIN(TestEditAlias)
#include "tst_editalias.moc"
