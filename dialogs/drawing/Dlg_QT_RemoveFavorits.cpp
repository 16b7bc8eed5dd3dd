#include "dialogs/drawing/Dlg_QT_RemoveFavorits.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogState.h"
#include "exchange/FavouritesStore.h"

#include <QShowEvent>
#include <QMessageBox>

Dlg_QT_RemoveFavorits::Dlg_QT_RemoveFavorits(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_names(), m_removed(), m_group()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnRemove, &QPushButton::clicked, this, &Dlg_QT_RemoveFavorits::removeItems);
    connect(ListFavorits->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Dlg_QT_RemoveFavorits::onSelectionChanged);
}

Dlg_QT_RemoveFavorits::~Dlg_QT_RemoveFavorits() = default;

void Dlg_QT_RemoveFavorits::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    ListFavorits->clear();
    ListFavorits->addItems(m_names);
    onSelectionChanged();
}

void Dlg_QT_RemoveFavorits::onSelectionChanged()
{
    BtnRemove->setEnabled(!ListFavorits->selectedItems().isEmpty());
}

void Dlg_QT_RemoveFavorits::removeItems()
{
    const QList<QListWidgetItem*> selected = ListFavorits->selectedItems();
    if (selected.isEmpty()) {
        QMessageBox::information(this, tr("Remove favorites"), tr("Select items for remove."), QMessageBox::Ok);
        return;
    }
    CFavouritesStore store(m_group);
    for (const QListWidgetItem* item : selected) {
        m_removed << item->text();
        store.removeFavourite(item->text());
    }
    qDeleteAll(selected);
    ListFavorits->clearSelection();
    onSelectionChanged();
}

void Dlg_QT_RemoveFavorits::showHelp()
{
    m_state->showHelp(QStringLiteral("removefavorits"));
}

void Dlg_QT_RemoveFavorits::Help()
{
    showHelp();
}
