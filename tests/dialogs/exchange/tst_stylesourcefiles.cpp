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
    void lineStyleHeaders_data();
    void lineStyleHeaders();
    void shapeHeaders_data();
    void shapeHeaders();
    void lineStyleFileCheck_data();
    void lineStyleFileCheck();
    void manyLineStyles();
    void manyShapes();

private:
    QTemporaryDir m_dir;
};

namespace {
QString joined(const QVector<LineStyleFile::Header>& headers)
{
    QStringList out;
    for (const auto& h : headers)
        out << h.name + QLatin1Char('|') + h.description;
    return out.join(QLatin1Char('/'));
}

QString joined(const QVector<ShapeFile::Header>& headers)
{
    QStringList out;
    for (const auto& h : headers)
        out << h.number + QLatin1Char('|') + h.name;
    return out.join(QLatin1Char('/'));
}
} // namespace

void TestStyleSourceFiles::lineStyleHeaders_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("styles among comments and patterns")
        << QByteArray(";; line styles\n*BORDER,Border __ __ . __\nA,.5,-.25,.5,-.25,0,-.25\n;;\n*DOTS\nA,0,-.25\n")
        << "BORDER|Border __ __ . __/DOTS|";
    QTest::newRow("text after a second comma not shown") << QByteArray("*A,first,second\n") << "A|first";
    QTest::newRow("empty fields") << QByteArray("*\n*,\n*B,\n") << "|/|/B|";
    QTest::newRow("only a first-column star counts") << QByteArray(" *A,x\n\t*B\nA,*C\n") << "";
    QTest::newRow("CR LF, no last line end") << QByteArray("*A,desc\r\n*B,d\r") << "A|desc/B|d\r";
    QTest::newRow("8-bit description") << QByteArray("*A,L\xednea\n") << "A|L\u00ednea";
}

void TestStyleSourceFiles::lineStyleHeaders()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("headers.lin"));
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(joined(LineStyleFile::read(path)), expected);
}

void TestStyleSourceFiles::shapeHeaders_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("shapes and their bytes")
        << QByteArray("; shapes\n*130,6,DBLARROW\n2,1,2,0,6,0\n*131,3,box\n1,0E,0\n") << "130|DBLARROW/131|box";
    QTest::newRow("big-font header") << QByteArray("*BIGFONT 8000,1,080,09E\n*0,4,font\n") << "BIGFONT 8000|080/0|font";
    QTest::newRow("fewer than three fields") << QByteArray("*1,2\n*3\n") << "1|/3|";
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestStyleSourceFiles::shapeHeaders()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("headers.shp"));
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(joined(ShapeFile::read(path)), expected);
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

// A line style library as such files are laid out: a comment head, then per style a comment
// line, its header and its pattern line.
void TestStyleSourceFiles::manyLineStyles()
{
    QByteArray bytes = ";;\n;;  Line styles\n;;\n";
    for (int i = 0; i < 40; ++i) {
        bytes += ";; style " + QByteArray::number(i) + "\r\n";
        bytes += "*STYLE" + QByteArray::number(i) + (i % 4 ? ",Style " + QByteArray::number(i) + " __ . __" : "")
            + "\r\n";
        bytes += "A,.5,-.25,0,-.25\r\n";
    }
    const QString path = m_dir.filePath(QStringLiteral("forty.lin"));
    QVERIFY(writeBytes(path, bytes));
    QVERIFY(!LineStyleFile::isAcceptable(path)); // its first line is a comment
    const QVector<LineStyleFile::Header> headers = LineStyleFile::read(path);
    QCOMPARE(headers.size(), 40);
    QCOMPARE(headers.at(39).name, QStringLiteral("STYLE39"));
    QCOMPARE(headers.at(39).description, QStringLiteral("Style 39 __ . __"));
    QCOMPARE(headers.at(8).description, QString());
}

void TestStyleSourceFiles::manyShapes()
{
    QByteArray bytes = "*BIGFONT 8000,1,080,09E\n*0,4,Big\n21,7,2,0\n";
    for (int i = 1; i <= 8000; ++i)
        bytes += "*" + QByteArray::number(i) + ",12,S" + QByteArray::number(i) + "\n2,14,8,(-3,-8),1,01E,0\n";
    const QString path = m_dir.filePath(QStringLiteral("big.shp"));
    QVERIFY(writeBytes(path, bytes));
    const QVector<ShapeFile::Header> headers = ShapeFile::read(path);
    QCOMPARE(headers.size(), 8002);
    QCOMPARE(headers.last().number, QStringLiteral("8000"));
    QCOMPARE(headers.last().name, QStringLiteral("S8000"));
}

QTEST_GUILESS_MAIN(TestStyleSourceFiles)
#include "tst_stylesourcefiles.moc"
