#pragma once

#include "dialogs/blocks/BlockReplacementDialog.h"
#include "ui_Dlg_QT_ReplaceBlockToXref.h"

// Block replacement by a drawing file: the user chooses blocks of the drawing to be
// replaced and a drawing of a folder that replaces them as an external reference; the LISP
// side does the replacing with the choice it finds in the state file.
class Dlg_QT_ReplaceBlockToXref : public BlockReplacementDialog, public Ui::Dlg_QT_ReplaceBlockToXref
{
    Q_OBJECT
public:
    explicit Dlg_QT_ReplaceBlockToXref(QWidget* parent = nullptr);
    ~Dlg_QT_ReplaceBlockToXref() override;

    // The blocks of this call, "name^count" each; only the names are used.
    void setCandidates(const QStringList& entries);
    // The drawing files the last scan found in the folder.
    QStringList referenceFiles() const { return m_files; }
    // The folder behind the (possibly shortened) folder field.
    QString folder() const;

public slots:
    void blockSelectRep();
    void closeDialog();
    void selectDir();
    void processdir();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;
    void fillTableRep() override;

private:
    // Lists the drawing files of the folder: asked for first with `pick`, else the one in
    // the folder field, checked with messages unless `silent`.
    void scanFolder(bool pick, bool silent);
    // Selects the reference file chosen last time, if the folder still offers it.
    void reselectStoredReference();

    QStringList m_files;
    // The folder m_files were read from: a file name goes to the LISP side only with it.
    QString m_scannedFolder;
};
