// Splitting LISP source into the function records the explorer lists, and decoding the
// text files written elsewhere that the explorer reads.
#include "dialogs/lisp/LispSourceParser.h"
#include "exchange/TextDecoding.h"

#include <QTextCodec>
#include <QtTest>

class TestLispSourceParser : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void lineEnds_data();
    void lineEnds();
    void decode_data();
    void decode();
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

    // Headers.
    QTest::newRow("comment block heads the next definition only")
        << QStringList{";; about a", "(defun a ()", "  1)", ";; about b", "; more", "(defun b () 2)"}
        << "name=a\nH:;; about a\nD:(defun a ()\nB:  1)\n"
           "name=b\nH:;; about b\nH:; more\nD:(defun b () 2)";
    QTest::newRow("code line discards pending comments")
        << QStringList{";; stale", "(setq x 1)", ";; fresh", "(defun b () 2)"}
        << "name=b\nH:;; fresh\nD:(defun b () 2)";
    QTest::newRow("blank-only line discards pending comments")
        << QStringList{";; stale", "   ", "(defun b () 2)"} << "name=b\nD:(defun b () 2)";
    QTest::newRow("empty line stays in the header")
        << QStringList{";; kept", "", "  ; indented comment", "(defun b () 2)"}
        << "name=b\nH:;; kept\nH:\nH:  ; indented comment\nD:(defun b () 2)";
    QTest::newRow("block comment lines head the definition")
        << QStringList{";| about b (defun hidden () 1)", "   more about b |;", "(defun b () 2)"}
        << "name=b\nH:;| about b (defun hidden () 1)\nH:   more about b |;\nD:(defun b () 2)";
    QTest::newRow("definition start inside a comment is a header line")
        << QStringList{";(defun old ()", "(defun b () 2)"} << "name=b\nH:;(defun old ()\nD:(defun b () 2)";
    QTest::newRow("tabs become four blanks in header and body only")
        << QStringList{"\t;; tab", "(defun\tt ()", "\t1)"} << "name=t\nH:    ;; tab\nD:(defun\tt ()\nB:    1)";

    // Parentheses counted in code only.
    QTest::newRow("closing parenthesis inside a trailing comment")
        << QStringList{"(defun a ()", "  (princ)) ; done :)", "(defun b () 1) ; (("}
        << "name=a\nD:(defun a ()\nB:  (princ)) ; done :)\nname=b\nD:(defun b () 1) ; ((";
    QTest::newRow("semicolons in strings cut nothing")
        << QStringList{"(defun exts ()", "  (setq e \"lft;dwg;dwt\" n \"1;2;3\")", "  e)", "(defun next () 1)"}
        << "name=exts\nD:(defun exts ()\nB:  (setq e \"lft;dwg;dwt\" n \"1;2;3\")\nB:  e)\n"
           "name=next\nD:(defun next () 1)";
    QTest::newRow("parentheses and escaped quotes in strings")
        << QStringList{"(defun a ()", "  (princ \"(\\\")\" \";\")", "  (princ \")\"))", "(defun b () 1)"}
        << "name=a\nD:(defun a ()\nB:  (princ \"(\\\")\" \";\")\nB:  (princ \")\"))\nname=b\nD:(defun b () 1)";
    QTest::newRow("string over several lines")
        << QStringList{"(defun m ()", "  (princ \"one ( ;", "two )) ;| \")", "  )", "(defun n () 1)"}
        << "name=m\nD:(defun m ()\nB:  (princ \"one ( ;\nB:two )) ;| \")\nB:  )\nname=n\nD:(defun n () 1)";
    QTest::newRow("block comment inside a definition")
        << QStringList{"(defun b (x) ;| (", "  ) ) |; (1+ x))", "(defun c () 3)"}
        << "name=b\nD:(defun b (x) ;| (\nB:  ) ) |; (1+ x))\nname=c\nD:(defun c () 3)";
    QTest::newRow("definition start inside a string is none")
        << QStringList{"(princ \"(defun fake ()\")", "(defun real () 1)"} << "name=real\nD:(defun real () 1)";

    // Definition starts and names.
    QTest::newRow("one-line definition has no body")
        << QStringList{"(defun c:one (/ a) (setq a 1))"} << "name=c:one\nD:(defun c:one (/ a) (setq a 1))";
    QTest::newRow("defun in capitals or mixed case")
        << QStringList{"(DEFUN Upper ()", "  1)", "(Defun c:Mixed () 2)"}
        << "name=Upper\nD:(DEFUN Upper ()\nB:  1)\nname=c:Mixed\nD:(Defun c:Mixed () 2)";
    QTest::newRow("indented definition gets its name")
        << QStringList{"  (defun foo ()", "  1)"} << "name=foo\nD:  (defun foo ()\nB:  1)";
    QTest::newRow("blanks inside the definition start")
        << QStringList{"(  defun\tspaced(x) x)"} << "name=spaced\nD:(  defun\tspaced(x) x)";
    QTest::newRow("defun-q and defun without a blank are not definitions")
        << QStringList{";; c", "(defun-q q () 1)", "(defun", "(defun d () 4)"} << "name=d\nD:(defun d () 4)";

    // Definitions that do not balance.
    QTest::newRow("definition never closed runs to the end")
        << QStringList{"(defun ok () 1)", ";; c", "(defun broken ()", "  (foo", "(defun swallowed () 2)"}
        << "name=ok\nD:(defun ok () 1)\nname=broken\nH:;; c\nD:(defun broken ()\nB:  (foo\nB:(defun swallowed () 2)";
    QTest::newRow("string never closed runs to the end")
        << QStringList{"(defun s ()", "  (princ \"open)", "(defun t () 1)"}
        << "name=s\nD:(defun s ()\nB:  (princ \"open)\nB:(defun t () 1)";
    QTest::newRow("surplus closing parentheses close the definition")
        << QStringList{"(defun a ()", "  ))) extra", "(defun b () 2)"}
        << "name=a\nD:(defun a ()\nB:  ))) extra\nname=b\nD:(defun b () 2)";
    QTest::newRow("stray closing parenthesis at top level is ignored")
        << QStringList{")))", "(defun ok () 1)"} << "name=ok\nD:(defun ok () 1)";
    QTest::newRow("empty input") << QStringList{} << QString();
}

void TestLispSourceParser::parse()
{
    QFETCH(QStringList, source);
    QFETCH(QString, expected);
    QCOMPARE(dump(LispSourceParser::parse(source)), expected);
}

void TestLispSourceParser::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("LF, last line unended") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("CRLF, last line ended") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone CR") << "a\rb\r\r\nc" << QStringList{"a", "b", "", "c"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("one line end") << "\n" << QStringList{""};
}

void TestLispSourceParser::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(kvTextLines(text), lines);
}

// locale: the codec name the locale has for the test, "" for Qt's own choice.
void TestLispSourceParser::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("\xC2\xA9 tambi\xC3\xA9n \xE2\x82\xAC") << QByteArray("UTF-8")
                           << QString::fromUtf8("\xC2\xA9 tambi\xC3\xA9n \xE2\x82\xAC");
    QTest::newRow("UTF-8 byte-order mark dropped") << QByteArray("\xEF\xBB\xBF(defun a ())") << QByteArray("")
                                                   << "(defun a ())";
    QTest::newRow("CP1252 under a UTF-8 locale") << QByteArray("\xA9 tambi\xE9n \x80") << QByteArray("UTF-8")
                                                 << QString::fromUtf8("\xC2\xA9 tambi\xC3\xA9n \xE2\x82\xAC");
    QTest::newRow("CP1251 under a CP1251 locale") << QByteArray("; \xCF\xF0\xE8\xE2\xE5\xF2") << QByteArray("windows-1251")
                                                  << QString::fromUtf8("; \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    QTest::newRow("UTF-8 cut short at the end") << QByteArray("abc\xC3") << QByteArray("UTF-8")
                                                << QString::fromUtf8("abc\xC3\x83");
    QTest::newRow("zero bytes are text") << QByteArray("a\0b", 3) << QByteArray("") << QString::fromUtf16(u"a\0b", 3);
    QTest::newRow("empty") << QByteArray() << QByteArray("") << QString();
}

void TestLispSourceParser::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, locale);
    QFETCH(QString, text);
    QTextCodec* previous = QTextCodec::codecForLocale();
    if (!locale.isEmpty()) {
        QVERIFY(QTextCodec::codecForName(locale));
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(locale));
    }
    const QString decoded = kvDecodeText(bytes);
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(decoded, text);
}

QTEST_GUILESS_MAIN(TestLispSourceParser)
#include "tst_lispsourceparser.moc"
