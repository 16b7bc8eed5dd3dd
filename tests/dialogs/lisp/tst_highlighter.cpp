#include "bench/ReferenceHighlighter.h"
#include "dialogs/lisp/Highlighter.h"
#include "dialogs/lisp/LispKeywords.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

#include <memory>

// The LISP colouring: rule by rule on single lines, and character by character against the
// plain rule list it replaces.
class TestHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void keywordList();
    void colours_data();
    void colours();
    void sameAsRuleList_data();
    void sameAsRuleList();
};

namespace {

// The format of every character of a block, as the layout holds it after highlighting.
QVector<QTextCharFormat> charFormats(const QTextBlock& block)
{
    QVector<QTextCharFormat> formats(block.length() - 1);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        for (int i = range.start; i < range.start + range.length && i < formats.size(); ++i)
            formats[i] = range.format;
    }
    return formats;
}

QTextCharFormat makeFormat(Qt::GlobalColor foreground, bool bold,
                           Qt::GlobalColor background = Qt::transparent)
{
    QTextCharFormat format;
    format.setForeground(foreground);
    if (bold)
        format.setFontWeight(QFont::Bold);
    if (background != Qt::transparent)
        format.setBackground(background);
    return format;
}

// One letter per character: P parenthesis, K function name, S string, D digit, C comment,
// M search match, "." uncoloured, "?" anything else.
QString letters(const QVector<QTextCharFormat>& formats)
{
    static const QVector<QPair<QChar, QTextCharFormat>> known{
        {'.', QTextCharFormat()},
        {'P', makeFormat(Qt::darkBlue, true)},
        {'K', makeFormat(Qt::darkRed, true)},
        {'S', makeFormat(Qt::darkGreen, true)},
        {'D', makeFormat(Qt::darkCyan, true)},
        {'C', makeFormat(Qt::gray, false)},
        {'M', makeFormat(Qt::white, false, Qt::darkBlue)},
    };
    QString out;
    for (const QTextCharFormat& format : formats) {
        QChar letter('?');
        for (const auto& entry : known) {
            if (entry.second == format)
                letter = entry.first;
        }
        out += letter;
    }
    return out;
}

// A block of text that exercises every rule, with separators of every kind around the names.
QString handWrittenSource()
{
    return QStringLiteral(
        ";;; header comment (defun x)\n"
        "(defun c:demo (/ a b *error*)\n"
        "  (setq a 1 b 2.5e3)\n"
        "setq at line start, setq\n"
        "(setq-x (x-setq (setqx (SETQ (Setq\n"
        "  (if (/= a b) (1+ a) (1- b))\t(cond\n"
        "  (princ \"a string; with (setq) and \\\"quotes\\\"\") ; trailing ) comment\n"
        "  (strcat \"one\" \"two\" \"three\")(vl-load-com)(vla-get-name)\n"
        "  (isfcn? f)(*error* msg)(vl-list* 1 2)(vl-list->string x)\n"
        "  ((lambda (x) (* x x)) 12)(mapcar '1+ lst)((((((((car x))))))))\n"
        "\t\tforeach\twhile\x000bprogn\x000c(and)\n"
        "  (setq s \"unterminated ;(setq\n"
        "\n"
        "   \n"
        "(defun\x00a0nbsp (setq\x00a0x) (setq\x2028line)\x2028(car\x0085x))\n"
        "(setq \U0001F600 (car \U0001F600))\n"
        "(setq bad \xD800 (car x))\n"
        ")))(((\n");
}

// Random lines made of names, near-names, separators, quotes, semicolons and digits.
QString randomSource(quint32 seed, int lines)
{
    QRandomGenerator random(seed);
    const QStringList& keywords = lispKeywords();
    const QStringList pieces{
        "(", ")", " ", " ", "\t", "\"", ";", "123", "4.5", "abc", "SETQ", "setq-", "-setq",
        "x", "\v", "\f", QString(QChar(0x00A0)), QString(QChar(0x2028)), QString(QChar(0x0085)),
        QString::fromUcs4(U"\U0001F600"), "1+", "/=", "*error*", "'", ")(", "((", "))",
    };
    QString text;
    for (int line = 0; line < lines; ++line) {
        const int count = random.bounded(1, 24);
        for (int i = 0; i < count; ++i) {
            if (random.bounded(3) == 0)
                text += keywords.at(random.bounded(keywords.size()));
            else
                text += pieces.at(random.bounded(pieces.size()));
        }
        if (random.bounded(40) == 0)
            text += QChar(0xDC00); // a lone surrogate now and then
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

void TestHighlighter::keywordList()
{
    const QStringList& keywords = lispKeywords();
    // The highlighter finds names between separators; a name holding one could never match.
    const QRegularExpression separator(QStringLiteral("[\\s()\";]"));
    for (const QString& keyword : keywords)
        QVERIFY2(!keyword.contains(separator), qPrintable(keyword));
}

void TestHighlighter::colours_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("expected");

    QTest::newRow("semicolon in a string greys the rest")
        << "(princ \"a;b\") x" << "" << "PKKKKK.SSCCCCCC";
    QTest::newRow("name after parenthesis") << "(setq a 1)" << "" << "PKKKK...DP";
    QTest::newRow("name after blank at line end") << " setq" << "" << ".KKKK";
    QTest::newRow("name before parenthesis") << "(setq)" << "" << "PKKKKP";
    QTest::newRow("name after and before tab") << "(setq\tx)" << "" << "PKKKK..P";
    QTest::newRow("name at line start") << "setq x" << "" << "......";
    QTest::newRow("glued letters or hyphen")
        << "(setqx (my-setq (setq-x" << "" << "P....." "." "P......." "." "P......";
    QTest::newRow("after closing parenthesis") << ")setq (" << "" << "P.....P";
    QTest::newRow("case matters") << "(SETQ x)" << "" << "P......P";
    QTest::newRow("two strings are one") << "\"a\" b \"c\"" << "" << "SSSSSSSSS";
    QTest::newRow("digits show inside strings") << "\"a1\" 2" << "" << "SSDS.D";
    QTest::newRow("names with pattern characters")
        << "(1+ x)(/= a b)(*error* e)(isfcn? f)" << ""
        << "PDK..P" "PKK....P" "PKKKKKKK..P" "PKKKKKK..P";
    QTest::newRow("name inside a comment") << "; (setq" << "" << "CCCCCCC";
    QTest::newRow("search ignores case") << "(setq x)" << "SETQ" << "PMMMM..P";
    QTest::newRow("invalid search marks nothing") << "(setq x)" << "(" << "PKKKK..P";
    QTest::newRow("search over a comment") << "(a) ; b" << "b" << "P.P.CCM";
    QTest::newRow("search matching empty text") << "(setq x)" << "x*" << "PKKKK.MP";
}

void TestHighlighter::colours()
{
    QFETCH(QString, line);
    QFETCH(QString, search);
    QFETCH(QString, expected);
    QLineEdit edit(search);
    QTextDocument document(line);
    Highlighter highlighter(&edit, &document);
    highlighter.rehighlight();
    QCOMPARE(letters(charFormats(document.firstBlock())), expected);
}

void TestHighlighter::sameAsRuleList_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("search");
    const QStringList searches{"", "setq", "SETQ", "(", "[0-9]+", "x*", "\"", ";", "e.", "^\\(", "$"};
    for (const QString& search : searches) {
        QTest::addRow("hand-written, search '%s'", qPrintable(search)) << handWrittenSource() << search;
        QTest::addRow("random, search '%s'", qPrintable(search))
            << randomSource(quint32(qHash(search)), 150) << search;
    }
}

void TestHighlighter::sameAsRuleList()
{
    QFETCH(QString, source);
    QFETCH(QString, search);
    QLineEdit edit(search);
    QTextDocument fastDocument(source);
    QTextDocument referenceDocument(source);
    Highlighter fast(&edit, &fastDocument);
    ReferenceHighlighter reference(&edit, &referenceDocument);
    fast.rehighlight();
    reference.rehighlight();

    QCOMPARE(fastDocument.blockCount(), referenceDocument.blockCount());
    int coloured = 0;
    for (QTextBlock a = fastDocument.firstBlock(), b = referenceDocument.firstBlock(); a.isValid();
         a = a.next(), b = b.next()) {
        const QVector<QTextCharFormat> got = charFormats(a);
        const QVector<QTextCharFormat> want = charFormats(b);
        for (int i = 0; i < got.size(); ++i) {
            if (got.at(i) != want.at(i)) {
                QFAIL(qPrintable(QStringLiteral("block %1, character %2: %3 instead of %4 in \"%5\"")
                                     .arg(a.blockNumber())
                                     .arg(i)
                                     .arg(letters({got.at(i)}), letters({want.at(i)}), a.text())));
            }
            coloured += got.at(i).isValid() && got.at(i) != QTextCharFormat();
        }
    }
    QVERIFY(coloured > 0);
}

QTEST_MAIN(TestHighlighter)
#include "tst_highlighter.moc"
