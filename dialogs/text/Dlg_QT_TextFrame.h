#pragma once

#include "ui_Dlg_QT_TextFrame.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class CKvQtColorComboBox;

// Options of the text frame tool: the frame's shape, its offset, whether its size is
// constant or follows each text, and a transparent or hatched background.
class Dlg_QT_TextFrame : public CKvDialog, public Ui::Dlg_QT_TextFrame
{
    Q_OBJECT
public:
    explicit Dlg_QT_TextFrame(QWidget* parent = nullptr);
    ~Dlg_QT_TextFrame() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The hatch colour (object name "color").
    CKvQtColorComboBox* color = nullptr;

public slots:
    void updateDialog();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<CDialogState> m_state;
};
