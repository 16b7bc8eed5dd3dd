#include "dialogs/blocks/DLG_QT_SelectBlock.h"

#include "exchange/BlockNames.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogState.h"

#include <QShowEvent>

DLG_QT_SelectBlock::DLG_QT_SelectBlock(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(ListBlocks, &QListWidget::clicked, this, &DLG_QT_SelectBlock::setBlockName);
    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

DLG_QT_SelectBlock::~DLG_QT_SelectBlock() = default;

QString DLG_QT_SelectBlock::blockName() const
{
    return txBlockName->text();
}

// The list is read afresh on every show: the drawing may have changed since.
void DLG_QT_SelectBlock::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    acceptButton->setEnabled(false);
    ListBlocks->clear();
    ListBlocks->addItems(kvOfferedBlockNames());
    txBlockName->clear();
}

void DLG_QT_SelectBlock::setBlockName(const QModelIndex& index)
{
    txBlockName->setText(index.data(Qt::DisplayRole).toString());
    acceptButton->setEnabled(true);
}
