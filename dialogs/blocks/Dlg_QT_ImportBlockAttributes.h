#pragma once

#include "ui_Dlg_QT_ImportBlockAttributes.h"
#include "widgets/KvDialog.h"

#include <QHash>
#include <QString>
#include <memory>

class CDialogState;

// Block attribute import: shows a tab-separated attribute file as a table, lets the user
// edit cells by find and replace and pick rows, and hands the titles and the picked rows (in
// the order they were picked) to the LISP side as the action.
class Dlg_QT_ImportBlockAttributes : public CKvDialog, public Ui::Dlg_QT_ImportBlockAttributes
{
    Q_OBJECT
public:
    explicit Dlg_QT_ImportBlockAttributes(QWidget* parent = nullptr);
    ~Dlg_QT_ImportBlockAttributes() override;

    CDialogState* dialogState() const { return m_state.get(); }
    QString lastValidPath() const { return m_lastValidPath; }

public slots:
    void SelectFileAtt();
    void ClickHeaderTable(int column);
    void Select();
    void ReadSelected();
    void replace();
    void SelectChanged();
    void fillAttributes();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The file check on the path field; on failure the field gets the last valid path back.
    bool checkPath(bool showMessages);
    // Search group, OK and "Select all" as the selection stands.
    void updateSelectionControls();
    QString title() const;
    // Numbers the rows as they are picked, so that sorting the table keeps the picking order.
    void trackPicks(const QItemSelection& selected, const QItemSelection& deselected);

    QString m_lastValidPath;
    // Set while the dialog changes the selection itself.
    bool m_busy = false;
    std::unique_ptr<CDialogState> m_state;
    // Picked rows by their first cell (which moves with its row when the table is sorted) and
    // the number of the pick. Cleared with the rows.
    QHash<const QTableWidgetItem*, quint64> m_picks;
    quint64 m_pickCount = 0;
};
