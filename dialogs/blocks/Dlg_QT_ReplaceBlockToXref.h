#pragma once

#include "exchange/TableFiller.h"
#include "ui_Dlg_QT_ReplaceBlockToXref.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <memory>

class CDialogState;

// Block replacement by a drawing file: the user chooses blocks of the drawing to be
// replaced and a drawing of a folder that replaces them as an external reference; the LISP
// side does the replacing with the choice it finds in the state file.
class Dlg_QT_ReplaceBlockToXref : public CKvDialog, public Ui::Dlg_QT_ReplaceBlockToXref
{
    Q_OBJECT
public:
    explicit Dlg_QT_ReplaceBlockToXref(QWidget* parent = nullptr);
    ~Dlg_QT_ReplaceBlockToXref() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The blocks of this call, "name^count" each; only the names are used.
    void setCandidates(const QStringList& entries);
    QStringList blockNames() const { return m_names; }
    // The drawing files the last scan found in the folder.
    QStringList referenceFiles() const { return m_files; }
    // The folder behind the (possibly shortened) folder field.
    QString folder() const;

public slots:
    void ClickHeaderTable(int column);
    void ClickHeaderTableRep(int column);
    void blockSelect();
    void blockSelectRep();
    void selectblocks();
    void closeDialog();
    void selectDir();
    void processdir();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillTable();
    void fillTableRep();
    // Lists the drawing files of the folder: asked for first with `pick`, else the one in
    // the folder field, checked with messages unless `silent`.
    void scanFolder(bool pick, bool silent);
    // Selects the reference file chosen last time, if the folder still offers it.
    void reselectStoredReference();

    QStringList m_names;
    QStringList m_files;
    TableSortState m_sort;
    TableSortState m_sortRep;
    std::unique_ptr<CDialogState> m_state;
};
