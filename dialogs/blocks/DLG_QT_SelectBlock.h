#pragma once

#include "ui_DLG_QT_SelectBlock.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class QModelIndex;

// Lists the active drawing's named blocks and lets the user take one name.
class DLG_QT_SelectBlock : public CKvDialog, public Ui::DLG_QT_SelectBlock
{
    Q_OBJECT
public:
    explicit DLG_QT_SelectBlock(QWidget* parent = nullptr);
    ~DLG_QT_SelectBlock() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The picker's result once it was accepted.
    QString blockName() const;

public slots:
    void setBlockName(const QModelIndex& index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<CDialogState> m_state;
};
