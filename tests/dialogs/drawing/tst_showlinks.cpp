// Hyperlink list: the links file both ways, what a link text opens, find and replace in the
// URL cells, and Dlg_ShowLinks end to end through the show-entity round trip.
#include "ItemTexts.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/drawing/Dlg_QT_ShowLinks.h"
#include "dialogs/drawing/LinksFile.h"
#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include <QDesktopServices>
#include <QItemSelectionModel>
#include <QStyledItemDelegate>

namespace {
const QByteArray Bom("\xEF\xBB\xBF");
const QStringList Schemes{"http", "https", "ftp", "mailto", "file", "javascript", "smb"};

QStringList flat(const QVector<KvLinksFile::Link>& links)
{
    QStringList out;
    for (const auto& l : links)
        out << l.id + "|" + l.url + "|" + l.type + "|" + l.space;
    return out;
}

void selectRows(QTableWidget* table, const QList<int>& rows)
{
    table->clearSelection();
    for (int r : rows)
        table->selectionModel()->select(table->model()->index(r, 1),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

const QByteArray FourLinks("1^http://a.example/x^LINE^Model\r\n2^www.b.example^CIRCLE^Model\r\n"
                           "3^ftp://c.example^TEXT^Layout1\r\n4^mailto:d@example.com^INSERT^Layout1\r\n");
} // namespace

class TestShowLinks : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;
    QList<QUrl> m_opened;

    LispCallResult call(const QString& linksFile)
    {
        return callLisp(ACTIVE_DOCUMENT(), "Dlg_ShowLinks", std::move(ArgChain().str(state()).str(linksFile)));
    }
    QString state() const { return m_host->path("links.state"); }
    QString links() const { return m_host->path("links.txt"); }

public slots:
    // Stands in for the desktop: what it was asked to open.
    void openUrl(const QUrl& url) { m_opened.append(url); }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
        m_opened.clear();
        for (const QString& scheme : Schemes)
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
    }
    void cleanup()
    {
        for (const QString& scheme : Schemes)
            QDesktopServices::unsetUrlHandler(scheme);
        m_host.reset();
    }

    void readLinks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("four fields, CR LF") << QByteArray("1^http://a^LINE^Model\r\n2^www.b^ARC^Layout1\r\n")
                                            << QStringList{"1|http://a|LINE|Model", "2|www.b|ARC|Layout1"}
                                            << QByteArray("1^http://a^LINE^Model\r\n2^www.b^ARC^Layout1\r\n");
        QTest::newRow("missing fields empty") << QByteArray("7^http://x\n8") << QStringList{"7|http://x||", "8|||"}
                                              << QByteArray("7^http://x^^\r\n8^^^\r\n");
        QTest::newRow("further separators stay in the space")
            << QByteArray("1^u^t^Model^x") << QStringList{"1|u|t|Model^x"} << QByteArray("1^u^t^Model^x\r\n");
        QTest::newRow("blank lines and lone CR") << QByteArray("\n\r\n1^a^b^c\r2^d^e^f\n\n")
                                                 << QStringList{"1|a|b|c", "2|d|e|f"}
                                                 << QByteArray("1^a^b^c\r\n2^d^e^f\r\n");
        QTest::newRow("empty") << QByteArray() << QStringList() << QByteArray();
    }

    void readLinks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, links);
        QFETCH(QByteArray, written);
        const QVector<KvLinksFile::Link> read = KvLinksFile::parse(bytes);
        QCOMPARE(flat(read), links);
        QCOMPARE(KvLinksFile::encode(read, {}), written);
    }

    // What the user types into a URL can neither shift the fields nor add a line.
    void urlCannotBreakItsLine()
    {
        const QByteArray bytes = KvLinksFile::encode({{"5", "http://x/?a=1^b\r\nc", "LINE", "Model"}}, {"9", "10"});
        QCOMPARE(bytes, QByteArray("5^http://x/?a=1%5Eb%0D%0Ac^LINE^Model\r\nREMOVE^9\r\nREMOVE^10\r\n"));
        QCOMPARE(flat(KvLinksFile::parse(bytes)).first(), QStringLiteral("5|http://x/?a=1%5Eb%0D%0Ac|LINE|Model"));
    }

    void showUrl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opened"); // empty: the link is refused with a message
        QTest::newRow("www gets http") << "www.example.com/a b" << "http://www.example.com/a%20b";
        QTest::newRow("WWW is not prefixed") << "WWW.example.com" << "";
        QTest::newRow("https as typed") << "https://example.com/?q=1" << "https://example.com/?q=1";
        QTest::newRow("ftp") << "ftp://files.example.com/a.dwg" << "ftp://files.example.com/a.dwg";
        QTest::newRow("mailto") << "mailto:desk@example.com" << "mailto:desk@example.com";
        QTest::newRow("existing file") << "%FILE%" << "file://%FILE%";
        QTest::newRow("missing file") << "/no/such/file.pdf" << "";
        QTest::newRow("script") << "javascript:alert(1)" << "";
        QTest::newRow("other scheme") << "smb://server/share" << "";
        QTest::newRow("empty") << "" << "";
    }

    // Show URL hands only links the desktop should open from a drawing, resolved.
    void showUrl()
    {
        QFETCH(QString, text);
        QFETCH(QString, opened);
        const QString file = m_host->path("door schedule.pdf");
        QVERIFY(writeBytes(file, "%PDF"));
        text.replace("%FILE%", file);
        opened.replace("%FILE%", QUrl::fromLocalFile(file).path(QUrl::FullyEncoded));
        QVERIFY(writeBytes(links(), "1^" + text.toUtf8() + "^LINE^Model\r\n"));
        ModalDriver driver;
        driver.expect("Dlg_QT_ShowLinks").select("tableUrl", {0}).click("btnShowUrl").click("btnClose");
        if (opened.isEmpty())
            driver.expect("QMessageBox").expectText("Unable to display the link.").click("OK");
        driver.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(m_opened.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(m_opened.first().toString(QUrl::FullyEncoded), opened);
    }

    void replace_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QStringList>("urls");
        const QString a = "http://a.example/x", b = "www.b.example", c = "ftp://c.example",
                      d = "mailto:d@example.com";
        QTest::newRow("selected rows only") << QList<int>{0, 2} << "example" << "test"
                                            << QStringList{"http://a.test/x", b, "ftp://c.test", d};
        QTest::newRow("case matters") << QList<int>{0, 1, 2, 3} << "EXAMPLE" << "test" << QStringList{a, b, c, d};
        QTest::newRow("empty find replaces nothing") << QList<int>{0, 1} << "" << "x" << QStringList{a, b, c, d};
        QTest::newRow("every occurrence, to nothing") << QList<int>{1} << "w" << "" << QStringList{a, ".b.example", c, d};
    }

    void replace()
    {
        QFETCH(QList<int>, rows);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QStringList, urls);
        QVERIFY(writeBytes(links(), FourLinks));
        Dlg_QT_ShowLinks dialog;
        dialog.setLinksFile(links());
        dialog.show();
        selectRows(dialog.tableUrl, rows);
        dialog.txsearch->setText(find);
        dialog.txreplace->setText(replacement);
        dialog.btnReplace->click();
        QCOMPARE(columnTexts(dialog.tableUrl, 1), urls);
        // The other columns are the LISP side's and stay as they came.
        QCOMPARE(columnTexts(dialog.tableUrl, 0), (QStringList{"1", "2", "3", "4"}));
    }

    // Long URLs wrap; once the window has settled (scroll bar and all), no row is lower than
    // its text needs where the cell is painted, one grid line narrower than the column.
    void longUrlsKeepAllTheirLines()
    {
        // Enough rows for a scroll bar, which narrows the URL column after the rows are fitted.
        QByteArray bytes = "1^http://www.example.com/projects/riverside/site-plan.pdf^LWPOLYLINE^Model\r\n";
        for (int n = 2; n <= 30; ++n)
            bytes += QByteArray::number(n) + "^http://intranet.example.com/" + QByteArray("rfi/").repeated(n % 9)
                     + "x?id=" + QByteArray::number(n * 37) + "^LINE^Model\r\n";
        QVERIFY(writeBytes(links(), bytes));
        Dlg_QT_ShowLinks dialog;
        dialog.setLinksFile(links());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
        QTableWidget* table = dialog.tableUrl;
        QStyledItemDelegate measure;
        for (int r = 0; r < table->rowCount(); ++r) {
            QStyleOptionViewItem option;
            option.initFrom(table);
            option.font = table->font();
            option.features |= QStyleOptionViewItem::WrapText;
            option.widget = table;
            option.rect = QRect(0, 0, table->columnWidth(1) - 1, 1);
            const int needed = measure.sizeHint(option, table->model()->index(r, 1)).height();
            QVERIFY2(table->rowHeight(r) >= needed, qPrintable(QString("row %1: %2 < %3").arg(r).arg(table->rowHeight(r)).arg(needed)));
        }
    }

    // Remove two links and show an entity; back with RETURN the table is as it was left,
    // and Close writes the remaining links and the REMOVE lines of both removed ones.
    void showEntityRoundTrip()
    {
        QVERIFY(writeBytes(links(), FourLinks));
        ModalDriver first;
        first.expect("Dlg_QT_ShowLinks")
            .select("tableUrl", {3, 1})
            .click("btnRemoveUrl")
            .run([](QWidget* w) {
                static_cast<Dlg_QT_ShowLinks*>(w)->tableUrl->item(0, 1)->setText("http://a.example/y^z");
            })
            .select("tableUrl", {0})
            .click("btnShowEntity");
        first.expect("QMessageBox").expectText("Remove urls for selected items?").click("OK");
        first.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(first);
        first.stop();
        QCOMPARE(readBytes(links()), QByteArray("1^http://a.example/y%5Ez^LINE^Model\r\n"));
        QVERIFY(readBytes(state()).contains("\n!action!=SHOWENTITY\n"));

        QVERIFY(writeBytes(state(), "!action!=RETURN\n"));
        QStringList shown;
        ModalDriver second;
        second.expect("Dlg_QT_ShowLinks")
            .run([&shown](QWidget* w) { shown = columnTexts(static_cast<Dlg_QT_ShowLinks*>(w)->tableUrl, 1); })
            .click("btnClose");
        second.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(second);
        QCOMPARE(shown, (QStringList{"http://a.example/y^z", "ftp://c.example"}));
        QCOMPARE(readBytes(links()), QByteArray("1^http://a.example/y%5Ez^LINE^Model\r\n3^ftp://c.example^TEXT^Layout1\r\n"
                                                "REMOVE^4\r\nREMOVE^2\r\n"));
        QVERIFY(readBytes(state()).contains("\n!action!=OK\n"));
    }

    // The stored selection names rows by identifier: on the first show they are chosen
    // whole, once the table holds them, and the row buttons are live.
    void storedSelectionRestored()
    {
        QVERIFY(writeBytes(links(), FourLinks));
        QVERIFY(writeBytes(state(), "tableurl=3^1^\n"));
        QList<int> urlRows;
        bool canRemove = false;
        ModalDriver driver;
        driver.expect("Dlg_QT_ShowLinks")
            .run([&](QWidget* w) {
                auto* dialog = static_cast<Dlg_QT_ShowLinks*>(w);
                for (const QModelIndex& index : dialog->tableUrl->selectionModel()->selectedRows(1))
                    urlRows.append(index.row());
                canRemove = dialog->btnRemoveUrl->isEnabled();
            })
            .cancel();
        driver.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(driver);
        std::sort(urlRows.begin(), urlRows.end());
        QCOMPARE(urlRows, (QList<int>{0, 2}));
        QVERIFY(canRemove);
    }

    // Show Entity with nothing selected says so and stays; closing the window leaves the
    // file alone and reports CANCEL.
    void showEntityWithoutSelection()
    {
        QVERIFY(writeBytes(links(), FourLinks));
        QVERIFY(writeBytes(state(), "txsearch=example\n"));
        ModalDriver driver;
        driver.expect("Dlg_QT_ShowLinks")
            .run([](QWidget* w) { QMetaObject::invokeMethod(w, "showEntity"); })
            .expectValue("txsearch", "example")
            .cancel();
        driver.expect("QMessageBox").expectText("The are no items selected.").click("OK");
        driver.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(readBytes(links()), FourLinks);
        QCOMPARE(readBytes(state()), Bom + "txsearch=example\n!action!=CANCEL\n");
    }

    // A links file that cannot be written keeps the dialog open, with the edits.
    void writeFailureKeepsTheList()
    {
        QVERIFY(writeBytes(links(), FourLinks));
        const QString unwritable = m_host->path("no/such/folder/links.txt");
        QString message;
        int rows = 0;
        ModalDriver driver;
        driver.expect("Dlg_QT_ShowLinks")
            .run([&](QWidget* w) { static_cast<Dlg_QT_ShowLinks*>(w)->setLinksFile(unwritable); })
            .select("tableUrl", {0})
            .click("btnRemoveUrl")
            .click("btnClose")
            .run([&rows](QWidget* w) { rows = static_cast<Dlg_QT_ShowLinks*>(w)->tableUrl->rowCount(); })
            .cancel();
        driver.expect("QMessageBox").click("OK");
        driver.expect("QMessageBox").capture(&message).click("OK");
        driver.start();
        QVERIFY(call(links()).isVoid());
        KV_VERIFY_MODALS(driver);
        QVERIFY2(message.startsWith("The links were not saved.\n"), qPrintable(message));
        QCOMPARE(rows, 3);
        QVERIFY(!QFileInfo::exists(unwritable));
        QCOMPARE(readBytes(links()), FourLinks);
    }
};

KV_TEST_MAIN(TestShowLinks)
#include "tst_showlinks.moc"
