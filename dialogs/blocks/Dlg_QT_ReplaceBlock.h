#pragma once

#include "dialogs/blocks/BlockReplacementDialog.h"
#include "ui_Dlg_QT_ReplaceBlock.h"

#include <QHash>

// The block replacement tool: the user chooses blocks of the drawing to be replaced (in
// the list or by picking them in the drawing) and the block that replaces them; the LISP
// side does the replacing with the choice it finds in the state file.
class Dlg_QT_ReplaceBlock : public BlockReplacementDialog, public Ui::Dlg_QT_ReplaceBlock
{
    Q_OBJECT
public:
    explicit Dlg_QT_ReplaceBlock(QWidget* parent = nullptr);
    ~Dlg_QT_ReplaceBlock() override;

    // The blocks of this call, "name^count" each (count: the block's attributes).
    void setCandidates(const QStringList& entries);

public slots:
    void blockSelectRep();
    void closeDialog();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;
    void fillTableRep() override;

private:
    QHash<QString, int> m_attributeCounts; // the last count given for a name
};
