// Favourites of a dialog: saving the controls under a name, loading them back, removing them.
#include "exchange/DialogState.h"

#include "dialogs/drawing/Dlg_QT_RemoveFavorits.h"
#include "exchange/FavouritesStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace {
// The removal dialog while it runs; there is never more than one.
QPointer<Dlg_QT_RemoveFavorits> s_removalDialog;

// The combo items whose text equals name, ignoring case.
QVector<int> itemsNamed(const QComboBox* combo, const QString& name)
{
    QVector<int> found;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).compare(name, Qt::CaseInsensitive) == 0)
            found.append(i);
    return found;
}

// Keys that name buttons or inner widgets: a favourite never sets them.
bool ignoredFavouriteKey(const QString& key)
{
    static const char* const ignored[] = {"qtentities", "btn_preview", "acceptbutton", "buttoncancel",
                                          "qt_spinbox_lineedit"};
    const QString lowered = key.toLower();
    for (const char* name : ignored)
        if (lowered == QLatin1String(name))
            return true;
    return false;
}
} // namespace

void CDialogState::setupFavourites(const CKvString& group, QComboBox* combo, QAbstractButton* saveButton,
                                   QAbstractButton* removeButton)
{
    m_favouritesGroup = group;
    if (combo) {
        // An editable combo box swaps a typed text for an item that differs only in case
        // when it loses the focus: typing "Brick" to replace "brick" and pressing Save would
        // load "brick" over the values the user set. Only a name matching exactly is taken.
        if (QCompleter* completer = combo->completer())
            completer->setCaseSensitivity(Qt::CaseSensitive);
        // Filling the combo box changes its text: no favourite is loaded for that.
        m_favouriteLoading = true;
        for (const QString& name : CFavouritesStore(group).favouriteNames())
            combo->addItem(name);
        m_favouriteLoading = false;
        combo->setCurrentIndex(-1);
        combo->setCurrentText(QString());
    }
    m_favouritesCombo = combo;
    m_saveFavouriteButton = saveButton;
    m_removeFavouriteButton = removeButton;
}

void CDialogState::saveFavourite()
{
    QComboBox* combo = m_favouritesCombo;
    if (!combo)
        return;
    const QString name = combo->lineEdit() ? combo->lineEdit()->text() : combo->currentText();
    if (name.isEmpty()) {
        QMessageBox::information(m_owner, tr("Favorites"), tr("Favorite name is required."), QMessageBox::Ok);
        return;
    }
    QVector<int> existing = itemsNamed(combo, name);
    if (!existing.isEmpty()
        && QMessageBox::question(m_owner, tr("Favorites"),
                                 tr("Favorite \"%1\" already exists. Do you want to replace it?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    saveStateFile(m_favouritesGroup, name);

    // The store tells names apart by case, the user does not: "Brick" replacing "brick"
    // leaves one favourite, named as now typed, instead of two of which the list shows the
    // old one. Keys only the old one had stay, as they do when a name is saved again.
    CFavouritesStore(m_favouritesGroup).absorbCaseVariants(name);
    if (existing.isEmpty()) {
        combo->addItem(name);
    } else {
        combo->setItemText(existing.first(), name);
        for (int i = existing.size() - 1; i >= 1; --i)
            combo->removeItem(existing.at(i));
    }
    combo->setCurrentText(QString());
    if (m_removeFavouriteButton)
        m_removeFavouriteButton->setEnabled(combo->count() > 0);
}

void CDialogState::loadFavourite(const QString& name)
{
    if (m_favouriteLoading || name.isNull())
        return;
    m_favouriteLoading = true;
    m_lines.clear();
    for (const auto& pair : CFavouritesStore(m_favouritesGroup).favouriteValues(name))
        if (!pair.first.isEmpty() && !ignoredFavouriteKey(pair.first))
            m_lines.append(pair.first + QLatin1Char('=') + pair.second);
    applyState(QStringLiteral("*"));
    if (m_favouritesCombo)
        m_favouritesCombo->setCurrentText(name);
    m_favouriteLoading = false;
}

void CDialogState::removeFavourites()
{
    QComboBox* combo = m_favouritesCombo;
    if (!combo || s_removalDialog)
        return;
    auto* dialog = new Dlg_QT_RemoveFavorits(m_owner);
    s_removalDialog = dialog;
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    dialog->setFavouriteNames(names);
    dialog->setFavouritesGroup(m_favouritesGroup);
    // Should the owner go while the removal runs (its document closed), this state and the
    // removal dialog, its child, go with it: nothing of them may be touched afterwards.
    const QPointer<QDialog> owner(m_owner);
    const QPointer<QComboBox> comboAlive(combo);
    dialog->exec();
    if (!owner || !comboAlive)
        return;

    // The dialog deletes from the store as the user presses Delete, so the names it reports
    // are gone whether it was accepted or not; the combo box follows the store either way.
    m_favouriteLoading = true;
    const QString current = combo->currentText();
    bool currentRemoved = false;
    for (const QString& removed : dialog->removedNames()) {
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i) == removed) {
                combo->removeItem(i);
                break;
            }
        }
        currentRemoved = currentRemoved || removed == current;
    }
    if (currentRemoved)
        combo->setCurrentText(QString());
    m_favouriteLoading = false;

    delete dialog;
    s_removalDialog = nullptr;
    combo->setCurrentText(QString());
    if (m_removeFavouriteButton)
        m_removeFavouriteButton->setEnabled(combo->count() > 0);
}
