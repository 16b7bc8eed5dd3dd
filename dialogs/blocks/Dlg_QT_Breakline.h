#pragma once

#include "ui_Dlg_QT_Breakline.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// The break line tool: chooses the drawing that holds the symbol, previews it, sets the
// symbol's size and offset, or starts making a new symbol from entities of the drawing.
class Dlg_QT_Breakline : public CKvDialog, public Ui::Dlg_QT_Breakline
{
    Q_OBJECT
public:
    explicit Dlg_QT_Breakline(QWidget* parent = nullptr);
    ~Dlg_QT_Breakline() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // Where symbol drawings live: <module data folder>/BreakLine.
    QString symbolFolder() const { return m_symbolFolder; }
    // The symbol drawing's path behind the (possibly shortened) file field.
    QString symbolPath();

public slots:
    void Help();
    void CloseAccept();
    void selectBlock();
    void CreateDesing();
    void showHelp();
    void acceptfile();
    void setName();
    void pressEnterforName();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Enables OK when the file field names an existing file; otherwise disables it and
    // blacks out the preview.
    bool checkSymbolFile();

    QString m_symbolFolder;
    std::unique_ptr<CDialogState> m_state;
};
