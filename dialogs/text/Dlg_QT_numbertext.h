#pragma once

#include "ui_Dlg_QT_numbertext.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// Options of the text numbering tool: sort order, counter, number format and where the
// number goes. The LISP side numbers the texts; the choice travels in the state file.
class Dlg_QT_numbertext : public CKvDialog, public Ui::Dlg_QT_numbertext
{
    Q_OBJECT
public:
    explicit Dlg_QT_numbertext(QWidget* parent = nullptr);
    ~Dlg_QT_numbertext() override;

    CDialogState* dialogState() const { return m_state.get(); }

public slots:
    // Shows the page of the placement chosen: the find field only for "Replace".
    void RefreshPages();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<CDialogState> m_state;
};
