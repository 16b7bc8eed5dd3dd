// The dimension style file: names, what a style shows, and exact exports.
#include "dialogs/exchange/DimStyleFile.h"

#include "TestFiles.h"

#include <QtTest>

Q_DECLARE_METATYPE(QVector<DimStyleFile::Row>)

class TestDimStyleFile : public QObject
{
    Q_OBJECT

private slots:
    void styleNames_data();
    void styleNames();
    void content_data();
    void content();
    void variableRows_data();
    void variableRows();
    void exportStyles_data();
    void exportStyles();
    void missingFileHoldsNothing();
    void sampleFile();
};

namespace {
// Two styles in the layout the LISP side writes: a hidden first line, variables, text style
// lines and a linetype variable with embedded text (its count includes one line end).
const QByteArray kSample = "; written by the suite\n"
                           "DIMENSION_STYLE_NAME Standard\n"
                           "VERSION 2\n"
                           "DIMASZ 2.5\n"
                           "DIMTXSTY Romans\n"
                           "DIMTXT_FONT romans.shx\n"
                           "DIMLT CENTER 30\n"
                           "*CENTER,Center ___ _\n"
                           "A,12.7,-5\n"
                           "DIMSCALE 1\n"
                           "END_OF_STYLE\n"
                           "DIMENSION_STYLE_NAME Iso 25 mm\n"
                           "VERSION 2\n"
                           "DIMASZ 3.5\n"
                           "END_OF_STYLE\n";
} // namespace

void TestDimStyleFile::styleNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("sample") << kSample << QStringList{"Standard", "Iso 25 mm"};
    QTest::newRow("name keeps its blanks") << QByteArray("DIMENSION_STYLE_NAME  two  blanks \n")
                                           << QStringList{" two  blanks "};
    QTest::newRow("keyword only in field 0") << QByteArray("x DIMENSION_STYLE_NAME a\nMY_DIMENSION_STYLE_NAME b\n")
                                             << QStringList{"b"};
    QTest::newRow("no name after the keyword") << QByteArray("DIMENSION_STYLE_NAME\r\n") << QStringList{""};
    QTest::newRow("CR LF and byte-order mark") << QByteArray("\xEF\xBB\xBF""DIMENSION_STYLE_NAME A\r\nEND_OF_STYLE\r\n")
                                               << QStringList{"A"};
    QTest::newRow("8-bit name") << QByteArray("DIMENSION_STYLE_NAME Cota\xe9\n") << QStringList{"Cota\u00e9"};
}

void TestDimStyleFile::styleNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QCOMPARE(DimStyleFile(bytes).styleNames(), names);
}

void TestDimStyleFile::content_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("textStyleApart");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("textStyles");

    QTest::newRow("export view") << kSample << "STANDARD" << false
                                 << QStringList{"VERSION 2", "DIMASZ 2.5", "DIMTXSTY Romans", "DIMLT CENTER",
                                                "DIMSCALE 1"}
                                 << QStringList();
    QTest::newRow("import view") << kSample << "standard" << true
                                 << QStringList{"VERSION 2", "DIMASZ 2.5", "DIMLT CENTER", "DIMSCALE 1"}
                                 << QStringList{"Romans"};

    // The count: characters of the embedded text, each line end counting one; then the rest
    // of the line the count ends on.
    const QByteArray head = "DIMENSION_STYLE_NAME A\nV 1\n";
    QTest::newRow("count ends inside a line") << head + "DIMLT L 3\nabcdef\nB 2\nEND_OF_STYLE\n" << "A" << false
                                              << QStringList{"V 1", "DIMLT L", "B 2"} << QStringList();
    QTest::newRow("count ends on a line end") << head + "DIMLT L 4\nabc\nB 2\nC 3\nEND_OF_STYLE\n" << "A" << false
                                              << QStringList{"V 1", "DIMLT L", "C 3"} << QStringList();
    QTest::newRow("count 0 takes the next line") << head + "DIMEX1LT L 0\nB 2\nC 3\nEND_OF_STYLE\n" << "A" << false
                                                 << QStringList{"V 1", "DIMEX1LT L", "C 3"} << QStringList();
    QTest::newRow("CR LF counts as one") << QByteArray(head).replace("\n", "\r\n") + "DIMEX2LT L 5\r\nab\r\ncd\r\nB 2\r\nEND_OF_STYLE\r\n"
                                         << "A" << false << QStringList{"V 1", "DIMEX2LT L", "B 2"} << QStringList();
    QTest::newRow("embedded end line is text") << head + "DIMLT L 12\nEND_OF_STYLE\nB 2\nEND_OF_STYLE\n" << "A" << false
                                               << QStringList{"V 1", "DIMLT L", "B 2"} << QStringList();
    QTest::newRow("negative count") << head + "DIMLT L -7\nB 2\nC 3\nEND_OF_STYLE\n" << "A" << false
                                    << QStringList{"V 1", "DIMLT L", "C 3"} << QStringList();
    QTest::newRow("count not a number") << head + "DIMLT L x9\nB 2\nC 3\nEND_OF_STYLE\n" << "A" << false
                                        << QStringList{"V 1", "DIMLT L", "C 3"} << QStringList();
    QTest::newRow("count missing") << head + "DIMLT\nB 2\nC 3\nEND_OF_STYLE\n" << "A" << false
                                   << QStringList{"V 1", "DIMLT"} + QStringList{"B 2", "C 3"} << QStringList();
    QTest::newRow("count past the end") << head + "DIMLT L 2000000000\nB 2\nEND_OF_STYLE\n" << "A" << false
                                        << QStringList{"V 1", "DIMLT L"} << QStringList();
    QTest::newRow("count past any integer") << head + "DIMLT L 99999999999999999999\nB 2\nC 3\n" << "A" << false
                                            << QStringList{"V 1", "DIMLT L"} << QStringList();
    QTest::newRow("no end line") << head + "B 2" << "a" << false << QStringList{"V 1", "B 2"} << QStringList();
    QTest::newRow("repeated blocks")
        << head + "END_OF_STYLE\nx\nDIMENSION_STYLE_NAME a\nW 2\nDIMTXSTY T2\nEND_OF_STYLE\n" << "A" << true
        << QStringList{"V 1", "W 2"} << QStringList{"T2"};
    QTest::newRow("name line inside its own block is read once")
        << QByteArray("DIMENSION_STYLE_NAME A\nV 1\nDIMENSION_STYLE_NAME A\nW 2\nEND_OF_STYLE\n") << "A" << false
        << QStringList{"V 1", "DIMENSION_STYLE_NAME A", "W 2"} << QStringList();
}

void TestDimStyleFile::content()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QFETCH(bool, textStyleApart);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, textStyles);
    const DimStyleFile::Content content = DimStyleFile(bytes).content(name, textStyleApart);
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.textStyles, textStyles);
}

void TestDimStyleFile::variableRows_data()
{
    QTest::addColumn<QStringList>("collected");
    QTest::addColumn<QVector<DimStyleFile::Row>>("rows");
    using Row = DimStyleFile::Row;
    QTest::newRow("first line never shown") << QStringList{"DIMASZ 1", "DIMGAP 2"}
                                            << QVector<Row>{Row("DIMGAP", "2")};
    QTest::newRow("lines without a blank are no variables") << QStringList{"x", "ALONE", "A b"}
                                                            << QVector<Row>{Row("A", "b")};
    QTest::newRow("further fields not shown, empty ones kept")
        << QStringList{"x", "DIMPOST a b c", "DIMAPOST ", " lead"}
        << QVector<Row>{Row("DIMPOST", "a"), Row("DIMAPOST", ""), Row("", "lead")};
}

void TestDimStyleFile::variableRows()
{
    QFETCH(QStringList, collected);
    QFETCH(QVector<DimStyleFile::Row>, rows);
    QCOMPARE(DimStyleFile::variableRows(collected), rows);
}

void TestDimStyleFile::exportStyles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("full");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray standardFull = "DIMENSION_STYLE_NAME Standard\r\nVERSION 2\r\nDIMASZ 2.5\r\nDIMTXSTY Romans\r\n"
                                    "DIMTXT_FONT romans.shx\r\nDIMLT CENTER 30\r\n*CENTER,Center ___ _\r\n"
                                    "A,12.7,-5\r\nDIMSCALE 1\r\nEND_OF_STYLE\r\n";
    const QByteArray iso = "DIMENSION_STYLE_NAME Iso 25 mm\r\nVERSION 2\r\nDIMASZ 3.5\r\nEND_OF_STYLE\r\n";

    QTest::newRow("in the order asked") << kSample << QStringList{"ISO 25 MM", "Standard"} << true
                                        << iso + standardFull;
    QTest::newRow("unknown names give nothing") << kSample << QStringList{"None", ""} << true << QByteArray();
    QTest::newRow("every block of a repeated name")
        << QByteArray("DIMENSION_STYLE_NAME A\nV 1\nEND_OF_STYLE\nDIMENSION_STYLE_NAME B\nEND_OF_STYLE\n"
                      "DIMENSION_STYLE_NAME a\nV 2\nEND_OF_STYLE\n")
        << QStringList{"A"} << true
        << QByteArray("DIMENSION_STYLE_NAME A\r\nV 1\r\nEND_OF_STYLE\r\nDIMENSION_STYLE_NAME a\r\nV 2\r\n"
                      "END_OF_STYLE\r\n");
    QTest::newRow("no end line: to the end of the file")
        << QByteArray("DIMENSION_STYLE_NAME A\nV 1\n\nW 2") << QStringList{"A"} << true
        << QByteArray("DIMENSION_STYLE_NAME A\r\nV 1\r\n\r\nW 2\r\n");
    QTest::newRow("bytes copied as they are")
        << QByteArray("DIMENSION_STYLE_NAME Cota\xe9\r\nDIMPOST \xb0\tx \r\nEND_OF_STYLE\r\n")
        << QStringList{"COTA\u00c9"} << true
        << QByteArray("DIMENSION_STYLE_NAME Cota\xe9\r\nDIMPOST \xb0\tx \r\nEND_OF_STYLE\r\n");
    QTest::newRow("lone CR stays in its line") << QByteArray("DIMENSION_STYLE_NAME A\nV\r1\nEND_OF_STYLE")
                                               << QStringList{"A"} << true
                                               << QByteArray("DIMENSION_STYLE_NAME A\r\nV\r1\r\nEND_OF_STYLE\r\n");
}

void TestDimStyleFile::exportStyles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(bool, full);
    QFETCH(QByteArray, expected);
    QCOMPARE(DimStyleFile(bytes).exportStyles(names, full), expected);
}

void TestDimStyleFile::missingFileHoldsNothing()
{
    const DimStyleFile file = DimStyleFile::read(QStringLiteral("/nonexistent/styles.dim"));
    QCOMPARE(file.lineCount(), 0);
    QVERIFY(file.styleNames().isEmpty());
    QVERIFY(file.exportStyles({"A"}, true).isEmpty());
}

// Our sample: three styles, one with two linetype variables and their embedded definitions.
void TestDimStyleFile::sampleFile()
{
    const QString path = QStringLiteral(KV_SOURCE_DIR "/examples/styles/sample.dim");
    const DimStyleFile file = DimStyleFile::read(path);
    const QStringList names{"Standard", "ISO-25", "Arch 1-100"};
    QCOMPARE(file.styleNames(), names);
    // Exporting every style copies the file but for its comment head.
    QByteArray source = readBytes(path);
    source.remove(0, source.indexOf("DIMENSION_STYLE_NAME"));
    QCOMPARE(file.exportStyles(names, true), source);
}

QTEST_GUILESS_MAIN(TestDimStyleFile)
#include "tst_dimstylefile.moc"
