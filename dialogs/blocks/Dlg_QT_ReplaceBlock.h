#pragma once

#include "exchange/TableFiller.h"
#include "ui_Dlg_QT_ReplaceBlock.h"
#include "widgets/KvDialog.h"

#include <QHash>
#include <QStringList>
#include <memory>

class CDialogState;

// The block replacement tool: the user chooses blocks of the drawing to be replaced (in
// the list or by picking them in the drawing) and the block that replaces them; the LISP
// side does the replacing with the choice it finds in the state file.
class Dlg_QT_ReplaceBlock : public CKvDialog, public Ui::Dlg_QT_ReplaceBlock
{
    Q_OBJECT
public:
    explicit Dlg_QT_ReplaceBlock(QWidget* parent = nullptr);
    ~Dlg_QT_ReplaceBlock() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The blocks of this call, "name^count" each (count: the block's attributes).
    void setCandidates(const QStringList& entries);
    QStringList blockNames() const { return m_names; }
    const TableSortState& sortState() const { return m_sort; }
    const TableSortState& sortStateRep() const { return m_sortRep; }

public slots:
    void ClickHeaderTable(int column);
    void ClickHeaderTableRep(int column);
    void blockSelect();
    void blockSelectRep();
    void selectblocks();
    void closeDialog();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillTable();
    void fillTableRep();

    QStringList m_names;
    QHash<QString, int> m_attributeCounts; // the last count given for a name
    TableSortState m_sort;
    TableSortState m_sortRep;
    std::unique_ptr<CDialogState> m_state;
};
