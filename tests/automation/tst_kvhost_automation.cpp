// kvhost's automation options, run on the built kvhost as a script or a person starts it.
#include "KvhostProcess.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

class TestKvhostAutomation : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void options_data();
    void options();
    void picturesOnlyOfWhatOpened();
    void picturesOfModuleDialogs();

private:
    KvhostRun kvhost(const QStringList& arguments);
    QString write(const QString& name, const QByteArray& text);

    QTemporaryDir m_dir;
};

void TestKvhostAutomation::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral(KV_KVHOST)), KV_KVHOST);
    QVERIFY(m_dir.isValid());
}

KvhostRun TestKvhostAutomation::kvhost(const QStringList& arguments)
{
    return KvhostRun::start(QStringLiteral(KV_KVHOST), m_dir.filePath(QStringLiteral("user")), arguments);
}

QString TestKvhostAutomation::write(const QString& name, const QByteArray& text)
{
    return writeBytes(m_dir.filePath(name), text) ? m_dir.filePath(name) : QString();
}

void TestKvhostAutomation::options_data()
{
    QTest::addColumn<QStringList>("arguments"); // %s: the script file written from "script"; %d: the test's folder
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");    // %s: the script file

    const QByteArray twoBlocks = "# nothing opens these\nDlg_QT_EditTextCase\n  click radioButton3\n  click okButton\n"
                                 "QMessageBox\n  click OK\n";
    QTest::newRow("blocks left over")
        << QStringList{"--dialog-script", "%s", "--eval", "(+ 1 2)"} << twoBlocks << 3
        << "kvhost: dialog script %s: 2 of 2 blocks not done: Dlg_QT_EditTextCase at %s:2, QMessageBox at %s:5\n";
    QTest::newRow("script with errors")
        << QStringList{"--dialog-script", "%s", "--eval", "(+ 1 2)"} << QByteArray("Dlg\n  clik ok\n  set name\n") << 2
        << "kvhost: %s:2: unknown action 'clik'";
    QTest::newRow("script missing")
        << QStringList{"--dialog-script", "%s.missing", "--eval", "(+ 1 2)"} << QByteArray() << 2
        << "kvhost: %s.missing: cannot read the dialog script";
    QTest::newRow("auto-close with a script")
        << QStringList{"--dialog-script", "%s", "--auto-close", "--eval", "(+ 1 2)"} << twoBlocks << 2
        << "kvhost: --auto-close and --dialog-script do not go together";
    QTest::newRow("bad timeout")
        << QStringList{"--dialog-script", "%s", "--dialog-timeout", "soon", "--eval", "(+ 1 2)"} << twoBlocks << 2
        << "kvhost: --dialog-timeout takes seconds";

    // With one of the module's dialogs.
    const QString openDialog = QStringLiteral("(Dlg_edittextcase \"%d/state.txt\")");
    QTest::newRow("module dialog driven")
        << QStringList{"--dialog-script", "%s", "--eval", openDialog}
        << QByteArray("Dlg_QT_EditTextCase\n  click radioButton3\n  expect-value radioButton3 true\n  click okButton\n")
        << 0 << "";
    QTest::newRow("module dialog is not the window expected")
        << QStringList{"--dialog-script", "%s", "--eval", openDialog, "--eval", openDialog}
        << QByteArray("QMessageBox\n  click OK\nDlg_QT_EditTextCase\n  cancel\n") << 3
        << "kvhost: dialog script failed: %s:1: expected a QMessageBox window, but Dlg_QT_EditTextCase";
    // Message boxes over a dialog whose list shows the module's icons; kvhost unloads the
    // module and must still end cleanly.
    QTest::newRow("explorer's message boxes, then the end")
        << QStringList{"--dialog-script", "%s", "--eval", "(Dlg_LispExplorer)"}
        << QByteArray("Dlg_QT_LispExplorer\n  click bt_Directory\n  select List_files 0\n  select List_functions 0\n"
                      "  click Bt_Load\n"
                      "  set txSearch no such text\n  click bt_Search\n  click btnClose\n"
                      "QFileDialog\n  choose " KV_SOURCE_DIR "/examples/lisp\n"
                      "QMessageBox\n  expect-text The file has been loaded.\n  click OK\n"
                      "QMessageBox\n  click OK\n")
        << 0 << "";
    QTest::newRow("module dialog left open")
        << QStringList{"--dialog-script", "%s", "--dialog-timeout", "0.3", "--eval", openDialog}
        << QByteArray("Dlg_QT_EditTextCase\n  click radioButton2\n") << 3
        << "kvhost: dialog script failed: timed out after 300 ms with Dlg_QT_EditTextCase";
}

void TestKvhostAutomation::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, script);
    QFETCH(int, code);
    QFETCH(QString, message);

    const QString path = write(QStringLiteral("script-%1.txt").arg(QTest::currentDataTag()), script);
    QVERIFY(!path.isEmpty());
    for (QString& argument : arguments)
        argument.replace(QLatin1String("%s"), path).replace(QLatin1String("%d"), m_dir.path());
    const KvhostRun run = kvhost(arguments);
    QVERIFY2(run.err.contains(message.replace(QLatin1String("%s"), path)), qPrintable(run.err));
    QCOMPARE(run.code, code);
}

void TestKvhostAutomation::picturesOnlyOfWhatOpened()
{
    const QString folder = m_dir.filePath(QStringLiteral("pictures/of/nothing"));
    const KvhostRun run = kvhost({QStringLiteral("--screenshot-dir"), folder, QStringLiteral("--auto-close"),
                            QStringLiteral("--eval"), QStringLiteral("(+ 1 2)")});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QStringLiteral("3"));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestKvhostAutomation::picturesOfModuleDialogs()
{
    const QString folder = m_dir.filePath(QStringLiteral("pictures/of/dialogs"));
    const QString openDialog = QStringLiteral("(Dlg_edittextcase \"%1/state.txt\")").arg(m_dir.path());
    const KvhostRun run = kvhost({QStringLiteral("--screenshot-dir"), folder, QStringLiteral("--auto-close"),
                            QStringLiteral("--eval"), openDialog, QStringLiteral("--eval"), openDialog});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"Dlg_QT_EditTextCase-2.png", "Dlg_QT_EditTextCase.png"}));
    QVERIFY(!QImage(folder + QStringLiteral("/Dlg_QT_EditTextCase.png")).isNull());
}

KV_TEST_MAIN(TestKvhostAutomation)
#include "tst_kvhost_automation.moc"
