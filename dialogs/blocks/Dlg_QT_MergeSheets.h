#pragma once

#include "exchange/TableFiller.h"
#include "ui_Dlg_QT_MergeSheets.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;

// Options of the sheet merge tool: the sheets to merge, the target sheet (an existing one
// or a new name) and what happens to the merged sheets.
class Dlg_QT_MergeSheets : public CKvDialog, public Ui::Dlg_QT_MergeSheets
{
    Q_OBJECT
public:
    explicit Dlg_QT_MergeSheets(QWidget* parent = nullptr);
    ~Dlg_QT_MergeSheets() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The sheet names of the current call, in the order LISP sent them.
    void setSheetNames(const QStringList& names) { m_sheetNames = names; }
    QStringList sheetNames() const { return m_sheetNames; }

public slots:
    void ClickHeaderTable(int column);
    void ClickHeaderTableRep(int column);
    // An existing sheet chosen as target gives its name to the name field.
    void blockSelectRep();
    // OK: a sheet to merge and a target name are required.
    void closeDialog();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill(QTableWidget* table);

    QStringList m_sheetNames;
    std::unique_ptr<CDialogState> m_state;
};
