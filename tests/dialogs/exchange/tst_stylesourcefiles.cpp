// Headers of line style (.lin) and shape (.shp) sources, and the line style file check.
#include "dialogs/exchange/LineStyleFile.h"
#include "dialogs/exchange/ShapeFile.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStyleSourceFiles : public QObject
{
    Q_OBJECT

private slots:
    void headers_data();
    void headers();
    void lineStyleFileCheck_data();
    void lineStyleFileCheck();

private:
    // "first|second" per header, "/" between headers: name and description of a line style,
    // number and name of a shape.
    QString headersOf(const QString& path, bool shape)
    {
        QStringList out;
        if (shape)
            for (const auto& h : ShapeFile::read(path))
                out << h.number + QLatin1Char('|') + h.name;
        else
            for (const auto& h : LineStyleFile::read(path))
                out << h.name + QLatin1Char('|') + h.description;
        return out.join(QLatin1Char('/'));
    }

    QTemporaryDir m_dir;
};

void TestStyleSourceFiles::headers_data()
{
    QTest::addColumn<bool>("shape");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("styles among comments and patterns")
        << false << QByteArray(";; line styles\n*BORDER,Border __ . __\nA,.5,-.25\n;;\n*DOTS\nA,0,-.25\n")
        << "BORDER|Border __ . __/DOTS|";
    QTest::newRow("style: text after a second comma not shown") << false << QByteArray("*A,first,second\n") << "A|first";
    QTest::newRow("style: empty fields") << false << QByteArray("*\n*,\n") << "|/|";
    QTest::newRow("only a first-column star counts") << false << QByteArray(" *A,x\n\t*B\nA,*C\n") << "";
    QTest::newRow("CR LF and lone CR line ends") << false << QByteArray("*A,desc\r\n*B,d\r*C\r") << "A|desc/B|d/C|";
    QTest::newRow("8-bit description") << false << QByteArray("*A,L\xednea\n") << "A|L\u00ednea";
    QTest::newRow("shapes and their bytes") << true << QByteArray("; shapes\n*130,6,DBLARROW\n2,1,2,0,6,0\n*131,3,box\n")
                                            << "130|DBLARROW/131|box";
    QTest::newRow("big-font header") << true << QByteArray("*BIGFONT 8000,1,080,09E\n*0,4,font\n")
                                     << "BIGFONT 8000|080/0|font";
    QTest::newRow("shape: fewer than three fields") << true << QByteArray("*1,2\n*3\n") << "1|/3|";
}

void TestStyleSourceFiles::headers()
{
    QFETCH(bool, shape);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("headers"));
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(headersOf(path, shape), expected);
}

void TestStyleSourceFiles::lineStyleFileCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // "<none>": no file, "<folder>": a folder
    QTest::addColumn<bool>("acceptable");
    QTest::newRow("new file") << "new.lin" << QByteArray("<none>") << true;
    QTest::newRow("header first, name in capitals") << "UPPER.LIN" << QByteArray("*A,a\n") << true;
    QTest::newRow("blank first line") << "blank.lin" << QByteArray(" \t\r\n*A\n") << true;
    QTest::newRow("empty file") << "empty.lin" << QByteArray() << true;
    QTest::newRow("byte-order mark before the header") << "bom.lin" << QByteArray("\xEF\xBB\xBF*A\n") << true;
    QTest::newRow("comment first") << "comment.lin" << QByteArray(";; styles\n*A\n") << false;
    QTest::newRow("indented header") << "indented.lin" << QByteArray(" *A\n") << false;
    QTest::newRow("other extension") << "styles.txt" << QByteArray("<none>") << false;
    QTest::newRow("folder") << "folder.lin" << QByteArray("<folder>") << false;
}

void TestStyleSourceFiles::lineStyleFileCheck()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, acceptable);
    const QString path = m_dir.filePath(name);
    if (bytes == "<folder>")
        QVERIFY(QDir().mkpath(path));
    else if (bytes != "<none>")
        QVERIFY(writeBytes(path, bytes));
    QCOMPARE(LineStyleFile::isAcceptable(path), acceptable);
}

QTEST_GUILESS_MAIN(TestStyleSourceFiles)
#include "tst_stylesourcefiles.moc"
