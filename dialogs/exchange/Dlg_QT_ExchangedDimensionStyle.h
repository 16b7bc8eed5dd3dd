#pragma once

#include "dialogs/exchange/DimStyleFile.h"
#include "ui_Dlg_QT_ExchangedDimensionStyle.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class SelectionOrder;

// Dimension style export: lists the styles of the source style file the LISP side wrote,
// shows a style's variables and copies the chosen styles' blocks into a .dim file.
class Dlg_QT_ExchangedDimensionStyle : public CKvDialog, public Ui::Dlg_QT_ExchangedDimensionStyle
{
    Q_OBJECT
public:
    explicit Dlg_QT_ExchangedDimensionStyle(QWidget* parent = nullptr);
    ~Dlg_QT_ExchangedDimensionStyle() override;

    CDialogState* dialogState() const { return m_state.get(); }
    QString sourcePath() const { return m_sourcePath; }
    QStringList styleNames() const { return m_source.styleNames(); }
    // The selected styles, in the order they were selected.
    QStringList selectedStyles() const;

public slots:
    virtual void Help();
    void styleSelect();
    void SelectExportFile();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The file to export to, ".dim" added; empty when the user gave none.
    QString askExportPath();

    std::unique_ptr<CDialogState> m_state;
    QString m_sourcePath;
    DimStyleFile m_source;
    SelectionOrder* m_selectionOrder;
};
