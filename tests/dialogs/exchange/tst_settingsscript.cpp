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
};

KV_TEST_MAIN(TestSettingsScript)
#include "tst_settingsscript.moc"
