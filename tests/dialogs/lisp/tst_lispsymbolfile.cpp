#include "dialogs/lisp/LispSymbolFile.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

// Reading the symbol file the LISP side writes, and the dump file made from it.
class TestLispSymbolFile : public QObject
{
    Q_OBJECT

private slots:
    void sortsByKind();
    void tableRows_data();
    void tableRows();
    void dumpLine_data();
    void dumpLine();
    void dumpOrderAndFile();
    void unreadableFileKeepsLists();
    void failedDumpKeepsOldFile();
    void surviveAnyBytes();

private:
    QTemporaryDir m_dir;
};

namespace {

LispSymbolLists parseText(const QString& text)
{
    QString copy = text;
    QTextStream stream(&copy);
    return LispSymbolFile::parse(stream);
}

} // namespace

void TestLispSymbolFile::sortsByKind()
{
    const LispSymbolLists lists = parseText(QStringLiteral(
        "COMMAND!c:go!USUBR!cmd!(defun c:go)\n"
        "command!lower!USUBR\n"
        "FUNCTION!f1!SUBR!fn!f1\n"
        "VARIABLE!v!STR!abc\n"
        "OTHER!x\n"
        "\n"
        "COMMAND\n"
        "FUNCTIONS!f2\n"
        "VARIABLE!w!INT!3\n"));
    QCOMPARE(lists.commands, QStringList({"COMMAND!c:go!USUBR!cmd!(defun c:go)", "COMMAND"}));
    QCOMPARE(lists.functions, QStringList({"FUNCTION!f1!SUBR!fn!f1"}));
    QCOMPARE(lists.variables, QStringList({"VARIABLE!v!STR!abc", "VARIABLE!w!INT!3"}));
}

void TestLispSymbolFile::tableRows_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("full") << "COMMAND!c:go!USUBR!cmd!(x)" << QStringList{"c:go", "USUBR", "cmd"};
    QTest::newRow("empty fields kept") << "VARIABLE!!STR!" << QStringList{"", "STR", ""};
    QTest::newRow("short line") << "FUNCTION!f" << QStringList{"f", "", ""};
    QTest::newRow("kind only") << "VARIABLE" << QStringList{"", "", ""};
}

void TestLispSymbolFile::tableRows()
{
    QFETCH(QString, line);
    QFETCH(QStringList, row);
    QCOMPARE(LispSymbolFile::tableRows({line}), QVector<QStringList>{row});
}

void TestLispSymbolFile::dumpLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("dumped");
    QTest::newRow("string variable") << "VARIABLE!myvar!STR!abc" << ";(setq myvar \"abc\")\n";
    QTest::newRow("other variable") << "VARIABLE!n!INT!42" << ";(setq n 42)\n";
    QTest::newRow("data type compared exactly") << "VARIABLE!s!str!x" << ";(setq s x)\n";
    QTest::newRow("command uses field 4")
        << "COMMAND!c:go!USUBR!cmd!(defun c:go ())" << ";(setq c:go (defun c:go ()))\n";
    QTest::newRow("function uses field 4") << "FUNCTION!f!SUBR!fn!<Subr: #1>"
                                           << ";(setq f <Subr: #1>)\n";
    QTest::newRow("short function line") << "FUNCTION!f" << ";(setq f )\n";
    QTest::newRow("short string variable") << "VARIABLE!v!STR" << ";(setq v \"\")\n";
    QTest::newRow("kind only") << "VARIABLE" << ";(setq  )\n";
}

void TestLispSymbolFile::dumpLine()
{
    QFETCH(QString, line);
    QFETCH(QString, dumped);
    QCOMPARE(LispSymbolFile::dumpText(parseText(line)), dumped);
}

void TestLispSymbolFile::dumpOrderAndFile()
{
    const LispSymbolLists lists = parseText(QStringLiteral("VARIABLE!v!STR!\xe9t\xe9\n"
                                                           "FUNCTION!f!SUBR!x!fdef\n"
                                                           "COMMAND!c!USUBR!x!cdef\n"
                                                           "FUNCTION!g!SUBR!x!gdef\n"));
    const QString path = m_dir.filePath("order.dmp");
    QVERIFY(LispSymbolFile::writeDump(path, lists));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QStringLiteral(";(setq c cdef)\n;(setq f fdef)\n;(setq g gdef)\n;(setq v \"\xe9t\xe9\")\n"));
}

void TestLispSymbolFile::unreadableFileKeepsLists()
{
    LispSymbolLists lists;
    lists.commands << "COMMAND!old";
    QString error;
    QVERIFY(!LispSymbolFile::read(m_dir.filePath("missing.txt"), &lists, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(lists.commands, QStringList{"COMMAND!old"});
    // A folder cannot be read as a file either.
    QVERIFY(!LispSymbolFile::read(m_dir.path(), &lists, &error));
    QCOMPARE(lists.commands, QStringList{"COMMAND!old"});
}

void TestLispSymbolFile::failedDumpKeepsOldFile()
{
    LispSymbolLists lists;
    lists.commands << "COMMAND!c!USUBR!x!new";
    QString error;
    QVERIFY(!LispSymbolFile::writeDump(m_dir.filePath("no/such/folder/x.dmp"), lists, &error));
    QVERIFY(!error.isEmpty());

    // A folder in the way of the file: the write fails and the folder is left as it was.
    const QString blocked = m_dir.filePath("blocked.dmp");
    QVERIFY(QDir(m_dir.path()).mkdir("blocked.dmp"));
    QVERIFY(!LispSymbolFile::writeDump(blocked, lists, &error));
    QVERIFY(QFileInfo(blocked).isDir());
}

void TestLispSymbolFile::surviveAnyBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(char((i * 7919) % 256));
    bytes += "\nVARIABLE!ok!INT!1\nVARIABLE!\xff\xfe!STR!\n";
    const QString path = m_dir.filePath("noise.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    LispSymbolLists lists;
    QString error;
    QVERIFY(LispSymbolFile::read(path, &lists, &error));
    QVERIFY(lists.variables.contains("VARIABLE!ok!INT!1"));
    QVERIFY(LispSymbolFile::writeDump(m_dir.filePath("noise.dmp"), lists));
}

QTEST_GUILESS_MAIN(TestLispSymbolFile)
#include "tst_lispsymbolfile.moc"
