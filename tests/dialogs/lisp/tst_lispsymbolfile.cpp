#include "TestFiles.h"

#include "dialogs/lisp/LispSymbolFile.h"

#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

// Reading the symbol file the LISP side writes, and the dump file made from it.
class TestLispSymbolFile : public QObject
{
    Q_OBJECT

private slots:
    void sortsByKind();
    void dumpLine_data();
    void dumpLine();
    void readsEightBitFiles();
    void failedDumpKeepsOldFile();

private:
    QTemporaryDir m_dir;
};

namespace {

LispSymbolLists parseText(const QString& text)
{
    return LispSymbolFile::parse(text);
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

void TestLispSymbolFile::dumpLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("dumped");
    // The usual lines are in the explorer's export test; these are the odd ones.
    QTest::newRow("data type compared exactly") << "VARIABLE!s!str!x" << ";(setq s x)\n";
    QTest::newRow("short string variable") << "VARIABLE!v!STR" << ";(setq v \"\")\n";
    QTest::newRow("kind only") << "VARIABLE" << ";(setq  )\n";
}

void TestLispSymbolFile::dumpLine()
{
    QFETCH(QString, line);
    QFETCH(QString, dumped);
    QCOMPARE(LispSymbolFile::dumpText(parseText(line)), dumped);
}

// A symbol file written in a code page, not UTF-8, keeps its letters.
void TestLispSymbolFile::readsEightBitFiles()
{
    const QString path = m_dir.filePath("cp1252.txt");
    QVERIFY(writeBytes(path, "VARIABLE!v!STR!\xA9 tambi\xE9n\r\nCOMMAND!c:x\r\n"));
    QTextCodec* previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    LispSymbolLists lists;
    QString error;
    const bool read = LispSymbolFile::read(path, &lists, &error);
    QTextCodec::setCodecForLocale(previous);
    QVERIFY(read);
    QCOMPARE(lists.variables, QStringList{QString::fromUtf8("VARIABLE!v!STR!\xC2\xA9 tambi\xC3\xA9n")});
    QCOMPARE(lists.commands, QStringList{"COMMAND!c:x"});
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

QTEST_GUILESS_MAIN(TestLispSymbolFile)
#include "tst_lispsymbolfile.moc"
