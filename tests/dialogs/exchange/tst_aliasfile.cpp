// The alias file: what the reader takes from any XML, what the writer leaves out, and that
// whatever is written reads back.
#include "dialogs/exchange/AliasFile.h"

#include "TestEnvironment.h"
#include "TestFiles.h"

using Records = AliasFile::Records;
Q_DECLARE_METATYPE(AliasFile::Records)

namespace {
QString shown(const Records& records)
{
    QStringList rows;
    for (const AliasFile::Record& r : records)
        rows << r.command + "=" + r.alias;
    return rows.join(' ');
}
} // namespace

class TestAliasFile : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("records");
        QTest::addColumn<bool>("wellFormed");
        QTest::newRow("as written") << QByteArray("<aliases>\n    <record command=\"LINE\" alias=\"L\"/>\n"
                                                  "    <record command=\"CIRCLE\" alias=\"C\"/>\n</aliases>\n")
                                    << "LINE=L CIRCLE=C" << true;
        QTest::newRow("any root, values kept as written, absent attribute empty")
            << QByteArray("<?xml version=\"1.0\"?><list><record alias=\"l\" command=\"Line\"/><record command=\"ARC\"/></list>")
            << "Line=l ARC=" << true;
        QTest::newRow("nested elements entered, later records still read")
            << QByteArray("<a><group><record command=\"A\" alias=\"1\"/></group><record command=\"B\" alias=\"2\"/>"
                          "<x/><record command=\"C\" alias=\"3\"/></a>")
            << "A=1 B=2 C=3" << true;
        QTest::newRow("content of a record skipped")
            << QByteArray("<a><record command=\"A\" alias=\"1\"><record command=\"IN\" alias=\"2\"/>text</record></a>")
            << "A=1" << true;
        QTest::newRow("the root a record") << QByteArray("<record command=\"A\" alias=\"1\"/>") << "A=1" << true;
        QTest::newRow("anything after the root ignored")
            << QByteArray("<a><record command=\"A\" alias=\"1\"/></a><b><record command=\"B\"") << "A=1" << true;
        QTest::newRow("UTF-8 with a byte-order mark, escapes")
            << QByteArray("\xEF\xBB\xBF<a><record command=\"\xC3\x9C""BER&amp;&lt;\" alias=\"&#9;\"/></a>")
            << QString::fromUtf8("\xC3\x9C""BER&<=\t") << true;
        QTest::newRow("broken: records before the fault kept")
            << QByteArray("<a><record command=\"A\" alias=\"1\"/><record command=\"B\" alias=2/></a>") << "A=1" << false;
        QTest::newRow("broken: unclosed root") << QByteArray("<a><record command=\"A\" alias=\"1\"/>") << "A=1" << false;
        QTest::newRow("empty file") << QByteArray() << "" << false;
        QTest::newRow("not XML") << QByteArray("LINE,L\nCIRCLE,C\n") << "" << false;
    }

    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, records);
        QFETCH(bool, wellFormed);
        const AliasFile::ReadResult result = AliasFile::parse(bytes);
        QCOMPARE(shown(result.records), records);
        QCOMPARE(result.status == AliasFile::ReadStatus::Ok, wellFormed);
        QCOMPARE(result.error.isEmpty(), wellFormed);
    }

    void writing_data()
    {
        QTest::addColumn<Records>("rows");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("empty table") << Records{} << QByteArray("<aliases/>\n") << "";
        QTest::newRow("upper case, empty rows left out")
            << Records{{"line", "l"}, {"", "X"}, {"ARC", ""}, {"Circle", "c"}}
            << QByteArray("<aliases>\n    <record command=\"LINE\" alias=\"L\"/>\n"
                          "    <record command=\"CIRCLE\" alias=\"C\"/>\n</aliases>\n")
            << "LINE=L CIRCLE=C";
        QTest::newRow("markup and breaks come back as typed")
            << Records{{"a<b>&\"c\"", "x\ty\nz"}} << QByteArray() << "A<B>&\"C\"=X\tY\nZ";
        QTest::newRow("characters XML cannot hold dropped")
            << Records{{QString("A") + QChar(1) + QChar(0xD800) + "B", QString(QChar(0xFFFF)) + "Q"}, {QString(QChar(2)), "Z"}}
            << QByteArray() << "AB=Q";
    }

    void writing()
    {
        QFETCH(Records, rows);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        const QByteArray written = AliasFile::serialize(rows);
        if (!bytes.isEmpty())
            QCOMPARE(written, bytes);
        const AliasFile::ReadResult result = AliasFile::parse(written);
        QCOMPARE(result.status, AliasFile::ReadStatus::Ok);
        QCOMPARE(shown(result.records), readBack);
    }

    // A missing file reads as unreadable; one that cannot be written is reported.
    void files()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("alias.xml");
        QCOMPARE(AliasFile::read(path).status, AliasFile::ReadStatus::Unreadable);
#ifdef Q_OS_UNIX
        // A device is no file: never opened, so never read without end.
        QCOMPARE(AliasFile::read("/dev/null").status, AliasFile::ReadStatus::Unreadable);
#endif
        QVERIFY(AliasFile::write(path, {{"line", "l"}}));
        QCOMPARE(shown(AliasFile::read(path).records), QStringLiteral("LINE=L"));
        // A folder that is a file: nothing can be written there.
        QString error;
        QVERIFY(!AliasFile::write(path + "/alias.xml", {{"arc", "a"}}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(shown(AliasFile::read(path).records), QStringLiteral("LINE=L"));
    }
};

KV_TEST_MAIN(TestAliasFile)
#include "tst_aliasfile.moc"
