// The example programs of the style and script dialogs, run in kvhost with their dialog
// scripts as a person would run them, so that they keep working.
#include "TestEnvironment.h"

#include <QProcess>

class TestExchangeExamples : public QObject
{
    Q_OBJECT
private slots:
    void runToTheEnd_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("printed"); // a line the program prints at its end
        QTest::newRow("dimension style export") << "dimstyle-export" << "  lststyles=ISO-25^Arch 1-100^";
        QTest::newRow("dimension style import") << "dimstyle-import" << "  cbdimensionstyle=TRUE";
        QTest::newRow("line style maker") << "linestyle" << "  name=GAS_LINE";
        QTest::newRow("shape maker") << "shape" << "  resolution=256";
        QTest::newRow("settings export") << "settings-export" << "  (setvar \"FILEDIA\" 0) ; dangerous: no file dialogs";
    }

    void runToTheEnd()
    {
        QFETCH(QString, example);
        QFETCH(QString, printed);
        QProcess process;
        process.setWorkingDirectory(QStringLiteral(KV_SOURCE_DIR));
        process.setProgram(QStringLiteral(KV_KVHOST));
        process.setArguments({"--user-folder", TestEnvironment::home() + "/user", "--dialog-script",
                              "examples/dialog-scripts/" + example + ".txt", "--script", "examples/" + example + ".lsp"});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start();
        QVERIFY(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(process.exitCode() == 0, qPrintable(QString::fromUtf8(process.readAllStandardError())));
        QVERIFY2(out.split('\n').contains(printed), qPrintable(out));
    }
};

KV_TEST_MAIN(TestExchangeExamples)
#include "tst_exchangeexamples.moc"
