// The text case editor: its conversions, its preview, and Dlg_edittextcase end to end.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/text/Dlg_QT_EditTextCase.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"
#include "module/LispFunctionsModule.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

class TestEditTextCase : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

private slots:
    void initTestCase() { registerModuleImages(); }

    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sentence") << "hELLO wORLD" << 1 << "Hello world";
        QTest::newRow("lower") << "hELLO wORLD" << 2 << "hello world";
        QTest::newRow("upper") << "hELLO wORLD" << 3 << "HELLO WORLD";
        QTest::newRow("title") << "hELLO wORLD" << 4 << "Hello World";
        QTest::newRow("toggle") << "hELLO wORLD" << 5 << "Hello World";
        QTest::newRow("sentence after a blank") << " abc" << 1 << " abc";
        QTest::newRow("sentence after a digit") << "3rd PLACE" << 1 << "3rd place";
        QTest::newRow("title after a hyphen") << "hello-world" << 4 << "Hello-world";
        QTest::newRow("title after a digit") << "3rd place" << 4 << "3rd Place";
        QTest::newRow("title after a tab") << "a\tb" << 4 << "A\tB";
        QTest::newRow("toggle keeps digits") << "a1B2" << 5 << "A1b2";
        QTest::newRow("accented letters") << "\u00e9T\u00c9" << 5 << "\u00c9t\u00e9";
        QTest::newRow("empty") << "" << 4 << "";
    }

    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(int, style);
        QFETCH(QString, expected);
        Dlg_QT_EditTextCase dialog;
        dialog.setSourceText(text);
        dialog.show();
        QRadioButton* radios[] = {dialog.radioButton1, dialog.radioButton2, dialog.radioButton3, dialog.radioButton4,
                                  dialog.radioButton5};
        radios[style - 1]->click();
        QCOMPARE(dialog.previewLabel->text(), expected);
        QCOMPARE(dialog.styleNumber(), style);
        QCOMPARE(dialog.dialogState()->action(), dialog.styleName());
    }

    // The labels show the user's text as written, wrapped, in a dialog no wider than it needs.
    void userTextIsShownAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QStringList words;
        for (int i = 0; i < 60; ++i)
            words << QStringLiteral("word%1").arg(i);
        QTest::newRow("markup") << "<b>bold</b> &amp; <i>x</i>";
        QTest::newRow("sixty words") << words.join(' ');
        QTest::newRow("one long word") << "see " + QString(400, 'x') + " ok";
    }

    void userTextIsShownAsWritten()
    {
        QFETCH(QString, text);
        Dlg_QT_EditTextCase dialog;
        dialog.setSourceText(text);
        dialog.show();
        dialog.radioButton3->click();
        const QChar breakOpportunity(0x200B);
        for (QLabel* label : {dialog.referenceEdit, dialog.previewLabel})
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(dialog.referenceEdit->text().remove(breakOpportunity), text);
        QCOMPARE(dialog.previewLabel->text().remove(breakOpportunity), text.toUpper());
        const QRect screen = dialog.screen()->availableGeometry();
        QVERIFY2(dialog.width() <= qMax(440, screen.width() * 2 / 3), qPrintable(QString::number(dialog.width())));
        QVERIFY(dialog.height() <= screen.height());
        // Both texts are shown whole unless the screen is too low for them.
        if (dialog.height() < screen.height()) {
            for (QLabel* label : {dialog.referenceEdit, dialog.previewLabel})
                QVERIFY(label->height() >= label->heightForWidth(label->width()));
        }
    }

    // OK writes the radio buttons with the action after the first, and returns the style.
    void okReturnsTheChosenStyle_data()
    {
        QTest::addColumn<QByteArray>("stateIn");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("stateOut");
        QTest::newRow("current=Upper preselects")
            << QByteArray("current=Upper\n") << "" << 3
            << QByteArray("\xEF\xBB\xBFradiobutton1=FALSE\n!action!=Upper\nradiobutton2=FALSE\nradiobutton3=TRUE\n"
                          "radiobutton4=FALSE\nradiobutton5=FALSE\n");
        QTest::newRow("user picks toggle")
            << QByteArray("current=Lower\nfoo=bar\n") << "radioButton5" << 5
            << QByteArray("\xEF\xBB\xBFradiobutton1=FALSE\n!action!=toGgle\nradiobutton2=FALSE\nradiobutton3=FALSE\n"
                          "radiobutton4=FALSE\nradiobutton5=TRUE\n");
        QTest::newRow("unknown style keeps the default")
            << QByteArray("current=Shouting\n") << "" << 1
            << QByteArray("\xEF\xBB\xBFradiobutton1=TRUE\n!action!=Sentence\nradiobutton2=FALSE\nradiobutton3=FALSE\n"
                          "radiobutton4=FALSE\nradiobutton5=FALSE\n");
    }

    void okReturnsTheChosenStyle()
    {
        QFETCH(QByteArray, stateIn);
        QFETCH(QString, click);
        QFETCH(int, result);
        QFETCH(QByteArray, stateOut);
        const QString path = m_host->path("case.txt");
        QVERIFY(writeBytes(path, stateIn));
        ModalDriver driver;
        auto& step = driver.expect("Dlg_QT_EditTextCase");
        if (!click.isEmpty())
            step.click(click);
        step.click("okButton");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_edittextcase", std::move(ArgChain().str(path).str("hELLO wORLD")));
        QVERIFY2(driver.finished(), qPrintable(driver.failure()));
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.integer(), result);
        QCOMPARE(readBytes(path), stateOut);
    }

    void cancelReturnsNilAndLeavesTheFile()
    {
        const QString path = m_host->path("case.txt");
        QVERIFY(writeBytes(path, "current=Title\nkeep=me\n"));
        ModalDriver driver;
        driver.expect("Dlg_QT_EditTextCase").click("radioButton2").click("cancelButton");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_edittextcase", std::move(ArgChain().str(path).str("Text")));
        QVERIFY2(driver.finished(), qPrintable(driver.failure()));
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isNil());
        QCOMPARE(readBytes(path), QByteArray("current=Title\nkeep=me\n"));
    }

    // A state file that cannot be written costs the file, not the answer.
    void unwritableStateFileStillAnswers()
    {
        const QString folder = m_host->path("state-is-a-folder");
        QDir().mkpath(folder);
        ModalDriver driver;
        driver.expect("Dlg_QT_EditTextCase").click("radioButton2").click("okButton");
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), "Dlg_edittextcase", std::move(ArgChain().str(folder).str("Abc")));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.integer(), 2);
        QVERIFY(QFileInfo(folder).isDir());
    }

    void keepsTheLastStyleBetweenCalls()
    {
        const QString path = m_host->path("case.txt");
        QVERIFY(writeBytes(path, ""));
        ModalDriver first;
        first.expect("Dlg_QT_EditTextCase").click("radioButton4").click("okButton");
        first.start();
        const int chosen = callLisp(m_host->document(0), "Dlg_edittextcase", std::move(ArgChain().str(path).str("x"))).integer();
        QVERIFY2(first.finished(), qPrintable(first.failure()));
        QCOMPARE(chosen, 4);
        first.stop();
        QVERIFY(writeBytes(path, ""));
        ModalDriver second;
        second.expect("Dlg_QT_EditTextCase").click("okButton");
        second.start();
        const int again = callLisp(m_host->document(0), "Dlg_edittextcase", std::move(ArgChain().str(path).str("x"))).integer();
        QVERIFY2(second.finished(), qPrintable(second.failure()));
        QCOMPARE(again, 4);
    }
};

KV_TEST_MAIN(TestEditTextCase)
#include "tst_edittextcase.moc"
