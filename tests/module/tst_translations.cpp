// Every text the module shows goes through Qt's translation: the English template in
// translations/ holds exactly what lupdate finds today, and no text handed to something that
// shows it (a message box, a label, a title, a tool tip, a file dialog, the command line) is
// a bare literal outside tr()/translate().
#include "TestEnvironment.h"

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

const QStringList kSourceFolders = {"module", "exchange", "input", "commands", "dialogs"};

// Calls whose string arguments reach the user.
const QSet<QString> kShowing = {
    "setText", "setWindowTitle", "setToolTip", "setStatusTip", "setWhatsThis", "setPlaceholderText",
    "setLabelText", "setTitle", "setHorizontalHeaderLabels", "setVerticalHeaderLabels", "setHeaderLabels",
    "setTabText", "setInformativeText", "setDetailedText", "setButtonText", "addButton", "information",
    "warning", "question", "critical", "about", "kvInformation", "QMessageBox", "getOpenFileName",
    "getOpenFileNames", "getSaveFileName", "getExistingDirectory", "setNameFilter", "setNameFilters",
    "showMessage", "PrintMessage", "QLabel", "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox",
};
const QSet<QString> kTranslating = {"tr", "translate", "trUtf8", "QT_TR_NOOP", "QT_TRANSLATE_NOOP"};

struct Literal
{
    int start = 0;
    int end = 0; // one past the closing quote
    QString text;
};

// The code with comments and literals blanked (same length, so positions stay), and the
// literals themselves.
QString blankedCode(const QString& source, QVector<Literal>* literals)
{
    QString code = source;
    const int n = source.size();
    int i = 0;
    auto blank = [&](int from, int to) {
        for (int k = from; k < to && k < n; ++k)
            if (code[k] != QLatin1Char('\n'))
                code[k] = QLatin1Char(' ');
    };
    while (i < n) {
        const QChar c = source[i];
        const QChar next = i + 1 < n ? source[i + 1] : QChar();
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            int e = source.indexOf(QLatin1Char('\n'), i);
            e = e < 0 ? n : e;
            blank(i, e);
            i = e;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            int e = source.indexOf(QLatin1String("*/"), i + 2);
            e = e < 0 ? n : e + 2;
            blank(i, e);
            i = e;
        } else if (c == QLatin1Char('R') && next == QLatin1Char('"')) {
            // Raw string: R"delim( ... )delim"
            const int open = source.indexOf(QLatin1Char('('), i + 2);
            const QString close = QLatin1Char(')') + source.mid(i + 2, open - i - 2) + QLatin1Char('"');
            int e = open < 0 ? -1 : source.indexOf(close, open);
            e = e < 0 ? n : e + close.size();
            literals->append({i, e, source.mid(open + 1, e - close.size() - open - 1)});
            blank(i, e);
            i = e;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int e = i + 1;
            QString text;
            while (e < n && source[e] != c && source[e] != QLatin1Char('\n')) {
                if (source[e] == QLatin1Char('\\') && e + 1 < n)
                    ++e;
                text += source[e];
                ++e;
            }
            e = qMin(e + 1, n);
            if (c == QLatin1Char('"'))
                literals->append({i, e, text});
            blank(i, e);
            i = e;
        } else {
            ++i;
        }
    }
    return code;
}

// The identifier that ends just before position `end` (blanks and one template argument
// list skipped); its start in *start. Empty when there is none.
QString identifierBefore(const QString& code, int end, int* start)
{
    int i = end - 1;
    while (i >= 0 && code[i].isSpace())
        --i;
    if (i >= 0 && code[i] == QLatin1Char('>')) {
        int depth = 0;
        for (; i >= 0; --i) {
            if (code[i] == QLatin1Char('>'))
                ++depth;
            else if (code[i] == QLatin1Char('<') && --depth == 0)
                break;
        }
        --i;
        while (i >= 0 && code[i].isSpace())
            --i;
    }
    const int last = i;
    while (i >= 0 && (code[i].isLetterOrNumber() || code[i] == QLatin1Char('_')))
        --i;
    *start = i + 1;
    return code.mid(i + 1, last - i);
}

// The names of the calls (and declared types) around a position, innermost first, up to the
// start of the statement.
QStringList enclosingCalls(const QString& code, int position)
{
    QStringList names;
    int depth = 0;
    for (int i = position - 1; i >= 0; --i) {
        const QChar c = code[i];
        if (c == QLatin1Char(')') || c == QLatin1Char(']')) {
            ++depth;
        } else if (c == QLatin1Char('(') || c == QLatin1Char('[')) {
            if (depth > 0) {
                --depth;
                continue;
            }
            // The callee, and for "Type name(" the type as well.
            int start = 0;
            const QString callee = identifierBefore(code, i, &start);
            if (!callee.isEmpty()) {
                names << callee;
                const QString type = identifierBefore(code, start, &start);
                if (!type.isEmpty())
                    names << type;
            }
        } else if (depth == 0 && (c == QLatin1Char(';') || c == QLatin1Char('{') || c == QLatin1Char('}'))) {
            break;
        }
    }
    return names;
}

// "file:line: text" for every literal with words in it that reaches a showing call untranslated.
QStringList untranslatedTexts(const QString& fileName, const QString& source)
{
    static const QRegularExpression words(QStringLiteral("[A-Za-z]{2,}"));
    QVector<Literal> literals;
    const QString code = blankedCode(source, &literals);
    QStringList found;
    for (const Literal& literal : literals) {
        if (!words.match(literal.text).hasMatch())
            continue;
        const QStringList calls = enclosingCalls(code, literal.start);
        bool translated = false;
        bool shown = false;
        for (const QString& name : calls) {
            translated = translated || kTranslating.contains(name);
            shown = shown || kShowing.contains(name);
        }
        if (shown && !translated)
            found << QStringLiteral("%1:%2: \"%3\"").arg(fileName).arg(source.left(literal.start).count(QLatin1Char('\n')) + 1).arg(literal.text);
    }
    return found;
}

// Shown properties of a form marked as not to be translated.
QStringList untranslatedFormTexts(const QString& fileName, const QString& form)
{
    static const QRegularExpression marked(QStringLiteral(
        "<property name=\"(text|toolTip|windowTitle|title|placeholderText|statusTip|whatsThis)\">\\s*<string[^>]*notr=\"true\"[^>]*>([^<]*)"));
    QStringList found;
    for (auto it = marked.globalMatch(form); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        found << QStringLiteral("%1: %2 \"%3\"").arg(fileName, m.captured(1), m.captured(2));
    }
    return found;
}

// context + "\x1f" + source (+ "\x1f" + comment) of every message of a .ts file.
QSet<QString> messages(const QString& tsFile, QString* error)
{
    QSet<QString> set;
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return set;
    }
    QXmlStreamReader xml(&file);
    QString context, source, comment;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("comment"))
                comment = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                source.clear(), comment.clear();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            set.insert(context + QChar(0x1f) + source + (comment.isEmpty() ? QString() : QChar(0x1f) + comment));
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return set;
}

QString describe(const QSet<QString>& set)
{
    QStringList list = set.values().mid(0, 10);
    list.sort();
    return list.join(QLatin1Char('\n')).replace(QChar(0x1f), QLatin1String(" | "));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void scannerFindsBareTexts_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("found");
        QTest::newRow("message box literal") << "QMessageBox::information(this, tr(\"T\"), QStringLiteral(\"Not saved\"));" << 1;
        QTest::newRow("plain literal text") << "label->setText(\"Hello world\");" << 1;
        QTest::newRow("argument of a translation") << "label->setText(tr(\"Row %1\").arg(QString::number(n)));" << 0;
        QTest::newRow("literal argument of a translation") << "label->setText(tr(\"Row %1\").arg(\"none\"));" << 1;
        QTest::newRow("declared box") << "QMessageBox box(QMessageBox::Warning, QString(), \"Wrong value\", QMessageBox::Ok, this);" << 1;
        QTest::newRow("no words") << "edit->setText(QStringLiteral(\"%1^\"));" << 0;
        QTest::newRow("commented out") << "// label->setText(\"Hello world\");\n/* setText(\"x y\") */" << 0;
        QTest::newRow("quote in a char") << "if (c == '\"') label->setText(\"Open file\");" << 1;
        QTest::newRow("nested call") << "kvInformation(this, windowTitle(), QString(\"Saved to %1\").arg(path));" << 1;
        QTest::newRow("file dialog filter") << "QFileDialog::getSaveFileName(this, tr(\"Save\"), dir, QStringLiteral(\"Text files (*.txt)\"));" << 1;
    }
    void scannerFindsBareTexts()
    {
        QFETCH(QString, source);
        QFETCH(int, found);
        const QStringList result = untranslatedTexts(QStringLiteral("x.cpp"), source);
        QVERIFY2(result.size() == found, qPrintable(result.join(QLatin1Char('\n'))));
    }

    void noTextOutsideTranslation()
    {
        QStringList found;
        const QDir root(QStringLiteral(KV_SOURCE_DIR));
        for (const QString& folder : kSourceFolders) {
            QDirIterator it(root.filePath(folder), {"*.cpp", "*.h", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                QFile file(path);
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
                const QString text = QString::fromUtf8(file.readAll());
                const QString name = root.relativeFilePath(path);
                found += path.endsWith(QLatin1String(".ui")) ? untranslatedFormTexts(name, text) : untranslatedTexts(name, text);
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("texts shown without tr():\n") + found.join(QLatin1Char('\n'))));
    }

    // lupdate reads every source without a complaint and finds exactly the texts of the
    // committed template.
    void templateIsCurrent()
    {
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("korvane_en.ts"));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(KV_SOURCE_DIR));
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(KV_LUPDATE), QStringList{"-silent", "-I", ".", "-locations", "none"} + kSourceFolders + QStringList{"-ts", ts});
        QVERIFY(lupdate.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(lupdate.readAll()).trimmed();
        QVERIFY2(lupdate.exitCode() == 0 && output.isEmpty(), qPrintable(output));

        QString error;
        const QSet<QString> now = messages(ts, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(now.size() > 100);
        const QSet<QString> committed = messages(QStringLiteral(KV_SOURCE_DIR "/translations/korvane_en.ts"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QString hint = QStringLiteral("; run the update_translations target and commit translations/korvane_en.ts");
        QVERIFY2((now - committed).isEmpty(), qPrintable("texts missing from the template:\n" + describe(now - committed) + hint));
        QVERIFY2((committed - now).isEmpty(), qPrintable("texts no longer in the sources:\n" + describe(committed - now) + hint));
    }
};

KV_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
