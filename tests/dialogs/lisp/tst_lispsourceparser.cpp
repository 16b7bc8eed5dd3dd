#include "dialogs/lisp/LispSourceParser.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

// Splitting LISP source into the function records the explorer lists.
class TestLispSourceParser : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void readsStreamLineEndings();
    void unreadableFile();
    void views_data();
    void views();
};

namespace {

// One record per block: "name=<name>", then "H:", "D:" and "B:" lines for header, definition
// and body, so a failing row shows the whole difference at once.
QString dump(const QVector<LispFunctionRecord>& records)
{
    QStringList out;
    for (const LispFunctionRecord& r : records) {
        out << QStringLiteral("name=") + r.name;
        for (const QString& line : r.headerLines)
            out << QStringLiteral("H:") + line;
        out << QStringLiteral("D:") + r.definitionLine;
        for (const QString& line : r.bodyLines)
            out << QStringLiteral("B:") + line;
    }
    return out.join(QLatin1Char('\n'));
}

} // namespace

void TestLispSourceParser::parse_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QString>("expected");

    QTest::newRow("comment block heads the next definition only")
        << QStringList{";; about a", "(defun a ()", "  1)", ";; about b", "; more", "(defun b () 2)"}
        << "name=a\nH:;; about a\nD:(defun a ()\nB:  1)\n"
           "name=b\nH:;; about b\nH:; more\nD:(defun b () 2)";
    QTest::newRow("code line discards pending comments")
        << QStringList{";; stale", "(setq x 1)", ";; fresh", "(defun b () 2)"}
        << "name=b\nH:;; fresh\nD:(defun b () 2)";
    QTest::newRow("blank-only line discards pending comments")
        << QStringList{";; stale", "   ", "(defun b () 2)"}
        << "name=b\nD:(defun b () 2)";
    QTest::newRow("empty line stays in the header")
        << QStringList{";; kept", "", "  ; indented comment", "(defun b () 2)"}
        << "name=b\nH:;; kept\nH:\nH:  ; indented comment\nD:(defun b () 2)";
    QTest::newRow("definition start inside a comment is a header line")
        << QStringList{";(defun old ()", "(defun b () 2)"}
        << "name=b\nH:;(defun old ()\nD:(defun b () 2)";
    QTest::newRow("closing parenthesis inside a trailing comment")
        << QStringList{"(defun a ()", "  (princ)) ; done :)", "(defun b () 1) ; (("}
        << "name=a\nD:(defun a ()\nB:  (princ)) ; done :)\nname=b\nD:(defun b () 1) ; ((";
    QTest::newRow("semicolon inside a string cuts the counted text")
        << QStringList{"(defun a () (princ \";)\"))", "  )", ")"}
        << "name=a\nD:(defun a () (princ \";)\"))\nB:  )\nB:)";
    QTest::newRow("parenthesis inside a string runs the definition on")
        << QStringList{"(defun a ()", "  (princ \"(\"))", "(defun b () 1)", ")", "(defun c () 3)"}
        << "name=a\nD:(defun a ()\nB:  (princ \"(\"))\nB:(defun b () 1)\nB:)\n"
           "name=c\nD:(defun c () 3)";
    QTest::newRow("one-line definition has no body")
        << QStringList{"(defun c:one (/ a) (setq a 1))"}
        << "name=c:one\nD:(defun c:one (/ a) (setq a 1))";
    QTest::newRow("indented definition gets an empty name")
        << QStringList{"  (defun foo ()", "  1)"}
        << "name=\nD:  (defun foo ()\nB:  1)";
    QTest::newRow("blanks inside the definition start")
        << QStringList{"(  defun\tspaced(x) x)"}
        << "name=spaced\nD:(  defun\tspaced(x) x)";
    QTest::newRow("defun-q and defun without a blank are not definitions")
        << QStringList{";; c", "(defun-q q () 1)", "(defun", "(defun d () 4)"}
        << "name=d\nD:(defun d () 4)";
    QTest::newRow("tabs become four blanks in header and body only")
        << QStringList{"\t;; tab", "(defun\tt ()", "\t1)"}
        << "name=t\nH:    ;; tab\nD:(defun\tt ()\nB:    1)";
    QTest::newRow("unbalanced definition at the end gives no record")
        << QStringList{"(defun ok () 1)", ";; c", "(defun broken ()", "  (foo"}
        << "name=ok\nD:(defun ok () 1)";
    QTest::newRow("stray closing parenthesis at top level is ignored")
        << QStringList{")))", "(defun ok () 1)"}
        << "name=ok\nD:(defun ok () 1)";
    QTest::newRow("empty input") << QStringList{} << QString();
}

void TestLispSourceParser::parse()
{
    QFETCH(QStringList, source);
    QFETCH(QString, expected);
    QCOMPARE(dump(LispSourceParser::parse(source)), expected);
}

void TestLispSourceParser::readsStreamLineEndings()
{
    QByteArray bytes("; h\r\n(defun a ()\r\n  1)\r\n(defun b () 2)");
    QTextStream stream(&bytes);
    QCOMPARE(dump(LispSourceParser::parse(stream)),
             QStringLiteral("name=a\nH:; h\nD:(defun a ()\nB:  1)\nname=b\nD:(defun b () 2)"));
}

void TestLispSourceParser::unreadableFile()
{
    QTemporaryDir dir;
    QVector<LispFunctionRecord> records{LispFunctionRecord{"kept", {}, "(defun kept () 1)", {}}};
    QString error;
    QVERIFY(!LispSourceParser::parseFile(dir.filePath("missing.lsp"), &records, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(records.size(), 1);

    QFile file(dir.filePath("good.lsp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A name in UTF-8, then bytes that are no text at all.
    file.write(QByteArray("(defun \xc3\xa9t\xc3\xa9 () 1)\n(defun ") + QByteArray(1, '\xff')
               + QByteArray(1, '\0') + QByteArray(" bad"));
    file.close();
    QVERIFY(LispSourceParser::parseFile(file.fileName(), &records, &error));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).name, QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
}

void TestLispSourceParser::views_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("expected");
    QTest::newRow("header only") << 0 << "; h\n(defun a ()";
    QTest::newRow("function only") << 1 << "(defun a ()\n  1)";
    QTest::newRow("both") << 2 << "; h\n(defun a ()\n  1)";
}

void TestLispSourceParser::views()
{
    QFETCH(int, view);
    QFETCH(QString, expected);
    const QVector<LispFunctionRecord> records =
        LispSourceParser::parse(QStringList{"; h", "(defun a ()", "  1)"});
    QCOMPARE(records.size(), 1);
    QCOMPARE(LispSourceParser::text(records.at(0), LispSourceParser::View(view)), expected);
}

QTEST_GUILESS_MAIN(TestLispSourceParser)
#include "tst_lispsourceparser.moc"
