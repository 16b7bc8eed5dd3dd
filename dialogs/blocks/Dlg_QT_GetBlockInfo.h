#pragma once

#include "exchange/TableFiller.h"
#include "ui_Dlg_QT_GetBlockInfo.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;

// The block information tool: lists the blocks of the drawing with their number of
// insertions (nested ones on request), exports the list to a text file, or asks the LISP
// side for a table in the drawing.
class Dlg_QT_GetBlockInfo : public CKvDialog, public Ui::Dlg_QT_GetBlockInfo
{
    Q_OBJECT
public:
    explicit Dlg_QT_GetBlockInfo(QWidget* parent = nullptr);
    ~Dlg_QT_GetBlockInfo() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The rows of this call, "name;count" each: the top-level blocks and the nested ones.
    void setRows(const QStringList& topLevel, const QStringList& nested);
    // The rows shown, in the order shown, as "name^count".
    QStringList shownRows() const;
    const TableSortState& sortState() const { return m_sort; }

public slots:
    void ClickHeaderTable(int column);
    void fillTable();
    void exportToTable();
    void ClickInFileButton();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QVector<QPair<QString, QString>> shownNamesAndCounts() const;

    QStringList m_topLevel;
    QStringList m_nested;
    TableSortState m_sort;
    std::unique_ptr<CDialogState> m_state;
};
