// The block lists the block tools exchange with LISP: candidates, information rows, the
// text export and the names of reference drawings.
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/BlockLists.h"

#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using KvBlockLists::Candidate;
using KvBlockLists::InfoRow;
using NameCounts = QVector<QPair<QString, QString>>;

class TestBlockLists : public QObject
{
    Q_OBJECT

private slots:
    void candidates_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("name and count") << "DOOR^3" << "DOOR" << 3;
        QTest::newRow("digits keep their zeros") << "007^2" << "007" << 2;
        QTest::newRow("long digit name") << "12345678901234567890^1" << "12345678901234567890" << 1;
        QTest::newRow("no caret") << "DOOR" << "DOOR" << 0;
        QTest::newRow("count missing") << "DOOR^" << "DOOR" << 0;
        QTest::newRow("count not a number") << "DOOR^x" << "DOOR" << 0;
        QTest::newRow("count too large") << "DOOR^99999999999" << "DOOR" << 0;
        QTest::newRow("negative count") << "DOOR^-2" << "DOOR" << -2;
        QTest::newRow("a third field") << "DOOR^4^x" << "DOOR" << 4;
    }

    void candidates()
    {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QFETCH(int, count);
        const Candidate candidate = KvBlockLists::parseCandidate(entry);
        QCOMPARE(candidate.name, name);
        QCOMPARE(candidate.count, count);
    }

    void infoRows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qlonglong>("count");
        QTest::newRow("name and count") << "Door;12" << true << "Door" << 12LL;
        QTest::newRow("leading zeros of a count") << "A;007" << true << "A" << 7LL;
        QTest::newRow("a third field") << "A;3;x" << true << "A" << 3LL;
        QTest::newRow("empty name") << ";4" << true << "" << 4LL;
        QTest::newRow("count 0") << "A;0" << false << "" << 0LL;
        QTest::newRow("negative count") << "A;-1" << false << "" << 0LL;
        QTest::newRow("count not a number") << "A;many" << false << "" << 0LL;
        QTest::newRow("no count") << "A" << false << "" << 0LL;
        QTest::newRow("empty count") << "A;" << false << "" << 0LL;
    }

    void infoRows()
    {
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QFETCH(QString, name);
        QFETCH(qlonglong, count);
        InfoRow row;
        QCOMPARE(KvBlockLists::parseInfoRow(text, &row), shown);
        if (shown) {
            QCOMPARE(row.name, name);
            QCOMPARE(row.count, count);
        }
    }

    void exportLines_data()
    {
        QTest::addColumn<NameCounts>("rows");
        QTest::addColumn<QStringList>("lines");
        // W = 4 + 5 = 9: the header's "Name" takes W - 2 = 7, the names W, then two blanks.
        QTest::newRow("names A and Door") << NameCounts{{"A", "3"}, {"Door", "12"}}
                                          << QStringList{"Name    Instances", "A          3", "Door       12"};
        QTest::newRow("no rows") << NameCounts{} << QStringList{"Name Instances"};
        QTest::newRow("a name longer than the header") << NameCounts{{"Staircase", "1"}}
                                                       << QStringList{"Name         Instances", "Staircase       1"};
    }

    void exportLines()
    {
        QFETCH(NameCounts, rows);
        QFETCH(QStringList, lines);
        QCOMPARE(KvBlockLists::exportLines(rows), lines);
    }

    // The file is written whole with CR LF line ends; a write that cannot be done says so
    // and leaves nothing behind.
    void exportFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("blocks.txt");
        const QVector<QPair<QString, QString>> rows{{"A", "3"}, {"Door", "12"}};
        QString error;
        QVERIFY(KvBlockLists::writeExport(path, rows, &error));
        QCOMPARE(readBytes(path), QByteArray("Name    Instances\r\nA          3\r\nDoor       12\r\n"));

        const QString unreachable = dir.filePath("missing/folder/blocks.txt");
        QVERIFY(!KvBlockLists::writeExport(unreachable, rows, &error));
        QVERIFY(error.contains(unreachable));
        QVERIFY(!QFileInfo::exists(unreachable));
    }

    void referenceDrawingNames_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("offered");
        QTest::newRow("a.dwg") << "a.dwg" << true;
        QTest::newRow("B.DWG") << "B.DWG" << true;
        QTest::newRow("mixed case") << "plan.Dwg" << true;
        QTest::newRow("c.dxf") << "c.dxf" << false;
        QTest::newRow("two dots") << "d.old.dwg" << false;
        QTest::newRow("no dot") << "dwg" << false;
        QTest::newRow("ending in a dot") << "a." << false;
        QTest::newRow("backup of a drawing") << "a.dwg.bak" << false;
    }

    void referenceDrawingNames()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, offered);
        QCOMPARE(KvBlockLists::isReferenceDrawingName(fileName), offered);
    }
};

KV_TEST_MAIN(TestBlockLists)
#include "tst_blocklists.moc"
