// The pieces the dialogs share: record fields, atomic text files, list tables, path fields
// and the handler sequence's options and result lists.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/ElidedPathField.h"
#include "exchange/Records.h"
#include "exchange/TableFiller.h"
#include "exchange/TextFiles.h"
#include "kernel/KvDocument.h"
#include "widgets/KvDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextCodec>
#include <QVBoxLayout>

namespace {
// A dialog with one check box, run by the test function below with the options of the case.
struct ProbeDialog
{
    ProbeDialog() : dialog(nullptr, true, Qt::Dialog), check(new QCheckBox(&dialog)), state(&dialog)
    {
        check->setObjectName(QStringLiteral("check"));
        check->setChecked(true);
    }
    CKvDialog dialog;
    QCheckBox* check;
    CDialogState state;
};
ProbeDialog* g_probe = nullptr;
DialogCallOptions g_options;
QString g_firstArgument;

int probeFunction()
{
    return DialogFunction::run(
        &g_probe->dialog, &g_probe->state, g_options,
        [](LispArgs& args) {
            CKvString first;
            args.nextString(first);
            g_firstArgument = first;
        },
        [](bool accepted, CKvLispContext* c) {
            if (accepted)
                DialogFunction::returnStrings(c, {QStringLiteral("a^1"), QStringLiteral("b^2")});
            else
                c->ReturnNil();
        });
}

int int16ListFunction()
{
    LispArgs args(DialogFunction::context());
    args.release();
    DialogFunction::returnInt16s(DialogFunction::context(), {7, -1, 256}, true);
    return kvrt::Normal;
}
} // namespace

class TestSharedPieces : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

private slots:
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup() { m_host.reset(); }

    void recordFields_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("exact") << "Xref^A^c:/x.dwg" << 3 << QStringList{"Xref", "A", "c:/x.dwg"};
        QTest::newRow("last takes the rest") << "Xref^A^c:/a^b.dwg" << 3 << QStringList{"Xref", "A", "c:/a^b.dwg"};
        QTest::newRow("missing are empty") << "Xref" << 3 << QStringList{"Xref", "", ""};
        QTest::newRow("empty record") << "" << 2 << QStringList{"", ""};
        QTest::newRow("separators only") << "^^" << 2 << QStringList{"", "^"};
        QTest::newRow("trailing separator") << "id^" << 2 << QStringList{"id", ""};
        QTest::newRow("one field") << "a^b" << 1 << QStringList{"a^b"};
    }
    void recordFields()
    {
        QFETCH(QString, record);
        QFETCH(int, fields);
        QFETCH(QStringList, expected);
        QCOMPARE(KvRecords::split(record, QLatin1Char('^'), fields), expected);
    }

    void textFileEncodings_data()
    {
        QTest::addColumn<int>("codec");
        QTest::addColumn<int>("lineEnd");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray latin = QTextCodec::codecForLocale()->fromUnicode(QStringLiteral("\u00e9"));
        QTest::newRow("utf-8 lf") << int(KvTextFile::Codec::Utf8) << int(KvTextFile::LineEnd::Lf)
                                  << QByteArray("a\xC3\xA9\n\nb\n");
        QTest::newRow("utf-8 mark crlf") << int(KvTextFile::Codec::Utf8Bom) << int(KvTextFile::LineEnd::CrLf)
                                         << QByteArray("\xEF\xBB\xBF" "a\xC3\xA9\r\n\r\nb\r\n");
        QTest::newRow("local crlf") << int(KvTextFile::Codec::Local8Bit) << int(KvTextFile::LineEnd::CrLf)
                                    << QByteArray("a" + latin + "\r\n\r\nb\r\n");
    }
    void textFileEncodings()
    {
        QFETCH(int, codec);
        QFETCH(int, lineEnd);
        QFETCH(QByteArray, bytes);
        const QString path = m_host->path("out.txt");
        QVERIFY(KvTextFile::writeLines(path, {QStringLiteral("a\u00e9"), QString(), QStringLiteral("b")},
                                       KvTextFile::Codec(codec), KvTextFile::LineEnd(lineEnd)));
        QCOMPARE(readBytes(path), bytes);
    }

    // A write that cannot be completed leaves what was there and says why.
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder of the file missing") << "missing/folder/x.txt";
        QTest::newRow("path is a folder") << "folder";
        QTest::newRow("empty path") << "";
        QTest::newRow("file on a read-only file system") << "/proc/version";
    }
    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, path);
        QDir().mkpath(m_host->path("folder"));
        if (!path.isEmpty() && !path.startsWith(QLatin1Char('/')))
            path = m_host->path(path);
        const QByteArray before = readBytes(path);
        QString error;
        QVERIFY(!KvTextFile::writeLines(path, {QStringLiteral("x")}, KvTextFile::Codec::Utf8,
                                        KvTextFile::LineEnd::Lf, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(readBytes(path), before);
        QVERIFY(!KvTextFile::appendLines(path, {QStringLiteral("x")}, KvTextFile::Codec::Utf8,
                                         KvTextFile::LineEnd::Lf));
    }

    // An empty file, one ending with a line end and one whose last line is open are the
    // settings export's append rows (tst_exportsettings), byte for byte.
    void appendKeepsLinesApart_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no file") << QByteArray("<none>") << QByteArray("\xEF\xBB\xBFnew\r\n");
        QTest::newRow("no second mark") << QByteArray("\xEF\xBB\xBFold\n") << QByteArray("\xEF\xBB\xBFold\nnew\r\n");
    }
    void appendKeepsLinesApart()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString path = m_host->path("script.scr");
        if (before != "<none>")
            QVERIFY(writeBytes(path, before));
        QVERIFY(KvTextFile::appendLines(path, {QStringLiteral("new")}, KvTextFile::Codec::Utf8Bom,
                                        KvTextFile::LineEnd::CrLf));
        QCOMPARE(readBytes(path), after);
    }

    // Names keep their text exactly; digits sort as numbers; a header click flips the order.
    void listTableSortsNaturally()
    {
        QTableWidget table;
        KvTable::setupList(&table, {QStringLiteral("Name"), QStringLiteral("Instances")});
        TableSortState sort;
        const QStringList entries{"b10;3", "007;12", "B2;1", "7;5", "A;0"};
        QStringList shown = KvTable::fillSorted(&table, entries, QStringLiteral(";"), sort);
        QCOMPARE(shown, (QStringList{"007;12", "7;5", "A;0", "B2;1", "b10;3"}));
        QCOMPARE(table.rowCount(), 5);
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("007"));
        QCOMPARE(table.item(0, 1)->text(), QStringLiteral("12"));

        sort.headerClicked(1);
        shown = KvTable::fillSorted(&table, entries, QStringLiteral(";"), sort);
        QCOMPARE(shown, (QStringList{"007;12", "7;5", "b10;3", "B2;1", "A;0"}));
        sort.headerClicked(1);
        shown = KvTable::fillSorted(&table, entries, QStringLiteral(";"), sort);
        QCOMPARE(shown.first(), QStringLiteral("A;0"));
        QVERIFY(table.selectedItems().isEmpty());

        // Without a separator an entry is one cell and sorts whole, semicolons and all.
        KvTable::setupList(&table, {QStringLiteral("Name")});
        const QStringList names{"Sheet 10", "b;2", "Sheet 2", "B;10", "sheet 1"};
        QCOMPARE(KvTable::fillSorted(&table, names, QString(), TableSortState()),
                 (QStringList{"b;2", "B;10", "sheet 1", "Sheet 2", "Sheet 10"}));
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("B;10"));
        TableSortState descending;
        descending.headerClicked(0);
        QCOMPARE(KvTable::fillSorted(&table, names, QString(), descending),
                 (QStringList{"Sheet 10", "Sheet 2", "sheet 1", "B;10", "b;2"}));
    }

    void raggedRowsAndNumbers()
    {
        QTableWidget table;
        KvTable::setupList(&table, {QStringLiteral("A"), QStringLiteral("B")}, QAbstractItemView::SingleSelection);
        KvTable::setRows(&table, {{KvTable::Cell("x")}, {KvTable::Cell("y"), KvTable::Cell::number(12), KvTable::Cell("dropped")}});
        QCOMPARE(table.rowCount(), 2);
        QVERIFY(!table.item(0, 1));
        QCOMPARE(table.item(1, 1)->data(Qt::DisplayRole).type(), QVariant::LongLong);
        QCOMPARE(table.item(1, 1)->text(), QStringLiteral("12"));
        KvTable::setTextRows(&table, {});
        QCOMPARE(table.rowCount(), 0);
    }

    void selectedRowsInSelectionOrder()
    {
        QTableWidget table;
        KvTable::setupList(&table, {QStringLiteral("Name")});
        KvTable::setTextRows(&table, {{"a"}, {"b"}, {"c"}, {"d"}});
        auto* model = table.selectionModel();
        model->select(table.model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        model->select(table.model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(KvTable::selectedRows(&table), (QList<int>{3, 1}));
    }

    void replaceInCells_data()
    {
        QTest::addColumn<QString>("find");
        QTest::addColumn<int>("sensitivity");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("changed");
        QTest::newRow("ignoring case") << "ab" << int(Qt::CaseInsensitive) << QStringList{"X-X", "cd", "X"} << 2;
        QTest::newRow("with case") << "ab" << int(Qt::CaseSensitive) << QStringList{"X-AB", "cd", "aB"} << 1;
        QTest::newRow("empty find replaces nothing") << "" << int(Qt::CaseInsensitive) << QStringList{"ab-AB", "cd", "aB"} << 0;
    }
    void replaceInCells()
    {
        QFETCH(QString, find);
        QFETCH(int, sensitivity);
        QFETCH(QStringList, after);
        QFETCH(int, changed);
        QTableWidgetItem a(QStringLiteral("ab-AB")), b(QStringLiteral("cd")), c(QStringLiteral("aB"));
        QCOMPARE(KvTable::replaceInCells({&a, &b, &c, nullptr}, find, QStringLiteral("X"), Qt::CaseSensitivity(sensitivity)),
                 changed);
        QCOMPARE((QStringList{a.text(), b.text(), c.text()}), after);
    }

    // Shown elided, whole while focused, typed text taken on leaving, full path saved.
    void elidedPathField()
    {
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* edit = new QLineEdit(&dialog);
        edit->setObjectName(QStringLiteral("pathField"));
        auto* other = new QLineEdit(&dialog);
        layout->addWidget(edit);
        layout->addWidget(other);
        edit->setFixedWidth(120);
        auto* field = new ElidedPathField(edit);
        QStringList committed;
        connect(field, &ElidedPathField::pathCommitted, [&](const QString& p) { committed << p; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        other->setFocus();
        committed.clear();

        const QString path = QStringLiteral("/very/long/folder/name/that/does/not/fit/symbol.dwg");
        field->setPath(path);
        QVERIFY(edit->text().contains(QChar(0x2026)));
        QCOMPARE(field->path(), path);
        QCOMPARE(CDialogState::encodedValue(edit), path);

        edit->setFocus();
        QCOMPARE(edit->text(), path);
        edit->setText(QStringLiteral("/typed/another/rather/long/path/to/a/drawing.dwg"));
        other->setFocus();
        QCOMPARE(committed, QStringList{"/typed/another/rather/long/path/to/a/drawing.dwg"});
        QVERIFY(edit->text().contains(QChar(0x2026)));
        QCOMPARE(field->path(), committed.last());

        edit->setFixedWidth(600);
        QTRY_COMPARE_WITH_TIMEOUT(edit->text(), committed.last(), 2000);
        // Leaving the field without typing keeps the path even when it is shown elided.
        edit->setFixedWidth(100);
        QTRY_VERIFY_WITH_TIMEOUT(edit->text().contains(QChar(0x2026)), 2000);
        edit->setFocus();
        other->setFocus();
        QCOMPARE(field->path(), committed.first());
    }

    void handlerOptions_data()
    {
        QTest::addColumn<bool>("withoutStateFile");
        QTest::addColumn<bool>("saveAlways");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QByteArray>("file");
        const QByteArray untouched("untouched\n");
        QTest::newRow("state file, accepted") << false << false << "accept" << "(\"a^1\" \"b^2\")"
                                              << QByteArray("\xEF\xBB\xBF" "check=TRUE\n!action!=\n");
        QTest::newRow("state file, cancelled") << false << false << "reject" << "nil" << untouched;
        QTest::newRow("no state file, accepted") << true << false << "accept" << "(\"a^1\" \"b^2\")" << untouched;
        QTest::newRow("no state file even when saving always") << true << true << "reject" << "" << untouched;
    }
    void handlerOptions()
    {
        QFETCH(bool, withoutStateFile);
        QFETCH(bool, saveAlways);
        QFETCH(QString, button);
        QFETCH(QString, printed);
        QFETCH(QByteArray, file);
        ProbeDialog probe;
        g_probe = &probe;
        g_options = DialogCallOptions();
        g_options.withoutStateFile = withoutStateFile;
        g_options.saveAlways = saveAlways;
        g_firstArgument.clear();
        CKvDocument* document = m_host->document(0);
        document->GetLispContext()->DefineFunction(QStringLiteral("probe"), probeFunction);
        const QString path = m_host->path("state.txt");
        QVERIFY(writeBytes(path, "untouched\n"));
        const long nodes = kvLiveNodeCount();
        {
            ModalDriver driver;
            driver.expect("CKvDialog").run([&](QWidget* w) {
                QMetaObject::invokeMethod(w, button == QLatin1String("accept") ? "accept" : "reject", Qt::QueuedConnection);
            });
            driver.start();
            // Arguments the dialog does not read, of any type, are released with the list.
            const LispCallResult r = callLisp(document, QStringLiteral("probe"),
                                              std::move(ArgChain().str(path).str("second").int16(4).real(2).nil().point(1, 2, 3)));
            KV_VERIFY_MODALS(driver);
            QCOMPARE(r.status, kvrt::Normal);
            QCOMPARE(r.printed(), printed);
        }
        QCOMPARE(g_firstArgument, withoutStateFile ? path : QStringLiteral("second"));
        QCOMPARE(readBytes(path), file);
        QCOMPARE(kvLiveNodeCount(), nodes);
        // Without a string first, nothing is shown whatever the options.
        QCOMPARE(callLisp(document, QStringLiteral("probe"), std::move(ArgChain().int16(1))).status, kvrt::Error);
        g_probe = nullptr;
    }

    void int16ListWithEnd()
    {
        CKvDocument* document = m_host->document(0);
        document->GetLispContext()->DefineFunction(QStringLiteral("shorts"), int16ListFunction);
        const long nodes = kvLiveNodeCount();
        {
            const LispCallResult r = callLisp(document, QStringLiteral("shorts"));
            QCOMPARE(r.printed(), QStringLiteral("(7 -1 256)"));
        }
        QCOMPARE(kvLiveNodeCount(), nodes);
    }
};

KV_TEST_MAIN(TestSharedPieces)
#include "tst_sharedpieces.moc"
