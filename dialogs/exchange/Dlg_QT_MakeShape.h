#pragma once

#include "ui_Dlg_QT_MakeShape.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// Shape maker: collects the .shp file, the name and the resolution of a new shape for the
// LISP side to write, listing the shapes the file holds and asking before one of them is
// replaced.
class Dlg_QT_MakeShape : public CKvDialog, public Ui::Dlg_QT_MakeShape
{
    Q_OBJECT
public:
    explicit Dlg_QT_MakeShape(QWidget* parent = nullptr);
    ~Dlg_QT_MakeShape() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The names of the shapes the listed file holds.
    QStringList shapeNames() const { return m_names; }
public slots:
    virtual void Help();
    void SelectLinetypeFile();
    void CheckName();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillTable();
    // The folder Browse starts in when the field names none: the host's first support folder,
    // asked for once.
    QString defaultFolder();

    std::unique_ptr<CDialogState> m_state;
    QStringList m_names;
    QString m_listedPath;
    QString m_defaultFolder; // null until first needed
};
