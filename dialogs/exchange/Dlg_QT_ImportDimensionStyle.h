#pragma once

#include "dialogs/exchange/DimStyleFile.h"
#include "ui_Dlg_QT_ImportDimensionStyle.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class ElidedPathField;
class SelectionOrder;

// Dimension style import: lists the styles of a .dim file, shows a style's variables, tells
// whether a style or its text style exists in the drawing already, and lets the user choose
// the styles and which existing ones may be overwritten. The LISP side imports them.
class Dlg_QT_ImportDimensionStyle : public CKvDialog, public Ui::Dlg_QT_ImportDimensionStyle
{
    Q_OBJECT
public:
    explicit Dlg_QT_ImportDimensionStyle(QWidget* parent = nullptr);
    ~Dlg_QT_ImportDimensionStyle() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The file the styles are listed from (chosen with Browse, typed, or from the state).
    QString chosenPath() const { return m_chosenPath; }
    QStringList styleNames() const { return m_file.styleNames(); }
    // The selected styles, in the order they were selected.
    QStringList selectedStyles() const;

public slots:
    virtual void Help();
    void styleSelect();
    void SelectExportFile();
    void showHelp();
    void acceptDialog();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listStyles(const QString& path);
    // The names the state gives under prefix1, prefix2 ... for the count under countKey.
    QStringList namesInDrawing(const QString& countKey, const QString& prefix) const;

    std::unique_ptr<CDialogState> m_state;
    QString m_chosenPath;
    DimStyleFile m_file;
    ElidedPathField* m_pathField;
    SelectionOrder* m_selectionOrder;
};
