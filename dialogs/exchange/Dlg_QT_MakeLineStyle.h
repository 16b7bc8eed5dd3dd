#pragma once

#include "ui_Dlg_QT_MakeLineStyle.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class ElidedPathField;

// Line style maker: collects the .lin file, the name and the description of a new line
// style for the LISP side to write, listing the styles the file holds and asking before one
// of them is replaced.
class Dlg_QT_MakeLineStyle : public CKvDialog, public Ui::Dlg_QT_MakeLineStyle
{
    Q_OBJECT
public:
    explicit Dlg_QT_MakeLineStyle(QWidget* parent = nullptr);
    ~Dlg_QT_MakeLineStyle() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The full path of the line style file.
    QString filePath() const;
    // The names of the line styles the listed file holds.
    QStringList styleNames() const { return m_names; }

public slots:
    virtual void Help();
    void SelectLinetypeFile();
    void CheckName();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillTable();

    std::unique_ptr<CDialogState> m_state;
    QStringList m_names;
    QString m_listedPath;
    ElidedPathField* m_pathField;
};
