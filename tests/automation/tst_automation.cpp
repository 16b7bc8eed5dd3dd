// The modal-window engine behind kvhost's --dialog-script and the tests' modal driver, tried
// on plain Qt dialogs: every action, nested modal windows, failures and their messages, the
// watchdog, file and folder dialogs, the script format and the dialog pictures.
#include "ModalDriver.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "host/automation/DialogRecorder.h"
#include "host/automation/WidgetActions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

// A dialog with one widget of each kind a script can work; OK refuses an empty name with a
// message box, as our dialogs do.
class SampleDialog : public QDialog
{
    Q_OBJECT
public:
    SampleDialog()
    {
        setWindowTitle(QStringLiteral("Sample"));
        auto* layout = new QVBoxLayout(this);
        auto add = [&](QWidget* w, const char* name) {
            w->setObjectName(QLatin1String(name));
            layout->addWidget(w);
            return w;
        };
        nameEdit = static_cast<QLineEdit*>(add(new QLineEdit, "nameEdit"));
        nameEdit->setMaxLength(16);
        add(new QCheckBox(QStringLiteral("Option")), "optionCheck");
        auto* radioA = static_cast<QRadioButton*>(add(new QRadioButton(QStringLiteral("A")), "radioA"));
        radioA->setChecked(true);
        add(new QRadioButton(QStringLiteral("B")), "radioB");
        auto* combo = static_cast<QComboBox*>(add(new QComboBox, "kindCombo"));
        combo->addItems({QStringLiteral("Line"), QStringLiteral("Arc"), QStringLiteral("Circle")});
        auto* spin = static_cast<QSpinBox*>(add(new QSpinBox, "countSpin"));
        spin->setRange(0, 100);
        auto* scale = static_cast<QDoubleSpinBox*>(add(new QDoubleSpinBox, "scaleSpin"));
        scale->setRange(0, 10);
        auto* table = static_cast<QTableWidget*>(add(new QTableWidget(3, 2), "table"));
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                table->setItem(r, c, new QTableWidgetItem(QStringLiteral("r%1c%2").arg(r).arg(c)));
        auto* list = static_cast<QListWidget*>(add(new QListWidget, "list"));
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        for (int i = 0; i < 4; ++i)
            list->addItem(QStringLiteral("item%1").arg(i));
        connect(list, &QListWidget::itemClicked, this, [this] { ++itemClicks; });
        auto* group = static_cast<QGroupBox*>(add(new QGroupBox(QStringLiteral("Extra")), "groupBox"));
        group->setCheckable(true);
        auto* tabs = static_cast<QTabWidget*>(add(new QTabWidget, "tabs"));
        tabs->addTab(new QWidget, QStringLiteral("&First"));
        tabs->addTab(new QWidget, QStringLiteral("&Second"));
        auto* disabled = static_cast<QPushButton*>(add(new QPushButton(QStringLiteral("Never")), "disabledButton"));
        disabled->setEnabled(false);
        auto* warn = static_cast<QPushButton*>(add(new QPushButton(QStringLiteral("Warn")), "warnButton"));
        connect(warn, &QPushButton::clicked, this,
                [this] { QMessageBox::warning(this, QStringLiteral("Sample"), QStringLiteral("Name is required. ")); });
        auto* ok = static_cast<QPushButton*>(add(new QPushButton(QStringLiteral("&OK")), "okButton"));
        connect(ok, &QPushButton::clicked, this, [this] {
            if (nameEdit->text().isEmpty())
                QMessageBox::information(this, QStringLiteral("Sample"), QStringLiteral("Favorite name is required."));
            else
                accept();
        });
        auto* cancel = static_cast<QPushButton*>(add(new QPushButton(QStringLiteral("Cancel")), "cancelButton"));
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(nameEdit, &QLineEdit::textEdited, this, [this] { ++edits; });
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this] { ++activations; });
    }

    QString value(const char* name) { return WidgetActions::valueText(findChild<QWidget*>(QLatin1String(name))); }

    QLineEdit* nameEdit;
    int edits = 0;
    int activations = 0;
    int itemClicks = 0;
};

class TestAutomation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void actions_data();
    void actions();
    void failures_data();
    void failures();
    void nestedMessageBox();
    void messageBoxText_data();
    void messageBoxText();
    void reopenedDialogGetsNextBlock();
    void unexpectedWindow();
    void watchdogClosesStuckModal();
    void sweepsNonDialogModal();
    void runAndCapture();
    void fileDialog_data();
    void fileDialog();
    void parseErrors_data();
    void parseErrors();
    void parseFormat();
    void pictures();
    void pictureFailure();
};

namespace {
ModalScript parsed(const QString& text)
{
    ModalScript script;
    QString errors;
    if (!ModalScript::parse(text, QStringLiteral("case.txt"), &script, &errors))
        qWarning("%s", qPrintable(errors));
    return script;
}
} // namespace

void TestAutomation::actions_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("expected");

    QTest::newRow("line edit keeps trailing blanks") << "set nameEdit Hello world  " << "nameEdit" << "Hello world  ";
    QTest::newRow("quoted value") << "set nameEdit \"say \\\"hi\\\"\"" << "nameEdit" << "say \"hi\"";
    QTest::newRow("check box") << "set optionCheck true" << "optionCheck" << "true";
    QTest::newRow("set radio") << "set radioB yes" << "radioA" << "false";
    QTest::newRow("combo box") << "set kindCombo Circle" << "kindCombo" << "Circle";
    QTest::newRow("double spin box") << "set scaleSpin 2.5" << "scaleSpin" << "2.50";
    QTest::newRow("table row") << "select table 2" << "table" << "r2c0";
    QTest::newRow("list rows") << "select list 3 1" << "list" << "item1\nitem3";
    QTest::newRow("clear selection") << "select list 1\n  select list" << "list" << "";
    QTest::newRow("checkable group box") << "set groupBox off" << "groupBox" << "false";
    QTest::newRow("tab by its text") << "set tabs Second" << "tabs" << "Second";
    QTest::newRow("button by its text") << "click B" << "radioB" << "true";
    QTest::newRow("expectations") << "expect-value kindCombo Line\n  expect-value countSpin 0.0\n"
                                     "  expect-value radioA true\n  expect-enabled disabledButton false\n"
                                     "  expect-enabled okButton true\n  set countSpin 7"
                                  << "countSpin" << "7";
}

void TestAutomation::actions()
{
    QFETCH(QString, script);
    QFETCH(QString, widget);
    QFETCH(QString, expected);

    SampleDialog dialog;
    ModalDriver driver;
    driver.setScript(parsed(QStringLiteral("SampleDialog\n  %1\n  cancel\n").arg(script)));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    KV_VERIFY_MODALS(driver);
    QCOMPARE(dialog.value(qPrintable(widget)), expected);
    // Signals a person's work sends, beyond the value itself.
    if (widget == QLatin1String("nameEdit"))
        QVERIFY(dialog.edits > 0);
    if (widget == QLatin1String("kindCombo"))
        QCOMPARE(dialog.activations, script.contains(QLatin1String("set kindCombo")) ? 1 : 0);
    if (QByteArray(QTest::currentDataTag()) == "list rows")
        QCOMPARE(dialog.itemClicks, 2); // as a click and a control-click
}

void TestAutomation::failures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown name") << "SampleDialog\n  click okButon"
                                  << "case.txt:2 in SampleDialog: click okButon: no widget named and no button labelled okButon";
    QTest::newRow("disabled button") << "SampleDialog\n  click disabledButton" << "case.txt:2 in SampleDialog: click disabledButton: button disabledButton is disabled";
    QTest::newRow("wrong window") << "QMessageBox\n  click OK" << "case.txt:1: expected a QMessageBox window, but SampleDialog \"Sample\" opened";
    QTest::newRow("missing combo item") << "SampleDialog\n  set kindCombo Square" << "kindCombo has no item \"Square\" (items: \"Line\", \"Arc\", \"Circle\")";
    QTest::newRow("spin out of range") << "SampleDialog\n  set countSpin 500" << "countSpin does not accept \"500\" (from 0 to 100)";
    QTest::newRow("value differs") << "SampleDialog\n\n  expect-value kindCombo Arc" << "case.txt:3 in SampleDialog: expect-value kindCombo \"Arc\": kindCombo shows \"Line\", expected \"Arc\"";
    QTest::newRow("row out of range") << "SampleDialog\n  select table 5" << "table has no row 5 (it has 3 rows, counted from 0)";
    QTest::newRow("one row only") << "SampleDialog\n  select table 0 1" << "table selects one row at a time";
    QTest::newRow("window gone") << "SampleDialog\n  cancel\n  set nameEdit late" << "case.txt:3 in SampleDialog: set nameEdit \"late\": the window had closed";
}

void TestAutomation::failures()
{
    QFETCH(QString, script);
    QFETCH(QString, message);

    SampleDialog dialog;
    ModalDriver driver;
    QSignalSpy failures(&driver, &ModalDriver::failureOccurred);
    driver.setScript(parsed(script));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(driver.failed());
    QVERIFY2(driver.failure().contains(message), qPrintable(driver.failure()));
    QCOMPARE(failures.count(), 1);
    QVERIFY(!driver.finished());
}

void TestAutomation::nestedMessageBox()
{
    SampleDialog dialog;
    QString boxText;
    ModalDriver driver;
    driver.expect(QStringLiteral("SampleDialog"))
        .click(QStringLiteral("okButton")) // refused: the next block answers the message box
        .set(QStringLiteral("nameEdit"), QStringLiteral("Door"))
        .click(QStringLiteral("okButton"));
    driver.expect(QStringLiteral("QMessageBox"))
        .capture(&boxText)
        .expectText(QStringLiteral("Favorite name is required."))
        .click(QStringLiteral("OK"));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    KV_VERIFY_MODALS(driver);
    QCOMPARE(boxText, QStringLiteral("Favorite name is required."));
    QCOMPARE(dialog.nameEdit->text(), QStringLiteral("Door"));
}

void TestAutomation::messageBoxText_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("matches");
    QTest::newRow("exact, trailing blank") << "Name is required. " << true;
    QTest::newRow("trailing blank missing") << "Name is required." << false;
}

void TestAutomation::messageBoxText()
{
    QFETCH(QString, expected);
    QFETCH(bool, matches);

    SampleDialog dialog;
    ModalDriver driver;
    driver.expect(QStringLiteral("SampleDialog")).click(QStringLiteral("warnButton")).cancel();
    driver.expect(QStringLiteral("QMessageBox")).expectText(expected).click(QStringLiteral("OK"));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(driver.finished(), matches);
    if (!matches) {
        // The failure shows both texts quoted, so a missing blank at the end can be seen.
        QVERIFY2(driver.failure().contains(QStringLiteral("block 2, action 1 in QMessageBox"))
                     && driver.failure().contains(
                         QStringLiteral("the message box says \"Name is required. \", expected \"%1\"").arg(expected)),
                 qPrintable(driver.failure()));
    }
}

void TestAutomation::reopenedDialogGetsNextBlock()
{
    // Dialogs are kept and shown again; each showing is a new window for the script.
    SampleDialog dialog;
    ModalDriver driver;
    driver.setScript(parsed(QStringLiteral("SampleDialog\n  cancel\nSampleDialog\n  set nameEdit second\n  click okButton\n")));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(driver.blocksLeft(), 1);
    QVERIFY2(driver.failure().contains(QStringLiteral("1 of 2 blocks not done: SampleDialog at case.txt:3")),
             qPrintable(driver.failure()));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    KV_VERIFY_MODALS(driver);
    QCOMPARE(dialog.nameEdit->text(), QStringLiteral("second"));
}

void TestAutomation::unexpectedWindow()
{
    SampleDialog dialog;
    ModalDriver driver;
    driver.expect(QStringLiteral("SampleDialog")).click(QStringLiteral("warnButton")).click(QStringLiteral("cancelButton"));
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(driver.failed());
    QVERIFY2(driver.failure().startsWith(
                 QStringLiteral("QMessageBox \"Name is required. \" opened, but the script has no block left for it")),
             qPrintable(driver.failure()));
}

void TestAutomation::watchdogClosesStuckModal()
{
    SampleDialog dialog;
    ModalDriver driver;
    driver.setTimeout(150);
    QSignalSpy swept(&driver, &ModalDriver::windowSwept);
    driver.expect(QStringLiteral("SampleDialog")).set(QStringLiteral("nameEdit"), QStringLiteral("stays open"));
    driver.expect(QStringLiteral("QFileDialog")).cancel();
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY2(driver.failure().startsWith(QStringLiteral("timed out after 150 ms with SampleDialog \"Sample\" open: its block at "
                                                        "block 1 ran to the end without closing it; the next block, "
                                                        "QFileDialog at block 2, has not begun")),
             qPrintable(driver.failure()));
    // After a failure every modal window is closed, also those that open later.
    QCOMPARE(QMessageBox::question(nullptr, QStringLiteral("Late"), QStringLiteral("Still there?")), QMessageBox::NoButton);
    QCOMPARE(swept.count(), 2);
    QCOMPARE(swept.at(1).at(0).toString(), QStringLiteral("QMessageBox \"Still there?\""));
}

void TestAutomation::sweepsNonDialogModal()
{
    ModalDriver driver;
    driver.start();
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QTRY_VERIFY_WITH_TIMEOUT(!modal.isVisible(), 5000);
    QVERIFY2(driver.failure().contains(QStringLiteral("QWidget opened, but the script has no block left")), qPrintable(driver.failure()));
}

void TestAutomation::runAndCapture()
{
    SampleDialog dialog;
    QString combo;
    bool ranAfterFail = false;
    ModalDriver driver;
    driver.expect(QStringLiteral("SampleDialog"))
        .run([](QWidget* w) { w->findChild<QComboBox*>(QStringLiteral("kindCombo"))->setCurrentIndex(2); })
        .capture(QStringLiteral("kindCombo"), &combo)
        .run([&driver](QWidget*) { driver.fail(QStringLiteral("stopped by the test")); })
        .run([&ranAfterFail](QWidget*) { ranAfterFail = true; });
    driver.start();
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(combo, QStringLiteral("Circle"));
    QCOMPARE(driver.failure(), QStringLiteral("stopped by the test"));
    QVERIFY(!ranAfterFail);
}

enum FileMode { Save, Open, Folder };

void TestAutomation::fileDialog_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("script"); // %1: the test's folder
    QTest::addColumn<QString>("result"); // relative to the folder; "-" for nothing
    QTest::addColumn<QString>("failure");

    QTest::newRow("save new file") << int(Save) << "QFileDialog\n  choose %1/out.txt" << "out.txt" << "";
    QTest::newRow("save over a file, confirmed")
        << int(Save) << "QFileDialog\n  choose %1/existing.txt\nQMessageBox\n  click Yes" << "existing.txt" << "";
    QTest::newRow("save over a file, declined, other name")
        << int(Save) << "QFileDialog\n  choose %1/existing.txt\n  choose %1/other.txt\nQMessageBox\n  click No"
        << "other.txt" << "";
    QTest::newRow("open missing")
        << int(Open) << "QFileDialog\n  choose %1/missing.txt" << "-"
        << "QMessageBox \"missing.txt\\nFile not found.\\nPlease verify the correct file name was given.\" opened, but "
           "the script has no block left";
    QTest::newRow("folder") << int(Folder) << "QFileDialog\n  choose %1/sub" << "sub" << "";
    QTest::newRow("save as a folder") << int(Save) << "QFileDialog\n  choose %1/sub" << "-"
                                      << "case.txt:2 in QFileDialog: choose %1/sub: the dialog did not take the path and stays open";
    QTest::newRow("cancel") << int(Save) << "QFileDialog\n  cancel" << "-" << "";
    QTest::newRow("class of a Qt dialog") << int(Open) << "QDialog\n  cancel" << "-" << "";
}

void TestAutomation::fileDialog()
{
    QFETCH(int, mode);
    QFETCH(QString, script);
    QFETCH(QString, result);
    QFETCH(QString, failure);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("existing.txt")), QByteArray()));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));

    ModalDriver driver;
    driver.setScript(parsed(QString(script).replace(QLatin1String("%1"), dir.path())));
    driver.start();
    QString chosen;
    if (mode == Save)
        chosen = QFileDialog::getSaveFileName(nullptr, QStringLiteral("Save"), dir.path());
    else if (mode == Open)
        chosen = QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open"), dir.path());
    else
        chosen = QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Folder"), dir.path());

    QCOMPARE(chosen, result == QLatin1String("-") ? QString() : dir.filePath(result));
    if (failure.isEmpty())
        KV_VERIFY_MODALS(driver);
    else
        QVERIFY2(driver.failure().contains(failure.replace(QLatin1String("%1"), dir.path())), qPrintable(driver.failure()));
}

void TestAutomation::parseErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("action first") << "  click okButton\nDlg\n  cancel" << QStringList{"line 1: 'click okButton' comes before any window class name"};
    QTest::newRow("unknown action") << "Dlg\n  clik ok" << QStringList{"line 2: unknown action 'clik' (known: click, set,"};
    QTest::newRow("block without actions") << "Dlg\n# nothing\nOther\n  cancel" << QStringList{"line 1: the Dlg block has no actions"};
    QTest::newRow("not a class name") << "click okButton\n  cancel" << QStringList{"line 1: a block starts with a window class name such as QMessageBox, not 'click okButton' (actions are indented)"};
    QTest::newRow("row not a number") << "Dlg\n  select list 1 x" << QStringList{"line 2: select: 'x' is not a row number"};
    QTest::newRow("unclosed quote") << "Dlg\n  set a \"abc" << QStringList{"line 2: a quoted value has no closing \""};
    QTest::newRow("bad escape") << "Dlg\n  expect-text \"a\\q\"" << QStringList{"line 2: unknown escape \\q"};
    QTest::newRow("no blocks") << "# a comment\n\n   \n" << QStringList{"script: the script has no blocks"};
    QTest::newRow("every error") << "Dlg\n  clik a\n  set b\nOther\n  select" << QStringList{"line 2:", "line 3:", "line 5:"};
}

void TestAutomation::parseErrors()
{
    QFETCH(QString, text);
    QFETCH(QStringList, errors);
    ModalScript script;
    QString message;
    QVERIFY(!ModalScript::parse(text, QString(), &script, &message));
    QVERIFY(script.blocks.isEmpty());
    for (const QString& error : errors)
        QVERIFY2(message.contains(error), qPrintable(message));
    QCOMPARE(message.split(QLatin1Char('\n')).size(), errors.size());
}

void TestAutomation::parseFormat()
{
    const QString text = QStringLiteral("# a person's work\r\n"
                                        "ns::Dlg_QT_EditTextCase\r\n"
                                        "\tclick radioButton3\r\n"
                                        "    set   nameEdit  two  blanks  \r\n"
                                        "  # indented comment\n"
                                        "\n"
                                        "QMessageBox\n"
                                        "  expect-text \"Line one\\nLine two \"\n"
                                        "  click Yes to All \n"
                                        "  select list 0 2\t5\n"
                                        "  expect-enabled okButton Off\n"
                                        "  choose /tmp/a file.txt\n");
    ModalScript script;
    QString errors;
    QVERIFY2(ModalScript::parse(text, QStringLiteral("s.txt"), &script, &errors), qPrintable(errors));
    QCOMPARE(script.blocks.size(), 2);
    QCOMPARE(script.blocks.at(0).windowClass, QStringLiteral("ns::Dlg_QT_EditTextCase"));
    QCOMPARE(script.blocks.at(0).line, 2);
    const ModalAction& set = script.blocks.at(0).actions.at(1);
    QCOMPARE(set.value, QStringLiteral("two  blanks  "));
    QCOMPARE(set.line, 4);
    const QVector<ModalAction>& box = script.blocks.at(1).actions;
    QCOMPARE(box.size(), 5);
    QCOMPARE(box.at(0).value, QStringLiteral("Line one\nLine two "));
    QCOMPARE(box.at(1).name, QStringLiteral("Yes to All"));
    QCOMPARE(box.at(2).rows, (QVector<int>{0, 2, 5}));
    QCOMPARE(box.at(3).enabled, false);
    QCOMPARE(box.at(4).value, QStringLiteral("/tmp/a file.txt"));
    QCOMPARE(script.where(1, box.at(4)), QStringLiteral("s.txt:12"));
}

void TestAutomation::pictures()
{
    QTemporaryDir dir;
    DialogRecorder recorder(dir.path(), true);
    QSignalSpy closed(&recorder, &DialogRecorder::dialogClosed);
    SampleDialog dialog;
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QMessageBox::warning(nullptr, QStringLiteral("Sample"), QStringLiteral("Careful."));
    QCOMPARE(QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open"), dir.path()), QString());
    QCOMPARE(closed.count(), 4);

    QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(files, (QStringList{"QMessageBox.png", "SampleDialog-2.png", "SampleDialog.png"}));
    const QImage picture(dir.filePath(QStringLiteral("SampleDialog.png")));
    QCOMPARE(picture.size(), dialog.size());
}

void TestAutomation::pictureFailure()
{
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("file"));
    QVERIFY(writeBytes(notAFolder, QByteArray()));
    DialogRecorder recorder(notAFolder, true);
    QSignalSpy failed(&recorder, &DialogRecorder::pictureFailed);
    SampleDialog dialog;
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(failed.count(), 1);
    QVERIFY2(failed.at(0).at(0).toString().startsWith(QStringLiteral("cannot save the picture of SampleDialog")),
             qPrintable(failed.at(0).at(0).toString()));
}

KV_TEST_MAIN(TestAutomation)
#include "tst_automation.moc"
