// The block lists the block tools exchange with LISP: candidates, information rows, the
// text export and the names of reference drawings.
#include "TestEnvironment.h"

#include "dialogs/blocks/BlockLists.h"

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
        QTest::newRow("long digit name") << "12345678901234567890^1" << "12345678901234567890" << 1;
        QTest::newRow("count missing") << "DOOR^" << "DOOR" << 0;
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
        QTest::newRow("a third field") << "A;3;x" << true << "A" << 3LL;
        QTest::newRow("empty name") << ";4" << true << "" << 4LL;
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

    void referenceDrawingNames_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("offered");
        QTest::newRow("mixed case") << "plan.Dwg" << true;
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
