// The state exchange between a dialog's controls and the state file the LISP side passes.
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"
#include "widgets/KvQtUnitSpinBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCodec>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
// A dialog holding one control of every class the exchange knows, in a known order.
struct AllControls : QDialog
{
    QLabel* label = new QLabel(this);
    QToolButton* tool = new QToolButton(this);
    QPushButton* push = new QPushButton(this);
    QCheckBox* check = new QCheckBox(this);
    QLineEdit* edit = new QLineEdit(this);
    QRadioButton* radio = new QRadioButton(this);
    QComboBox* combo = new QComboBox(this);
    QListWidget* list = new QListWidget(this);
    CKvQtUnitSpinBox* unit = new CKvQtUnitSpinBox(this);
    QDoubleSpinBox* dspin = new QDoubleSpinBox(this);
    QSpinBox* spin = new QSpinBox(this);
    QTabWidget* tabs = new QTabWidget(this);
    QTableWidget* table = new QTableWidget(3, 2, this);
    CDialogState state{this};

    AllControls()
    {
        const QList<QPair<QWidget*, const char*>> names = {
            {label, "Label"}, {tool, "tool"}, {push, "push"}, {check, "Check"}, {edit, "edit"}, {radio, "radio"},
            {combo, "combo"}, {list, "list"}, {unit, "unit"}, {dspin, "dspin"}, {spin, "spin"}, {tabs, "tabs"},
            {table, "table"}};
        for (const auto& n : names)
            n.first->setObjectName(QLatin1String(n.second));
        auto* layout = new QVBoxLayout(this);
        for (const auto& n : names)
            layout->addWidget(n.first);
        combo->addItems({"one", "two", "three"});
        list->addItems({"a", "b"});
        dspin->setDecimals(8);
        dspin->setRange(-1e6, 1e6);
        spin->setRange(-100, 100);
        tabs->addTab(new QWidget, "p0");
        tabs->addTab(new QWidget, "p1");
        const char* cells[] = {"A", "B", "C"};
        for (int r = 0; r < 3; ++r) {
            table->setItem(r, 0, new QTableWidgetItem(QLatin1String(cells[r])));
            table->setItem(r, 1, new QTableWidgetItem(QStringLiteral("x%1").arg(r)));
        }
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::MultiSelection);
        // Everything starts without a value, so that a test sees only what it sets.
        combo->setCurrentIndex(-1);
        tabs->setCurrentIndex(-1);
        resize(400, 600);
    }
};

const QByteArray Bom("\xEF\xBB\xBF");
} // namespace

class TestDialogState : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;

private slots:
    void init() { m_host = std::make_unique<PlatformFixture>(1); }
    void cleanup() { m_host.reset(); }

    // A line applied to a control and what the control then shows.
    void applyToControl_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("expected");
        QTest::newRow("label keeps full text") << "label=Some caption" << "label" << "Some caption|Some caption";
        QTest::newRow("check FALSE unchecks") << "check=FALSE" << "check" << "false";
        QTest::newRow("check false checks") << "check=false" << "check" << "true";
        QTest::newRow("radio TRUE") << "radio=TRUE" << "radio" << "true";
        QTest::newRow("combo by text") << "combo=two" << "combo" << "two|1";
        QTest::newRow("list current item") << "list=renamed" << "list" << "renamed";
        QTest::newRow("unit distance") << "unit=2.5" << "unit" << "2.5";
        QTest::newRow("double spin") << "dspin=1.25" << "dspin" << "1.25";
        QTest::newRow("spin truncates") << "spin=7.9" << "spin" << "7";
        QTest::newRow("spin truncates toward zero") << "spin=-7.9" << "spin" << "-7";
        QTest::newRow("tab index") << "tabs=1" << "tabs" << "1";
        QTest::newRow("table rows") << "table=A^C^" << "table" << "A^C^";
        QTest::newRow("table: any column, in the order named") << "table=x2^Z^a^A^" << "table" << "C^A^";
        QTest::newRow("empty value leaves control") << "combo=" << "combo" << "|-1";
        QTest::newRow("buttons take nothing") << "push=Go" << "push" << "";
        QTest::newRow("text=abc=def reads abc") << "label=abc=def" << "label" << "abc|abc";
        QTest::newRow("label text is no markup") << "label=<b>A &amp; B</b>" << "label" << "plain";
        QTest::newRow("one row where one may be chosen") << "table=C^A^" << "single table" << "C^";
    }

    void applyToControl()
    {
        QFETCH(QString, line);
        QFETCH(QString, widget);
        QFETCH(QString, expected);
        AllControls d;
        d.list->setCurrentRow(1);
        d.check->setChecked(true);
        if (widget == "single table")
            d.table->setSelectionMode(QAbstractItemView::SingleSelection);
        d.state.setStateLines({line});
        d.state.applyState(QStringLiteral("*"));
        QVERIFY(d.state.applied());
        QString actual;
        if (widget == "label" && expected == "plain")
            actual = d.label->textFormat() == Qt::PlainText ? "plain" : "rich";
        else if (widget == "label")
            actual = d.label->text() + '|' + d.label->property("value").toString();
        else if (widget == "check")
            actual = d.check->isChecked() ? "true" : "false";
        else if (widget == "radio")
            actual = d.radio->isChecked() ? "true" : "false";
        else if (widget == "combo")
            actual = d.combo->currentText() + '|' + QString::number(d.combo->currentIndex());
        else if (widget == "list")
            actual = d.list->currentItem()->text();
        else if (widget == "unit")
            actual = QString::number(d.unit->value());
        else if (widget == "dspin")
            actual = QString::number(d.dspin->value());
        else if (widget == "spin")
            actual = QString::number(d.spin->value());
        else if (widget == "tabs")
            actual = QString::number(d.tabs->currentIndex());
        else if (widget.endsWith("table"))
            actual = CDialogState::encodedValue(d.table);
        else if (widget == "push")
            actual = d.push->text();
        QCOMPARE(actual, expected);
    }

    void anglesTravelInDegrees()
    {
        AllControls d;
        d.unit->setUnitType(CKvQtUnitSpinBox::Angle);
        d.state.setStateLines({"unit=45"});
        d.state.applyState();
        QVERIFY(std::abs(d.unit->value() - M_PI / 4) < 1e-12);
        d.unit->set(M_PI / 2);
        QCOMPARE(CDialogState::encodedValue(d.unit), QStringLiteral("90"));
        d.unit->setUnitType(CKvQtUnitSpinBox::Direction);
        QCOMPARE(CDialogState::encodedValue(d.unit), QStringLiteral("90"));
    }

    void numbersKeepSixSignificantDigits()
    {
        AllControls d;
        d.dspin->setValue(1.23456789);
        QCOMPARE(CDialogState::encodedValue(d.dspin), QStringLiteral("1.23457"));
        d.dspin->setValue(-654321.5);
        QCOMPARE(CDialogState::encodedValue(d.dspin), QStringLiteral("-654322"));
        d.spin->setValue(5);
        QCOMPARE(CDialogState::encodedValue(d.spin), QString()); // plain spin boxes write nothing
    }

    void cbFavoritsIsNeverSetFromState()
    {
        AllControls d;
        d.combo->setObjectName("CB_Favorits");
        d.state.setStateLines({"cb_favorits=two"});
        d.state.applyState();
        QCOMPARE(d.combo->currentIndex(), -1);
    }

    void elidedLineEditSavesTheFullPath()
    {
        AllControls d;
        d.show();
        d.edit->setFixedWidth(120);
        const QString path = QStringLiteral("/a/very/long/folder/name/that/cannot/fit/in/the/field/drawing.dwg");
        d.state.setStateLines({"edit=" + path});
        d.state.applyState();
        QVERIFY(d.edit->text() != path);
        QVERIFY(d.edit->text().contains(QChar(0x2026)));
        QCOMPARE(CDialogState::encodedValue(d.edit), path);
        QCOMPARE(d.state.storedFullText(d.edit, d.edit->text()), path);
        QCOMPARE(d.state.storedFullText(d.edit, "short"), QStringLiteral("short"));
        QCOMPARE(d.edit->property("value").toString(), QStringLiteral("short"));
    }

    // Only an elided form of the kept path stands for the path; dots a person typed stay.
    void lineEditTextsWithDots_data()
    {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("saved");
        const QString path = "/projects/site/drawings/ground-floor.dwg";
        QTest::newRow("elided path") << path << "/projects/si\u2026floor.dwg" << path;
        QTest::newRow("elided with three dots") << path << "/projects...floor.dwg" << path;
        QTest::newRow("typed text with dots") << path << "Wait..." << "Wait...";
        QTest::newRow("edited elided path") << path << "/projects/si\u2026floor.dxf" << "/projects/si\u2026floor.dxf";
        QTest::newRow("nothing kept") << "" << "a...b" << "a...b";
    }

    void lineEditTextsWithDots()
    {
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        QFETCH(QString, saved);
        AllControls d;
        d.edit->setProperty("value", kept);
        d.edit->setText(shown);
        QCOMPARE(CDialogState::encodedValue(d.edit), saved);
    }

    void savedFileLayout()
    {
        AllControls d;
        const QString path = m_host->path("state.txt");
        d.state.loadStateFile(path); // missing file: the path is remembered
        d.state.setAction("GO");
        d.combo->setCurrentIndex(2);
        d.check->setChecked(false);
        d.radio->setChecked(true);
        d.edit->setText("hello");
        d.list->setCurrentRow(0);
        d.unit->setValue(2.5);
        d.dspin->setValue(3);
        d.tabs->setCurrentIndex(1);
        d.table->selectRow(1);
        QVERIFY(d.state.saveStateFile());
        // Spin boxes' own line edits are written like any other line edit.
        QCOMPARE(readBytes(path), Bom + "check=FALSE\n!action!=GO\nedit=hello\nradio=TRUE\ncombo=three\ncombo_index=2\n"
                                      "list=a\nunit=2.5\nqt_spinbox_lineedit=2.5\ndspin=3\n"
                                      "qt_spinbox_lineedit=3.00000000\ntabs=1\ntable=B^\n");
    }

    void actionFollowsTheFirstControlsIndexLine()
    {
        QDialog d;
        auto* combo = new QComboBox(&d);
        combo->setObjectName("Kind");
        combo->addItems({"x", "y"});
        auto* check = new QCheckBox(&d);
        check->setObjectName("more");
        CDialogState state(&d);
        const QString path = m_host->path("combo-first.txt");
        state.loadStateFile(path);
        state.setAction("OK");
        QVERIFY(state.saveStateFile());
        QCOMPARE(readBytes(path), Bom + "kind=x\nkind_index=0\n!action!=OK\nmore=FALSE\n");
    }

    void controlsWithoutValuesWriteOnlyTheMark()
    {
        QDialog d;
        auto* label = new QLabel("caption", &d);
        label->setObjectName("caption");
        new QGroupBox(&d);
        auto* unnamed = new QCheckBox(&d); // no name, no line
        unnamed->setChecked(true);
        CDialogState state(&d);
        const QString path = m_host->path("empty.txt");
        state.loadStateFile(path);
        state.setAction("X");
        QVERIFY(state.saveStateFile());
        QCOMPARE(readBytes(path), Bom);
    }

    void readingWithAndWithoutMark_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf-8 with mark") << QByteArray(Bom + "name=caf\xC3\xA9\n") << QStringLiteral("caf\u00e9");
        QTest::newRow("local 8-bit") << QByteArray("name=caf\xE9\n") << QStringLiteral("caf\u00e9");
        QTest::newRow("crlf lines") << QByteArray("name=v\r\nother=w\r\n") << QStringLiteral("v");
        QTest::newRow("no final newline") << QByteArray("name=last") << QStringLiteral("last");
    }

    void readingWithAndWithoutMark()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTextCodec* saved = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        QDialog d;
        CDialogState state(&d);
        const QString path = m_host->path("read.txt");
        QVERIFY(writeBytes(path, bytes));
        state.loadStateFile(path);
        QTextCodec::setCodecForLocale(saved);
        QCOMPARE(state.stateValue("name"), expected);
        QCOMPARE(state.stateValue("NAME"), expected);
    }

    // Keys match ignoring case, also when the state line came from a file in mixed case:
    // the second file's QtEntities replaces the first's instead of hiding behind it.
    void mergingReplacesByKeyIgnoringCase()
    {
        QDialog d;
        CDialogState state(&d);
        state.setStateLines({"width=3", "other=1", "QtEntities=0"});
        const QString path = m_host->path("merge.txt");
        QVERIFY(writeBytes(path, "Width=5\nnew=7\nno equals sign\nQtEntities=2\n"));
        state.loadStateFile(path);
        QCOMPARE(state.stateLines(), (QStringList{"Width=5", "other=1", "QtEntities=2", "new=7", "no equals sign"}));
        QCOMPARE(state.stateValue("qtentities"), QStringLiteral("2"));
        QCOMPARE(state.stateFilePath(), path);
        // An empty path reads nothing and keeps the remembered path.
        state.loadStateFile(CKvString());
        QCOMPARE(state.stateFilePath(), path);
        // An unreadable file keeps the state lines.
        state.loadStateFile(m_host->path("missing/state.txt"));
        QCOMPARE(state.stateLines().size(), 5);
    }

    void stateValueMatchesWholeKeys()
    {
        QDialog d;
        CDialogState state(&d);
        state.setStateLines({"lineedit=1", "edit=2", "Text=abc=def", "noequals", "=empty key"});
        QCOMPARE(state.stateValue("edit"), QStringLiteral("2"));
        QCOMPARE(state.stateValue("text"), QStringLiteral("abc"));
        QCOMPARE(state.stateValue("noequals"), QString());
        QCOMPARE(state.stateValue(""), QString());
        state.setStateValue("edit", "9");
        state.setStateValue("EDIT", "10"); // case-sensitive: no line is named EDIT
        state.setStateValue("absent", "1");
        QCOMPARE(state.stateLines(), (QStringList{"lineedit=1", "edit=9", "Text=abc=def", "noequals", "=empty key"}));
    }

    // A UTF-16 file may hold a lone surrogate in a key; the key still matches itself in any
    // case, so merging the file again replaces its lines instead of adding more.
    void mergingKeysWithLoneSurrogates()
    {
        QDialog d;
        CDialogState state(&d);
        const QString key = QString::fromUtf16(u"Key\xDB00x");
        state.setStateLines({key + "=1", "other=1"});
        const QString path = m_host->path("utf16.txt");
        const QString text = QString::fromUtf16(u"KEY\xDB00X=2\n");
        QByteArray bytes("\xFF\xFE");
        bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QVERIFY(writeBytes(path, bytes));
        state.loadStateFile(path);
        state.loadStateFile(path);
        QCOMPARE(state.stateLines(), (QStringList{QString::fromUtf16(u"KEY\xDB00X=2"), "other=1"}));
    }

    void unwritableStateFile()
    {
        QDialog d;
        auto* check = new QCheckBox(&d);
        check->setObjectName("c");
        CDialogState state(&d);
        QVERIFY(!state.saveStateFile()); // no path yet
        // A folder where the file should be cannot be replaced by a file.
        const QString folder = m_host->path("a-folder");
        QDir().mkpath(folder);
        state.loadStateFile(folder);
        QVERIFY(!state.saveStateFile());
        QVERIFY(QFileInfo(folder).isDir());
        state.loadStateFile(m_host->path("no/such/folder/state.txt"));
        QVERIFY(!state.saveStateFile());
    }

    // A dialog shows centred over its parent unless it was placed; one the user moved and
    // that is shown again for the next call comes back where the user left it.
    void geometryIsKeptOnReopen_data()
    {
        QTest::addColumn<bool>("load");
        QTest::newRow("reopened by a call") << true;
        QTest::newRow("shown again without one") << false;
    }

    void geometryIsKeptOnReopen()
    {
        QFETCH(bool, load);
        QWidget parent;
        parent.setGeometry(400, 300, 800, 600);
        QDialog d(&parent);
        d.resize(300, 200);
        CDialogState state(&d);
        d.show();
        const QPoint centred = d.pos();
        d.move(130, 90);
        d.setAttribute(Qt::WA_Moved, false); // as after a move by the window system
        d.hide();
        if (load)
            state.loadStateFile(CKvString());
        d.show();
        QCOMPARE(d.pos(), load ? QPoint(130, 90) : centred);
    }

    void foldersAndTitleBar()
    {
        const QString favourites = m_host->logFilePath() + "Korvane/Favorites";
        QVERIFY(!QDir(favourites).exists());
        QDialog d(nullptr, Qt::WindowTitleHint | Qt::WindowContextHelpButtonHint);
        CDialogState state(&d);
        QVERIFY(QDir(favourites).exists());
        QCOMPARE(state.favouritesFolder(), favourites);
        QCOMPARE(CDialogState::moduleDataFolder(), m_host->logFilePath() + "Korvane");
        QVERIFY(!(d.windowFlags() & Qt::WindowContextHelpButtonHint));
    }
};

KV_TEST_MAIN(TestDialogState)
#include "tst_dialogstate.moc"
