// The settings lines of a script: sorted by kind, filtered, and shown as they will be written.
#include "dialogs/exchange/SettingsScript.h"

#include "TestEnvironment.h"

#include <QTextEdit>

class TestSettingsScript : public QObject
{
    Q_OBJECT

private slots:
    void filters_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("lines");
        const QStringList r{"(setvar \"DWGNAME\" \"a\") ; read-only", "read-only dangerous both"};
        const QStringList d{"(setvar \"CMDECHO\" 0) ; dangerous"};
        const QStringList s{"(setvar \"OSMODE\" 33)", "", "DANGEROUS is compared by case"};
        QTest::newRow("all: read-only, dangerous, standard") << int(SettingsScript::All) << r + d + s;
        QTest::newRow("read only") << int(SettingsScript::ReadOnly) << r;
        QTest::newRow("dangerous") << int(SettingsScript::Dangerous) << d;
        QTest::newRow("standard") << int(SettingsScript::Standard) << s;
        QTest::newRow("no such filter") << 7 << QStringList();
    }

    void filters()
    {
        QFETCH(int, filter);
        QFETCH(QStringList, lines);
        const SettingsScript script(QStringList{"(setvar \"OSMODE\" 33)", "(setvar \"DWGNAME\" \"a\") ; read-only",
                                                "(setvar \"CMDECHO\" 0) ; dangerous", "",
                                                "read-only dangerous both", "DANGEROUS is compared by case"});
        QCOMPARE(script.lines(filter), lines);
    }

    void splitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("CR LF, no last line end") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << "\n\na\n" << QStringList{"", "", "a"};
        QTest::newRow("empty") << "" << QStringList();
    }

    void splitLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SettingsScript::splitLines(text), lines);
    }

    // Markup characters, tabs and runs of blanks show exactly as the script will hold them.
    void viewShowsTheLinesExactly()
    {
        const QStringList lines{"(setvar \"DIMPOST\" \"<>mm\") ; a < b & c > d", "\tindented  by   blanks ",
                                "<br>no break</span><b>", "&amp; stays &amp;"};
        const SettingsScript script(lines);
        QTextEdit view;
        view.setHtml(script.html(SettingsScript::All));
        QString shown = view.toPlainText();
        shown.replace(QChar::LineSeparator, QLatin1Char('\n'));
        QCOMPARE(shown, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    void viewColoursByKind()
    {
        const SettingsScript script(QStringList{"a read-only", "b dangerous", "c"});
        QTextEdit view;
        view.setHtml(script.html(SettingsScript::All));
        const QColor expected[] = {QColor(0x34, 0x34, 0x34), QColor(0xFF, 0, 0), QColor(0, 0x66, 0xFF)};
        QTextCursor cursor(view.document());
        for (int i = 0; i < 3; ++i) {
            QVERIFY(view.find(QStringList{"a read-only", "b dangerous", "c"}.at(i)));
            QCOMPARE(view.textCursor().charFormat().foreground().color(), expected[i]);
        }
    }
};

KV_TEST_MAIN(TestSettingsScript)
#include "tst_settingsscript.moc"
