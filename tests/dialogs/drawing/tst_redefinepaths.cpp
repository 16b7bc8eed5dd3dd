// Path redefinition: the records, the type and pattern filters, find and replace with its
// rule for an empty find text, and Dlg_RedefinePaths end to end with its list result.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/drawing/Dlg_QT_RedefinePaths.h"
#include "dialogs/drawing/PathRecords.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

namespace {
const QStringList Records{"Xref^Site^/projects/site/base.dwg", "Image^Logo^/img/logo.PNG",
                          "TextStyle^Notes^/fonts/notes.shx", "RemoteText^Legend^/texts/legend.txt",
                          "XREF^Grid^/projects/grid.dwg", "Block^Door^/lib/door.dwg"};
}

class TestRedefinePaths : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult call(const QStringList& records, const QByteArray& modes = QByteArray())
    {
        const QString state = m_host->path("paths.state");
        if (!modes.isNull())
            writeBytes(state, "modes=" + modes + "\n");
        ArgChain args;
        args.str(state);
        for (const QString& record : records)
            args.str(record);
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_RedefinePaths", std::move(args));
    }
    static QStringList paths(const QTableWidget* table)
    {
        QStringList texts;
        for (int r = 0; r < table->rowCount(); ++r)
            texts << table->item(r, 2)->text();
        return texts;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void records_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("three fields") << "Xref^A^/a/b.dwg" << QStringList{"Xref", "A", "/a/b.dwg"};
        QTest::newRow("a \"^\" in the path") << "Image^I^/x^y/^z.png" << QStringList{"Image", "I", "/x^y/^z.png"};
        QTest::newRow("missing path") << "Xref^A" << QStringList{"Xref", "A", ""};
        QTest::newRow("no separator") << "Xref" << QStringList{"Xref", "", ""};
    }
    void records()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, fields);
        const KvPathRecords::Record r = KvPathRecords::parse(record);
        QCOMPARE((QStringList{r.type, r.name, r.path}), fields);
        if (record.count('^') >= 2)
            QCOMPARE(KvPathRecords::join(r), record);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("modes");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("no type asked for") << "" << "" << QStringList{};
        QTest::newRow("mode words mind case") << "xrefs IMAGES rtext" << "" << QStringList{};
        QTest::newRow("record types ignore case") << "Xrefs,Images,Rtext" << "*"
                                           << QStringList{"/projects/site/base.dwg", "/img/logo.PNG",
                                                          "/texts/legend.txt", "/projects/grid.dwg"};
        QTest::newRow("an extension at the end") << "Xrefs Styles Images" << "\\.dwg$"
                                                 << QStringList{"/projects/site/base.dwg", "/projects/grid.dwg"};
        QTest::newRow("the pattern minds case") << "Images" << "png" << QStringList{};
        QTest::newRow("an invalid pattern shows nothing") << "Xrefs Styles" << "(" << QStringList{};
    }
    void filters()
    {
        QFETCH(QString, modes);
        QFETCH(QString, pattern);
        QFETCH(QStringList, shown);
        Dlg_QT_RedefinePaths dialog;
        dialog.dialogState()->setStateLines({"modes=" + modes});
        dialog.setRecords(Records);
        dialog.show();
        dialog.filter->setText(pattern);
        QCOMPARE(paths(dialog.lstFiles), shown);
    }

    void replace_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QStringList>("after"); // rows 0 and 2 selected
        QTest::newRow("every occurrence, with case") << "a" << "A"
                                                     << QStringList{"/projects/site/bAse.dwg", "/img/logo.PNG",
                                                                    "/texts/legend.txt", "/projects/grid.dwg"};
        QTest::newRow("empty find: in front") << "" << "//server"
                                              << QStringList{"//server/projects/site/base.dwg", "/img/logo.PNG",
                                                             "//server/texts/legend.txt", "/projects/grid.dwg"};
        QTest::newRow("not found") << "PNG" << "x"
                                   << QStringList{"/projects/site/base.dwg", "/img/logo.PNG", "/texts/legend.txt",
                                                  "/projects/grid.dwg"};
    }
    // Only the selected rows change; the filter rebuilds the rows as they were passed in.
    void replace()
    {
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QStringList, after);
        Dlg_QT_RedefinePaths dialog;
        dialog.dialogState()->setStateLines({"modes=Xrefs Images Rtext"});
        dialog.setRecords(Records);
        dialog.show();
        QVERIFY(!dialog.groupSearch->isEnabled());
        dialog.lstFiles->selectRow(0);
        dialog.lstFiles->selectionModel()->select(dialog.lstFiles->model()->index(2, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(dialog.groupSearch->isEnabled());
        dialog.txsearch->setText(find);
        dialog.txreplace->setText(replacement);
        dialog.btReplace->click();
        QCOMPARE(paths(dialog.lstFiles), after);
        QCOMPARE(dialog.lstFiles->item(0, 2)->toolTip(), after.first());
        dialog.filter->setText("*");
        QCOMPARE(paths(dialog.lstFiles).first(), QStringLiteral("/projects/site/base.dwg"));
    }

    // OK hands back every listed row as edited, whatever is selected; "Select all" and the
    // replacement go through the dialog as a person works it.
    void endToEnd()
    {
        ModalDriver driver;
        driver.expect("Dlg_QT_RedefinePaths")
            .expectValue("tyXref", "true")
            .expectValue("tyStyles", "false")
            .click("selectAll")
            .expectEnabled("groupSearch", true)
            .set("txsearch", "/projects")
            .set("txreplace", "/archive/2024")
            .click("btReplace")
            .click("acceptButton");
        driver.start();
        const LispCallResult r = call(QStringList(Records) << "Xref^Lib^C:\\lib\\x.dwg", "Xrefs Rtext");
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.printed(), QStringLiteral(R"(("Xref^Site^/archive/2024/site/base.dwg" "RemoteText^Legend^/texts/legend.txt" )"
                                             R"("XREF^Grid^/archive/2024/grid.dwg" "Xref^Lib^C:\lib\x.dwg"))"));
        const QByteArray state = readBytes(m_host->path("paths.state"));
        QVERIFY2(state.contains("\ntxsearch=/projects\n") && state.contains("\nselectall=TRUE\n"), state.constData());
    }

    // A call without records shows an empty table, not the rows of the call before.
    void emptyCallEmptiesTable()
    {
        for (const QStringList& records : {Records, QStringList()}) {
            ModalDriver driver;
            driver.expect("Dlg_QT_RedefinePaths").click("acceptButton");
            driver.start();
            const LispCallResult r = call(records, "Xrefs");
            KV_VERIFY_MODALS(driver);
            QCOMPARE(r.printed().startsWith("(\"Xref"), !records.isEmpty());
        }
        ModalDriver cancel;
        cancel.expect("Dlg_QT_RedefinePaths").cancel();
        cancel.start();
        QVERIFY(call(Records).isNil());
        KV_VERIFY_MODALS(cancel);
    }

};

KV_TEST_MAIN(TestRedefinePaths)
#include "tst_redefinepaths.moc"
