#pragma once

#include "ui_Dlg_QT_RemoveFavorits.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;

// Lets the user delete saved favourites of a dialog; each press of Delete removes the
// selected names from the settings store at once and remembers them for the caller.
class Dlg_QT_RemoveFavorits : public CKvDialog, public Ui::Dlg_QT_RemoveFavorits
{
    Q_OBJECT
public:
    explicit Dlg_QT_RemoveFavorits(QWidget* parent = nullptr);
    ~Dlg_QT_RemoveFavorits() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The names offered, in the order shown.
    void setFavouriteNames(const QStringList& names) { m_names = names; }
    QStringList favouriteNames() const { return m_names; }
    // The settings group the favourites are kept in.
    void setFavouritesGroup(const QString& group) { m_group = group; }
    QString favouritesGroup() const { return m_group; }
    // Every name deleted during this run, in the order deleted.
    QStringList removedNames() const { return m_removed; }

public slots:
    void removeItems();
    void onSelectionChanged();
    void showHelp();
    void Help();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QStringList m_names;
    QStringList m_removed;
    QString m_group;
    std::unique_ptr<CDialogState> m_state;
};
