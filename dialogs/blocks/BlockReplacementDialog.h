#pragma once

#include "exchange/TableFiller.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;
class QAbstractButton;
class QLabel;
class QTableWidget;

// What the two block replacement dialogs share: the blocks to replace on the left (sorted
// by their own header clicks, previewed when one is selected, picked in the drawing with
// GETBLOCKS), a replacing side on the right with its own sort order, and the stored values
// applied again when the LISP side comes back from picking.
class BlockReplacementDialog : public CKvDialog
{
    Q_OBJECT
public:
    ~BlockReplacementDialog() override;

    CDialogState* dialogState() const { return m_state.get(); }
    QStringList blockNames() const { return m_names; }
    const TableSortState& sortState() const { return m_sort; }
    const TableSortState& sortStateRep() const { return m_sortRep; }

public slots:
    void ClickHeaderTable(int column);
    void ClickHeaderTableRep(int column);
    void blockSelect();
    void selectblocks();

protected:
    explicit BlockReplacementDialog(QWidget* parent);
    // Called by the dialog once its form is built: the two lists with their column header,
    // the preview of the blocks to replace, and the buttons connected here (pick in the
    // drawing, close).
    void setUpLists(QTableWidget* replaced, QTableWidget* replacing, const QString& header, QLabel* preview,
                    QAbstractButton* pick, QAbstractButton* close);
    // Fills the list of blocks to replace in its order; no row is selected.
    void fillTable();
    // Fills the replacing side in its own order.
    virtual void fillTableRep() = 0;

    QStringList m_names;
    TableSortState m_sort;
    TableSortState m_sortRep;
    std::unique_ptr<CDialogState> m_state;

private:
    QTableWidget* m_replaced = nullptr;
    QString m_header;
    QLabel* m_preview = nullptr;
};
