// The prompt notation "message[kw1/kw2]<default>" taken apart, and the number pattern of defaults.
#include "TestEnvironment.h"

#include "input/PromptNotation.h"

#include <QApplication>

class TestPromptNotation : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("keywords");
        QTest::addColumn<bool>("hasKeywords");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<bool>("hasDefault");

        // The usual notations are the prompt family's rows in tst_inputfunctions; these are the odd ones.
        QTest::newRow("keywords only") << "Pick [A/B]" << "Pick " << QStringList{"A", "B"} << true << "" << false;
        QTest::newRow("empty") << "" << "" << QStringList() << false << "" << false;
        QTest::newRow("empty brackets") << "Opt []" << "Opt " << QStringList{""} << true << "" << false;
        QTest::newRow("default before keywords") << "Size <3> [Big/Small]" << "Size <3> " << QStringList{"Big", "Small"}
                                                 << true << "3" << true;
        QTest::newRow("closing bracket first") << "a ] b [c" << "a ] b [c" << QStringList() << false << "" << false;
        QTest::newRow("closing angle first") << "a > b <c" << "a > b <c" << QStringList() << false << "" << false;
        QTest::newRow("first closing bracket ends the list") << "x [a/b] y [c]" << "x " << QStringList{"a", "b"} << true
                                                             << "" << false;
        QTest::newRow("empty default") << "Name <>" << "Name " << QStringList() << false << "" << true;
        QTest::newRow("unclosed bracket") << "Pick [A/B <A>" << "Pick [A/B " << QStringList() << false << "A" << true;
    }

    void parse()
    {
        QFETCH(QString, text);
        const PromptNotation n = PromptNotation::parse(text);
        QTEST(n.message, "message");
        QTEST(n.keywords, "keywords");
        QTEST(n.hasKeywords, "hasKeywords");
        QTEST(n.defaultText, "defaultText");
        QTEST(n.hasDefault, "hasDefault");
    }

    void strip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("withoutBackslashN");
        QTest::addColumn<QString>("withoutLineBreaks");
        // The usual notations are the prompt family's rows in tst_inputfunctions; these are the odd ones.
        QTest::newRow("real line breaks") << "\nPick\r\n" << "\nPick\r\n" << "Pick";
        QTest::newRow("lone backslash kept") << "a\\b\\" << "a\\b\\" << "a\\b\\";
        QTest::newRow("backslash N upper kept") << "a\\Nb" << "a\\Nb" << "a\\Nb";
    }

    void strip()
    {
        QFETCH(QString, text);
        QTEST(PromptNotation::withoutBackslashN(text), "withoutBackslashN");
        QTEST(PromptNotation::withoutLineBreaks(text), "withoutLineBreaks");
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<int>("integer");
        QTest::addColumn<double>("real");
        // The usual notations are the prompt family's rows in tst_inputfunctions; these are the odd ones.
        QTest::newRow("signed") << "-7" << true << -7 << -7.0;
        QTest::newRow("plus") << "+3" << true << 3 << 3.0;
        QTest::newRow("leading point") << ".25" << true << 0 << 0.25;
        QTest::newRow("negative decimal") << "-2.75" << true << -2 << -2.75;
        QTest::newRow("trailing point") << "5." << false << 5 << 5.0;
        QTest::newRow("exponent") << "1e3" << false << 1000 << 1000.0;
        QTest::newRow("word") << "End" << false << 0 << 0.0;
        QTest::newRow("blank around") << " 5" << false << 0 << 0.0;
        QTest::newRow("empty") << "" << false << 0 << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0 << 0.0;
        QTest::newRow("huge clamps") << "99999999999999" << true << 2147483647 << 99999999999999.0;
        QTest::newRow("huge negative clamps") << "-99999999999999" << true << int(-2147483647 - 1) << -99999999999999.0;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QTEST(PromptNotation::isNumber(text), "isNumber");
        QFETCH(bool, isNumber);
        if (!isNumber && text.trimmed() != text)
            return; // not a default the family converts
        QTEST(PromptNotation::toInteger(text), "integer");
        QTEST(PromptNotation::toReal(text), "real");
    }

};

KV_TEST_MAIN(TestPromptNotation)
#include "tst_promptnotation.moc"
