#pragma once

#include "ui_Dlg_QT_RedefinePaths.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;
class QTableWidgetItem;

// Path redefinition: lists the files a drawing refers to ("type^name^path" records from the
// LISP side), filtered by type and by a pattern on the path, lets the user edit the paths
// by find and replace, and hands every listed record back.
class Dlg_QT_RedefinePaths : public CKvDialog, public Ui::Dlg_QT_RedefinePaths
{
    Q_OBJECT
public:
    explicit Dlg_QT_RedefinePaths(QWidget* parent = nullptr);
    ~Dlg_QT_RedefinePaths() override;

    CDialogState* dialogState() const { return m_state.get(); }
    void setRecords(const QStringList& records) { m_records = records; }
    // The records of this call; after OK, those the table listed, as edited.
    QStringList records() const { return m_records; }

public slots:
    virtual void Help();
    void ClickHeaderTable(int column);
    void Select();
    void ReadSelected();
    void replace();
    void SelectChanged();
    void fillTable();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void pathEdited(QTableWidgetItem* item);

    QStringList m_records;
    // Set while Select changes the selection of every row at once.
    bool m_bulkSelection = false;
    std::unique_ptr<CDialogState> m_state;
};
