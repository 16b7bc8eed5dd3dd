// Block attribute import: the attribute file reader, the import string with its rows in the
// order they were picked, find and replace, "Select all", the path check, and
// Dlg_imporAttributes end to end.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/AttributeFile.h"
#include "dialogs/blocks/Dlg_QT_ImportBlockAttributes.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QHeaderView>

class TestImportBlockAttributes : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString attributeFile(const QByteArray& bytes)
    {
        const QString path = m_host->path("attributes.txt");
        writeBytes(path, bytes);
        return path;
    }
    // A shown dialog with the file loaded as Return in the path field loads it.
    void load(Dlg_QT_ImportBlockAttributes& dialog, const QString& path)
    {
        // Not modal, so that the modal driver meets only the message boxes.
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        dialog.AttributeFile->setText(path);
        emit dialog.AttributeFile->returnPressed();
    }
    static void selectCells(QTableWidget* table, const QVector<QPair<int, int>>& cells)
    {
        for (const auto& cell : cells)
            table->selectionModel()->select(table->model()->index(cell.first, cell.second),
                                            QItemSelectionModel::Select);
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("rows"); // each row's fields joined by "|"
        QTest::newRow("two by two") << QByteArray("TAG1\tTAG2\na\tb\nc\td\n") << QStringList{"TAG1", "TAG2"}
                                    << QStringList{"a|b", "c|d"};
        QTest::newRow("short and long rows") << QByteArray("A\tB\tC\r\nx\r\n1\t2\t3\t4\t5\r\n")
                                             << QStringList{"A", "B", "C"} << QStringList{"x", "1|2|3"};
        QTest::newRow("empty fields and lines kept") << QByteArray("A\tB\n\n\t\ny\t\n") << QStringList{"A", "B"}
                                                     << QStringList{"", "|", "y|"};
        QTest::newRow("no line end at the end") << QByteArray("A\nlast") << QStringList{"A"} << QStringList{"last"};
        QTest::newRow("nothing") << QByteArray() << QStringList{} << QStringList{};
        QTest::newRow("8-bit code page") << QByteArray("Stra\xdf" "e\n\xe9t\xe9\n") << QStringList{"Stra\u00dfe"}
                                         << QStringList{"\u00e9t\u00e9"};
        QTest::newRow("zero bytes survive") << QByteArray("A\tB\nx\0y\tz\n", 10) << QStringList{"A", "B"}
                                            << QStringList{QString("x") + QChar(0) + "y|z"};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, rows);
        const KvAttributeFile::Table table = KvAttributeFile::parse(bytes);
        QCOMPARE(table.titles, titles);
        QStringList joined;
        for (const QStringList& row : table.rows)
            joined << row.join('|');
        QCOMPARE(joined, rows);
    }

    // Rows go back in the order they were picked, the header first; missing cells are empty.
    // OK writes the state file with the import string as its action; the call has no value.
    void importString()
    {
        const QString file = attributeFile("TAG1\tTAG2\tTAG3\nA1\tA2\tA3\nB1\nC1\tC2\tC3\n");
        const QString state = m_host->path("import.state");
        ModalDriver driver;
        driver.expect("Dlg_QT_ImportBlockAttributes")
            .expectEnabled("selectAll", false)
            .click("selectfile")
            .expectEnabled("acceptButton", false)
            .select("Attributes", {2, 1})
            .click("acceptButton");
        driver.expect("QFileDialog").choose(file);
        driver.start();
        const LispCallResult r = callLisp(ACTIVE_DOCUMENT(), "Dlg_imporAttributes", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        const QByteArray written = readBytes(state);
        QVERIFY2(written.startsWith("\xEF\xBB\xBF" "attributefile=" + file.toUtf8() + "\n!action!=TAG1\tTAG2\tTAG3^C1\tC2\tC3^B1\t\t\n"),
                 written.constData());
        // The column-0 texts of the picked rows, as tables are stored.
        QVERIFY(written.contains("\nattributes=C1^B1^\n"));
    }

    void cancelAnswersNil()
    {
        const QString state = m_host->path("import.state");
        ModalDriver driver;
        driver.expect("Dlg_QT_ImportBlockAttributes").cancel();
        driver.start();
        QVERIFY(callLisp(ACTIVE_DOCUMENT(), "Dlg_imporAttributes", std::move(ArgChain().str(state))).isNil());
        KV_VERIFY_MODALS(driver);
        QVERIFY(!QFileInfo::exists(state));
    }

    void replace_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QStringList>("after"); // cells (0,0), (0,1), (1,0); (0,0) and (1,0) selected
        QTest::newRow("every occurrence, case ignored") << "abc" << "X" << QStringList{"XX", "abc", "dX"};
        QTest::newRow("no occurrence") << "zz" << "X" << QStringList{"ABCabc", "abc", "dabc"};
        QTest::newRow("empty find replaces nothing") << "" << "X" << QStringList{"ABCabc", "abc", "dabc"};
        QTest::newRow("replacement holding the find text") << "a" << "aa" << QStringList{"aaBCaabc", "abc", "daabc"};
    }
    void replace()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QStringList, after);
        Dlg_QT_ImportBlockAttributes dialog;
        load(dialog, attributeFile("A\tB\nABCabc\tabc\ndabc\n"));
        selectCells(dialog.Attributes, {{0, 0}, {1, 0}, {1, 1}}); // (1,1) has no cell
        QVERIFY(dialog.groupSearch->isEnabled());
        dialog.txsearch->setText(find);
        dialog.txreplace->setText(replacement);
        dialog.btReplace->click();
        const QTableWidget* t = dialog.Attributes;
        QCOMPARE((QStringList{t->item(0, 0)->text(), t->item(0, 1)->text(), t->item(1, 0)->text()}), after);
    }

    // A path that fails the check is reported and the last valid one put back; without
    // messages when the dialog hides.
    void pathCheck()
    {
        const QString file = attributeFile("A\nx\n");
        const QString missing = m_host->path("missing.txt");
        Dlg_QT_ImportBlockAttributes dialog;
        QString message;
        ModalDriver driver;
        driver.expect("QMessageBox").capture(&message).click("OK");
        driver.start();
        load(dialog, file);
        load(dialog, missing);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(message, QStringLiteral("Cannot find the specified file."));
        QCOMPARE(dialog.AttributeFile->text(), file);
        QCOMPARE(dialog.Attributes->rowCount(), 1);
        dialog.AttributeFile->setText(missing);
        dialog.hide();
        QCOMPARE(dialog.AttributeFile->text(), file);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("replacement"); // for "x" in every selected cell
        QTest::addColumn<int>("selectRow");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing selected") << QByteArray("A\nx\n") << QString() << -1
                                          << "Select the rows of table for import.";
        QTest::newRow("a \"^\" in a cell") << QByteArray("A\tB\nok\tx\n") << "^" << 0
                                           << "The cell in row 1, column 2 (\"B\") holds \"^\", a tab or a line break, "
                                              "which cannot be imported.";
        QTest::newRow("a tab in a cell") << QByteArray("A\tB\n1\t\nx\t\n") << "\t" << 1
                                         << "The cell in row 2, column 1 (\"A\") holds \"^\", a tab or a line break, "
                                            "which cannot be imported.";
        QTest::newRow("a \"^\" in a title") << QByteArray("A^1\nx\n") << "y" << 0
                                            << "The title of column 1 (\"A^1\") holds \"^\", a tab or a line break, "
                                               "which cannot be imported.";
    }
    // What cannot go into the import string keeps the dialog open with a message.
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, replacement);
        QFETCH(int, selectRow);
        QFETCH(QString, message);
        Dlg_QT_ImportBlockAttributes dialog;
        load(dialog, attributeFile(bytes));
        if (selectRow >= 0) {
            dialog.Attributes->selectRow(selectRow);
            dialog.txsearch->setText("x");
            dialog.txreplace->setText(replacement);
            dialog.btReplace->click();
        }
        QString shown;
        ModalDriver driver;
        driver.expect("QMessageBox").capture(&shown).click("OK");
        driver.start();
        dialog.ReadSelected();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(shown, message);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
    }

    // Sorting by a column keeps the selection with its rows, and the rows in the order picked.
    void sortKeepsSelection()
    {
        Dlg_QT_ImportBlockAttributes dialog;
        load(dialog, attributeFile("N\tV\nb\t1\nc\t2\na\t3\n"));
        selectCells(dialog.Attributes, {{1, 1}, {2, 0}, {1, 0}});
        dialog.Attributes->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
        emit dialog.Attributes->horizontalHeader()->sectionClicked(0);
        QCOMPARE(dialog.Attributes->item(2, 0)->text(), QStringLiteral("c"));
        QVERIFY(dialog.Attributes->item(2, 1)->isSelected());
        dialog.ReadSelected();
        QCOMPARE(dialog.dialogState()->action(), QStringLiteral("N\tV^c\t2^a\t3"));
    }
};

KV_TEST_MAIN(TestImportBlockAttributes)
#include "tst_importblockattributes.moc"
