// Dimension style import: what the options offer for the drawing's styles, the styles
// chosen, typed paths, and Dlg_ImDimensionStyle end to end.
#include "ExchangeTests.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_ImportDimensionStyle.h"
#include "exchange/DialogState.h"
#include "module/DialogRegistry.h"

#include <QElapsedTimer>

namespace {
const QByteArray kStyles = "DIMENSION_STYLE_NAME ISO-25\n"
                           "FIRST 0\n"
                           "DIMASZ 2.5\n"
                           "DIMTXSTY Romans\n"
                           "DIMTXT_FONT romans.shx\n"
                           "END_OF_STYLE\n"
                           "DIMENSION_STYLE_NAME Arch\n"
                           "FIRST 0\n"
                           "DIMTXSTY Arch\n"
                           "DIMSCALE 100\n"
                           "END_OF_STYLE\n";
} // namespace

class TestDimStyleImport : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    QString stylesFile(const QString& name = QStringLiteral("styles.dim"), const QByteArray& bytes = kStyles)
    {
        const QString path = m_host->path(name);
        writeBytes(path, bytes);
        return path;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // Which overwrite options a selection offers, for what the drawing holds. Styles of the
    // drawing are told apart by case; a count never reads more names than there are.
    void optionsForTheDrawing_data()
    {
        QTest::addColumn<QStringList>("drawing");
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("offered"); // group, dimension style box, text style box
        const QString styles = "dimstylelength=2|dimstyle1=Standard|dimstyle2=ISO-25";
        QTest::newRow("style and text style exist")
            << (styles + "|textstylelength=1|textstyle1=Romans").split('|') << QStringList{"ISO-25"} << "group dim text";
        QTest::newRow("style exists, text style not")
            << (styles + "|textstylelength=1|textstyle1=Arch").split('|') << QStringList{"ISO-25"} << "group dim";
        QTest::newRow("text style exists, style not")
            << (styles + "|textstylelength=2|textstyle1=Romans|textstyle2=Arch").split('|') << QStringList{"Arch"}
            << "group text";
        QTest::newRow("neither exists") << styles.split('|') << QStringList{"Arch"} << "";
        QTest::newRow("names differ in case") << QString("dimstylelength=1|dimstyle1=iso-25|textstylelength=1|textstyle1=ROMANS").split('|')
                                              << QStringList{"ISO-25"} << "";
        QTest::newRow("two selected") << QStringList() << QStringList{"ISO-25", "Arch"} << "group dim text";
        QTest::newRow("count beyond the names")
            << QString("dimstylelength=2000000000|dimstyle1=ISO-25|textstylelength=99|textstyle2=Romans").split('|')
            << QStringList{"ISO-25"} << "group dim";
        QTest::newRow("count not a number") << QString("dimstylelength=two|dimstyle1=ISO-25").split('|')
                                            << QStringList{"ISO-25"} << "";
    }

    void optionsForTheDrawing()
    {
        QFETCH(QStringList, drawing);
        QFETCH(QStringList, selection);
        QFETCH(QString, offered);
        Dlg_QT_ImportDimensionStyle dialog;
        dialog.dialogState()->setStateLines(QStringList{"txexport=" + stylesFile()} + drawing);
        dialog.show();
        QElapsedTimer clock;
        clock.start();
        selectByText(dialog.lstStyles, selection);
        QVERIFY(clock.elapsed() < 1000);
        QStringList usable;
        if (dialog.groupBox_2->isEnabled())
            usable << "group";
        if (dialog.cbDimensionStyle->isEnabled())
            usable << "dim";
        if (dialog.cbTextStyle->isEnabled())
            usable << "text";
        // Inside a disabled group the boxes' own states do not matter.
        QCOMPARE(dialog.groupBox_2->isEnabled() ? usable.join(' ') : QString(), offered);
    }

    // A new selection clears both options and shows the style's variables, which come from
    // the file the list was made from, wherever its path came from.
    void selectionClearsTheOptions()
    {
        Dlg_QT_ImportDimensionStyle dialog;
        dialog.dialogState()->setStateLines({"txexport=" + stylesFile(), "dimstylelength=1", "dimstyle1=Arch"});
        dialog.show();
        selectByText(dialog.lstStyles, {"ISO-25", "Arch"});
        dialog.cbTextStyle->setChecked(true);
        dialog.cbDimensionStyle->setChecked(true);
        selectByText(dialog.lstStyles, {"Arch"});
        QVERIFY(!dialog.cbTextStyle->isChecked());
        QVERIFY(!dialog.cbDimensionStyle->isChecked());
        QCOMPARE(tableRows(dialog.lstVariables), QStringList{"DIMSCALE|100"});
    }

    // A path typed into the field lists that file's styles when the field is left.
    void typedPathIsListed()
    {
        Dlg_QT_ImportDimensionStyle dialog;
        dialog.dialogState()->setStateLines({"txexport=" + stylesFile()});
        dialog.show();
        QCOMPARE(dialog.lstStyles->rowCount(), 2);
        const QString other = stylesFile("other.dim", "DIMENSION_STYLE_NAME Other\nX 1\nV 2\n");
        dialog.txExport->setText(other);
        QMetaObject::invokeMethod(dialog.txExport, "returnPressed");
        QCOMPARE(dialog.chosenPath(), other);
        QCOMPARE(tableRows(dialog.lstStyles), QStringList{"Other"});
        selectByText(dialog.lstStyles, {"Other"});
        QCOMPARE(tableRows(dialog.lstVariables), QStringList{"V|2"});
    }

    // OK writes the selection and the options; the styles are also kept, comma-led, in the
    // state line the LISP side gave for them. Without a selection OK only says so.
    void okTakesTheSelection()
    {
        const QString state = m_host->path("import.txt");
        writeBytes(state, ("txexport=" + stylesFile() + "\nlststyles=\ndimstylelength=1\ndimstyle1=ISO-25\n").toUtf8());
        ModalDriver driver;
        driver.expect("Dlg_QT_ImportDimensionStyle")
            .click("acceptButton")
            .run([](QWidget* w) { selectByText(static_cast<Dlg_QT_ImportDimensionStyle*>(w)->lstStyles, {"Arch", "ISO-25"}); })
            .set("cbTextStyle", "true")
            .click("acceptButton");
        driver.expect("QMessageBox").expectText("No dimension style selected, please select a dimension style to import. ")
            .click("OK");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_ImDimensionStyle", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        QCOMPARE(readBytes(state), "\xEF\xBB\xBFtxexport=" + m_host->path("styles.dim").toUtf8()
                     + "\n!action!=\nlststyles=Arch^ISO-25^\ncbtextstyle=TRUE\ncbdimensionstyle=FALSE\n");
        const DocumentDialogRecord* record = DialogRegistry::recordFor(m_host->document(0));
        auto* dialog = qobject_cast<Dlg_QT_ImportDimensionStyle*>(record->dialogs[int(DialogSlot::ImportDimensionStyle)]);
        QVERIFY(dialog);
        QCOMPARE(dialog->dialogState()->stateValue("lststyles"), QStringLiteral(",Arch,ISO-25"));
    }

    // Browse lists the chosen file; cancelling it changes nothing.
    void browseListsTheChosenFile()
    {
        const QString chosen = stylesFile("chosen.dim", "DIMENSION_STYLE_NAME Chosen\n");
        Dlg_QT_ImportDimensionStyle dialog;
        dialog.dialogState()->setStateLines({"txexport=" + stylesFile()});
        ModalDriver driver;
        driver.expect("QFileDialog").cancel();
        driver.expect("QFileDialog").choose(chosen);
        driver.start();
        // Shown without exec(), the dialog is no window of the script.
        dialog.setModal(false);
        dialog.show();
        dialog.selectfile->click();
        QCOMPARE(dialog.lstStyles->rowCount(), 2);
        dialog.selectfile->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(tableRows(dialog.lstStyles), QStringList{"Chosen"});
        QCOMPARE(dialog.txExport->property("value").toString(), chosen);
    }
};

KV_TEST_MAIN(TestDimStyleImport)
#include "tst_dimstyleimport.moc"
