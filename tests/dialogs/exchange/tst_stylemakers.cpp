// The line style and shape makers: the name checks, the file each lists (chosen, typed or
// refused), and Dlg_makelinestyle / Dlg_MakeShape end to end.
#include "ExchangeTests.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/exchange/Dlg_QT_MakeLineStyle.h"
#include "dialogs/exchange/Dlg_QT_MakeShape.h"
#include "exchange/DialogState.h"

#include <QFileDialog>

namespace {
const QByteArray kLineStyles = "*CENTER,Center ____ _ ____\nA,31.75,-6.35,6.35,-6.35\n;; comment\n*FENCE\nA,.25\n";
const QByteArray kShapes = "*BIGFONT 2,1,080,09E\n*130,6,DBLARROW\n2,1,2,0\n*131,3, Box \n1,0\n";
} // namespace

class TestStyleMakers : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    // The state file for the maker's function, naming the file as the LISP side would.
    QString lineStyleState(const QString& name, const QString& file)
    {
        const QString state = m_host->path("maker.txt");
        writeBytes(state, QStringLiteral("linetypefile=%1\nname=%2\n").arg(file, name).toUtf8());
        return state;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    // OK runs the checks in order; a name the file holds (in any case, blanks around it in
    // the file aside) is replaced only on Yes.
    void okChecksTheName_data()
    {
        QTest::addColumn<bool>("shape");
        QTest::addColumn<QString>("file"); // "" none, else a file written with the sample
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // "" accepted at once
        QTest::addColumn<QString>("answer");  // for the replace question
        QTest::addColumn<bool>("accepted");
        QTest::newRow("line style: no file") << false << "" << "NEW" << "You must select a file. " << "" << false;
        QTest::newRow("line style: no name") << false << "s.lin" << "" << "You must provide a name for the Linestyle. "
                                             << "" << false;
        QTest::newRow("line style: trailing blank") << false << "s.lin" << "NEW " << "Linestyle names cannot include blank spaces."
                                                    << "" << false;
        QTest::newRow("line style: exists in other case, Yes")
            << false << "s.lin" << "center" << "Linestyle already exists, you want to replace it?" << "Yes" << true;
        QTest::newRow("line style: exists, No") << false << "s.lin" << "Fence"
                                                << "Linestyle already exists, you want to replace it?" << "No" << false;
        QTest::newRow("line style: new name") << false << "s.lin" << "GAS" << "" << "" << true;
        QTest::newRow("shape: leading blank") << true << "s.shp" << " NEW" << "Shape names cannot include blank spaces."
                                              << "" << false;
        QTest::newRow("shape: exists, blanks around it in the file")
            << true << "s.shp" << "BOX" << "Shape already exists, you want to replace it?" << "Yes" << true;
        QTest::newRow("shape: new name") << true << "s.shp" << "ARROW" << "" << "" << true;
    }

    void okChecksTheName()
    {
        QFETCH(bool, shape);
        QFETCH(QString, file);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        QString path;
        if (!file.isEmpty()) {
            path = m_host->path(file);
            writeBytes(path, shape ? kShapes : kLineStyles);
        }
        std::unique_ptr<QDialog> dialog;
        if (shape) {
            auto* maker = new Dlg_QT_MakeShape;
            maker->shapeFile->setText(path);
            maker->name->setText(name);
            dialog.reset(maker);
        } else {
            auto* maker = new Dlg_QT_MakeLineStyle;
            maker->dialogState()->setStateLines({"linetypefile=" + path, "name=" + name});
            dialog.reset(maker);
        }
        ModalDriver driver;
        auto& step = driver.expect(dialog->metaObject()->className()).click("acceptButton");
        if (!accepted)
            step.click("ButtonCancel");
        if (!message.isEmpty())
            driver.expect("QMessageBox").expectText(message).click(answer.isEmpty() ? QStringLiteral("OK") : answer);
        driver.start();
        QCOMPARE(dialog->exec() == QDialog::Accepted, accepted);
        KV_VERIFY_MODALS(driver);
    }

    // The typed path is what the LISP side writes to: its names are known before the check,
    // even when OK is pressed while the field still has the focus.
    void typedPathIsCheckedAgainst_data()
    {
        QTest::addColumn<bool>("shape");
        QTest::newRow("line style") << false;
        QTest::newRow("shape") << true;
    }

    void typedPathIsCheckedAgainst()
    {
        QFETCH(bool, shape);
        const QString path = m_host->path(shape ? "typed.shp" : "typed.lin");
        writeBytes(path, shape ? kShapes : kLineStyles);
        std::unique_ptr<QDialog> dialog(shape ? static_cast<QDialog*>(new Dlg_QT_MakeShape)
                                              : static_cast<QDialog*>(new Dlg_QT_MakeLineStyle));
        ModalDriver driver;
        driver.expect(dialog->metaObject()->className())
            .run([&](QWidget* w) {
                auto* edit = w->findChild<QLineEdit*>(shape ? "shapeFile" : "Linetypefile");
                edit->setFocus();
                edit->setText(path);
            })
            .set("name", shape ? "DBLARROW" : "CENTER")
            .click("acceptButton");
        driver.expect("QMessageBox").click("Yes");
        driver.start();
        QCOMPARE(dialog->exec(), int(QDialog::Accepted));
        KV_VERIFY_MODALS(driver);
        auto* table = dialog->findChild<QTableWidget*>(shape ? "lstShapes" : "LinetypefileLst");
        QCOMPARE(table->rowCount(), shape ? 3 : 2);
    }

    // Browse for a line style file: the file check refuses a file that begins with anything
    // but a header or a blank line; a new file is taken with an empty list.
    void browseChecksTheLineStyleFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "<none>": the file does not exist
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("new file") << QByteArray("<none>") << true << QStringList();
        QTest::newRow("comment first") << QByteArray(";; styles\n*A\n") << false << QStringList{"KEEP|kept"};
    }

    void browseChecksTheLineStyleFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, taken);
        QFETCH(QStringList, rows);
        const QString kept = m_host->path("kept.lin");
        writeBytes(kept, "*KEEP,kept\n");
        const QString chosen = m_host->path("chosen.lin");
        if (bytes != "<none>")
            writeBytes(chosen, bytes);
        Dlg_QT_MakeLineStyle dialog;
        dialog.dialogState()->setStateLines({"linetypefile=" + kept});
        ModalDriver driver;
        driver.expect("QFileDialog").choose(chosen);
        if (!taken)
            driver.expect("QMessageBox").expectText("The format of the file is not valid. ").click("OK");
        driver.start();
        dialog.setModal(false);
        dialog.show();
        dialog.selectfile->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog.filePath(), taken ? chosen : kept);
        QCOMPARE(tableRows(dialog.LinetypefileLst), rows);
    }


    // The line style maker's state comes back with the full path; the shape maker keeps
    // what was typed from one call to the next and writes it.
    void endToEnd()
    {
        const QString lin = m_host->path("deep/folder/with/a/rather/long/name/styles.lin");
        writeBytes(lin, kLineStyles);
        const QString state = lineStyleState("GAS", lin);
        ModalDriver driver;
        driver.expect("Dlg_QT_MakeLineStyle").set("description", "Gas ---- GAS").click("acceptButton");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_makelinestyle", std::move(ArgChain().str(state)));
        KV_VERIFY_MODALS(driver);
        QVERIFY(r.isVoid());
        QCOMPARE(readBytes(state), "\xEF\xBB\xBFlinetypefile=" + lin.toUtf8()
                     + "\n!action!=\nname=GAS\ndescription=Gas ---- GAS\n");
        driver.stop();

        const QString shp = m_host->path("shapes.shp");
        writeBytes(shp, kShapes);
        const QString shapeState = m_host->path("shape.txt");
        for (int call = 0; call < 2; ++call) {
            ModalDriver shapes;
            auto& step = shapes.expect("Dlg_QT_MakeShape");
            if (call == 0)
                step.set("shapeFile", shp).set("name", "ARROW");
            else
                step.expectValue("name", "ARROW").run([](QWidget* w) {
                    QCOMPARE(w->findChild<QTableWidget*>("lstShapes")->rowCount(), 3);
                });
            step.click("acceptButton");
            shapes.start();
            const LispCallResult s = callLisp(m_host->document(0), "Dlg_MakeShape", std::move(ArgChain().str(shapeState)));
            KV_VERIFY_MODALS(shapes);
            QVERIFY(s.isVoid());
        }
        QCOMPARE(readBytes(shapeState), "\xEF\xBB\xBFshapefile=" + shp.toUtf8() + "\n!action!=\nname=ARROW\n");
    }
};

KV_TEST_MAIN(TestStyleMakers)
#include "tst_stylemakers.moc"
