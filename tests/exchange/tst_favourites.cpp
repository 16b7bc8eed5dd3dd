// Favourites: the settings store behind them and CDialogState's save, load and removal.
#include "ItemTexts.h"
#include "ModalDriver.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include "exchange/DialogState.h"
#include "exchange/FavouritesStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString Group = QStringLiteral("PatternHatch");

// The store as the module opens it.
std::unique_ptr<QSettings> rawStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QCoreApplication::applicationName(), QStringLiteral("Korvane"));
}

using Values = CFavouritesStore::Values;

// Values sorted by key, for comparisons that do not depend on the store's order.
template <typename List> List sorted(List values)
{
    std::sort(values.begin(), values.end());
    return values;
}

// A dialog with favourites as the pattern hatch offers them.
struct FavouriteDialog : QDialog
{
    QComboBox* combo = new QComboBox(this);
    QPushButton* save = new QPushButton("Save", this);
    QPushButton* remove = new QPushButton("Remove", this);
    QLineEdit* pattern = new QLineEdit(this);
    QCheckBox* filled = new QCheckBox(this);
    QDoubleSpinBox* scale = new QDoubleSpinBox(this);
    QPushButton* accept = new QPushButton("OK", this);
    CDialogState state{this};
    int loads = 0;

    FavouriteDialog()
    {
        combo->setObjectName("cb_favorits");
        combo->setEditable(true);
        save->setObjectName("btnSaveFavorite");
        remove->setObjectName("btnRemoveFavorite");
        pattern->setObjectName("Pattern");
        filled->setObjectName("Filled");
        scale->setObjectName("scale");
        accept->setObjectName("acceptButton");
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : {static_cast<QWidget*>(combo), static_cast<QWidget*>(save), static_cast<QWidget*>(remove),
                           static_cast<QWidget*>(pattern), static_cast<QWidget*>(filled), static_cast<QWidget*>(scale),
                           static_cast<QWidget*>(accept)})
            layout->addWidget(w);
        resize(300, 300);
        state.setupFavourites(Group, combo, save, remove);
        remove->setEnabled(combo->count() > 0);
        connect(combo, &QComboBox::currentTextChanged, this, [this](const QString& name) {
            ++loads;
            state.loadFavourite(name);
        });
    }

    QStringList items() const { return itemTexts(combo); }
};
} // namespace

class TestFavourites : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;

private slots:
    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        rawStore()->clear();
    }

    void cleanup() { m_host.reset(); }

    // Every name saves, lists, reads and removes as typed, and stays one group in the store.
    void namesRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Brick";
        QTest::newRow("slash") << "Brick/Wall";
        QTest::newRow("backslash") << "Brick\\Wall";
        QTest::newRow("leading slash") << "/Brick";
        QTest::newRow("trailing backslash") << "Brick\\";
        QTest::newRow("percent") << "50%";
        QTest::newRow("looks encoded") << "a%2Fb%5c";
        QTest::newRow("ini punctuation") << "[x] a=b;c#d,e";
        QTest::newRow("beyond ASCII") << "Grün Ölfarbe Ω";
    }

    void namesRoundTrip()
    {
        QFETCH(QString, name);
        CFavouritesStore store(Group);
        store.writeValue("Other", "pattern", "SOLID");
        store.writeValue(name, "pattern", "ANSI31");
        store.writeValue(name, "scale", "2.5");
        QCOMPARE(sorted(store.favouriteNames()), sorted(QStringList{name, "Other"}));
        QCOMPARE(sorted(store.favouriteValues(name)), (Values{{"pattern", "ANSI31"}, {"scale", "2.5"}}));
        {
            auto raw = rawStore();
            raw->beginGroup(Group);
            QCOMPARE(raw->childGroups().size(), 2);
            QCOMPARE(raw->allKeys().size(), 3); // nothing nested deeper
        }
        store.removeFavourite(name);
        QCOMPARE(store.favouriteNames(), QStringList{"Other"});
        QCOMPARE(store.favouriteValues("Other"), (Values{{"pattern", "SOLID"}}));
    }

    // An empty name names no favourite: reading gives nothing, removing spares the others.
    void emptyNameTouchesNothing()
    {
        CFavouritesStore store(Group);
        store.writeValue("Brick", "pattern", "ANSI31");
        QVERIFY(!store.writeValues(QString(), {{"pattern", "X"}}));
        store.removeFavourite(QString());
        QVERIFY(store.favouriteValues(QString()).isEmpty());
        QCOMPARE(store.favouriteNames(), QStringList{"Brick"});
        QCOMPARE(rawStore()->allKeys(), QStringList{Group + "/Brick/pattern"});
    }

    void setupListsTheStoredNames()
    {
        CFavouritesStore store(Group);
        for (const char* name : {"Brick", "a/b", "Concrete"})
            store.writeValue(name, "pattern", name);
        CFavouritesStore("Multiview").writeValue("Elsewhere", "x", "1");
        FavouriteDialog dialog;
        QCOMPARE(sorted(dialog.items()), (QStringList{"Brick", "Concrete", "a/b"}));
        QCOMPARE(dialog.combo->currentIndex(), -1);
        QCOMPARE(dialog.combo->currentText(), QString());
        QVERIFY(!dialog.state.favouriteLoading());
    }

    void saveIntoAnEmptyStore()
    {
        FavouriteDialog dialog;
        dialog.show();
        QVERIFY(!dialog.remove->isEnabled());
        // Typing the name first: the combo box loads what the text names (nothing yet).
        dialog.combo->setEditText("Brick");
        dialog.pattern->setText("ANSI31");
        dialog.filled->setChecked(true);
        dialog.scale->setValue(2.5);
        ModalDriver driver;
        driver.start();
        dialog.state.saveFavourite();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog.items(), QStringList{"Brick"});
        QVERIFY(dialog.remove->isEnabled());
        QCOMPARE(dialog.combo->currentText(), QString());
        // The controls' values by lower-cased name; no index lines and no action.
        const Values stored = sorted(CFavouritesStore(Group).favouriteValues("Brick"));
        QCOMPARE(stored, (Values{{"cb_favorits", "Brick"}, {"filled", "TRUE"}, {"pattern", "ANSI31"},
                                 {"qt_spinbox_lineedit", "2.50"}, {"scale", "2.5"}}));
    }

    void saveWithoutAName()
    {
        FavouriteDialog dialog;
        dialog.show();
        ModalDriver driver;
        driver.expect("QMessageBox").expectText("Favorite name is required.").click("OK");
        driver.start();
        dialog.state.saveFavourite();
        KV_VERIFY_MODALS(driver);
        QVERIFY(dialog.items().isEmpty());
        QVERIFY(rawStore()->allKeys().isEmpty());
    }

    // Saving over an existing name, in any case, asks first; Yes leaves one favourite named
    // as typed, with the new values and the keys only the old one had.
    void replaceAnExistingFavourite_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Brick over brick, Yes") << "Brick" << "Yes";
        QTest::newRow("Brick over brick, No") << "Brick" << "No";
        QTest::newRow("brick over brick, Yes") << "brick" << "Yes";
        QTest::newRow("BRICK/1 over brick/1, Yes") << "BRICK/1" << "Yes";
    }

    void replaceAnExistingFavourite()
    {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        const QString old = typed.toLower();
        CFavouritesStore store(Group);
        store.writeValues(old, {{"pattern", "OLD"}, {"filled", "FALSE"}, {"legacy", "kept"}});
        store.writeValue("Concrete", "pattern", "AR-CONC");
        FavouriteDialog dialog;
        dialog.show();
        const QStringList itemsBefore = dialog.items();
        dialog.combo->setEditText(typed);
        dialog.pattern->setText("NEW");
        dialog.filled->setChecked(true);
        ModalDriver driver;
        driver.expect("QMessageBox")
            .expectText(QStringLiteral("Favorite \"%1\" already exists. Do you want to replace it?").arg(typed))
            .click(answer);
        driver.start();
        dialog.state.saveFavourite();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog.items().size(), 2);
        const QStringList names = sorted(store.favouriteNames());
        if (answer == "No") {
            QCOMPARE(dialog.items(), itemsBefore);
            QCOMPARE(sorted(store.favouriteValues(old)), (Values{{"filled", "FALSE"}, {"legacy", "kept"}, {"pattern", "OLD"}}));
            QCOMPARE(names, sorted(QStringList{"Concrete", old}));
            QCOMPARE(dialog.combo->currentText(), typed);
            return;
        }
        QVERIFY(dialog.items().contains(typed));
        QCOMPARE(names, sorted(QStringList{typed, "Concrete"}));
        QCOMPARE(sorted(store.favouriteValues(typed)),
                 (Values{{"cb_favorits", typed}, {"filled", "TRUE"}, {"legacy", "kept"}, {"pattern", "NEW"},
                         {"qt_spinbox_lineedit", "0.00"}, {"scale", "0"}}));
        QCOMPARE(dialog.combo->currentText(), QString());
    }

    // Loading sets the controls from the favourite alone; keys of buttons and inner widgets
    // are never applied, and lines the LISP side sent are gone.
    void loadAFavourite()
    {
        CFavouritesStore(Group).writeValues(
            "Brick/Wall", {{"pattern", "ANSI31"}, {"filled", "FALSE"}, {"acceptbutton", "x"}, {"ButtonCancel", "x"},
                           {"qt_spinbox_lineedit", "9"}, {"QtEntities", "x"}, {"btn_preview", "x"}, {"scale", "3"}});
        FavouriteDialog dialog;
        dialog.show();
        dialog.filled->setChecked(true);
        dialog.state.setStateLines({"pattern=SOLID", "!action!=PICK"});
        const int loadsBefore = dialog.loads;
        dialog.combo->setCurrentIndex(0); // the user picks it from the list
        QCOMPARE(dialog.loads, loadsBefore + 1); // setting the text back loads nothing again
        QCOMPARE(sorted(dialog.state.stateLines()), (QStringList{"filled=FALSE", "pattern=ANSI31", "scale=3"}));
        QCOMPARE(dialog.pattern->text(), QStringLiteral("ANSI31"));
        QVERIFY(!dialog.filled->isChecked());
        QCOMPARE(dialog.scale->value(), 3.0);
        QCOMPARE(dialog.combo->currentText(), QStringLiteral("Brick/Wall"));
        QVERIFY(!dialog.state.favouriteLoading());

        // A null name does nothing at all.
        dialog.state.loadFavourite(QString());
        QCOMPARE(dialog.state.stateLines().size(), 3);
    }

    // The removal dialog deletes from the store at once; the combo box follows, also when
    // the dialog is cancelled afterwards.
    void removeThroughTheDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QStringList>("all");
        QTest::newRow("accepted") << true << QStringList{"a/1", "b", "c", "d", "e"};
        QTest::newRow("cancelled after deleting") << false << QStringList{"a/1", "b", "c", "d", "e"};
        QTest::newRow("the last one") << true << QStringList{"only"};
    }

    void removeThroughTheDialog()
    {
        QFETCH(bool, accept);
        QFETCH(QStringList, all);
        CFavouritesStore store(Group);
        for (const QString& name : all)
            store.writeValue(name, "pattern", name);
        FavouriteDialog dialog;
        dialog.show();
        dialog.combo->setEditText("b");
        const QStringList offered = dialog.items();
        QStringList shown;
        ModalDriver driver;
        driver.expect("Dlg_QT_RemoveFavorits")
            .run([&](QWidget* w) {
                auto* list = w->findChild<QListWidget*>("ListFavorits");
                for (int i = 0; list && i < list->count(); ++i)
                    shown << list->item(i)->text();
            })
            .select("ListFavorits", all.size() > 1 ? QVector<int>{0, 1, 2} : QVector<int>{0})
            .click("BtnRemove");
        if (all.size() > 1)
            driver.select("ListFavorits", {0}).click("BtnRemove");
        driver.click(accept ? "acceptButton" : "ButtonCancel");
        driver.start();
        dialog.state.removeFavourites();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(shown, offered);
        const QStringList removed = offered.mid(0, 4);
        const bool anyLeft = all.size() > removed.size();
        QStringList left = all;
        for (const QString& name : removed)
            left.removeAll(name);
        QCOMPARE(store.favouriteNames(), left);
        QCOMPARE(dialog.items(), left);
        QCOMPARE(dialog.combo->currentText(), QString());
        QCOMPARE(dialog.remove->isEnabled(), anyLeft);
        QVERIFY(!dialog.state.favouriteLoading());
    }
};

KV_TEST_MAIN(TestFavourites)
#include "tst_favourites.moc"
