// The example programs of the style and script dialogs, run in kvhost with their dialog
// scripts as a person would run them, so that they keep working.
#include "KvhostProcess.h"
#include "TestEnvironment.h"

#include <QDir>

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
        QTest::newRow("alias editor") << "editalias" << "  aliases: 275";
        QTest::newRow("support information") << "exportinfo" << "  Last command:     HATCHEDIT";
    }

    void runToTheEnd()
    {
        QFETCH(QString, example);
        QFETCH(QString, printed);
        // The examples name their files as seen from the top of the source tree.
        QDir::setCurrent(QStringLiteral(KV_SOURCE_DIR));
        const KvhostRun run = KvhostRun::start(QStringLiteral(KV_KVHOST), TestEnvironment::home() + "/user",
                                               {"--dialog-script", "examples/dialog-scripts/" + example + ".txt",
                                                "--script", "examples/" + example + ".lsp"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.out.split('\n').contains(printed), qPrintable(run.out));
    }
};

KV_TEST_MAIN(TestExchangeExamples)
#include "tst_exchangeexamples.moc"
