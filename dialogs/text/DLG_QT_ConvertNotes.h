#pragma once

#include "ui_DLG_QT_ConvertNotes.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// Options of the simple-note conversion: which properties of the single-line texts the
// multi-line text keeps, the order of its lines and word wrapping.
class DLG_QT_ConvertNotes : public CKvDialog, public Ui::DLG_QT_ConvertNotes
{
    Q_OBJECT
public:
    explicit DLG_QT_ConvertNotes(QWidget* parent = nullptr);
    ~DLG_QT_ConvertNotes() override;

    CDialogState* dialogState() const { return m_state.get(); }

public slots:
    void showHelp();

private:
    std::unique_ptr<CDialogState> m_state;
};
