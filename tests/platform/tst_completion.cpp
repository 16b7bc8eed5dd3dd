// Completing function names at kvhost's command line.
#include "TestEnvironment.h"

#include "kernel/lisp/KvLispEngine.h"

#include <QApplication>

class TestCompletion : public QObject
{
    Q_OBJECT
private slots:
    void complete_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("completed");
        QTest::addColumn<int>("newCursor");
        QTest::addColumn<QStringList>("candidates");
        QTest::newRow("one match, case ignored") << "(dlg_edit" << 9 << "(Dlg_edittextcase" << 17 << QStringList{};
        QTest::newRow("as far as all agree") << "(get" << 4 << "(getDist" << 8 << QStringList{"getDistKorvane", "getdist"};
        QTest::newRow("nothing more to add") << "(strca" << 6 << "(strca" << 6 << QStringList{"strcase", "strcat"};
        QTest::newRow("no match") << "(xyz" << 4 << "(xyz" << 4 << QStringList{};
        QTest::newRow("after a blank, mid-line") << "(princ (strle x)" << 13 << "(princ (strlen x)" << 14 << QStringList{};
        QTest::newRow("empty word") << "(" << 1 << "(" << 1 << QStringList{};
        QTest::newRow("cursor past the end") << "strl" << 99 << "strlen" << 6 << QStringList{};
    }
    void complete()
    {
        QFETCH(QString, line);
        QFETCH(int, cursor);
        QFETCH(QString, completed);
        QFETCH(int, newCursor);
        QFETCH(QStringList, candidates);
        const QStringList names{"Dlg_edittextcase", "getDistKorvane", "getdist", "strcase", "strcat", "strlen"};
        const KvLispEngine::Completion c = KvLispEngine::complete(line, cursor, names);
        QCOMPARE(c.line, completed);
        QCOMPARE(c.cursor, newCursor);
        QCOMPARE(c.candidates, candidates);
    }

    void namesHoldBuiltinsAndDefuns()
    {
        KvLispEngine engine(nullptr);
        engine.evaluate(QStringLiteral("(defun my-tool () 1) (defun STRCAT () 2)"));
        const QStringList names = engine.functionNames();
        QVERIFY(names.contains(QStringLiteral("my-tool")));
        QVERIFY(names.contains(QStringLiteral("car")));
        QCOMPARE(names.count(QStringLiteral("strcat")), 1);
    }
};

KV_TEST_MAIN(TestCompletion)
#include "tst_completion.moc"
