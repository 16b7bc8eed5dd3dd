#pragma once

#include "ui_Dlg_QT_MultiViewSetup.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// The multiview setup dialog: title blocks for paper space, arrays of viewports, their
// alignment and scale, or a title block in model space for a unit system and scale. Every
// action button only records its action and closes; the LISP side does the drawing work.
class Dlg_QT_MultiViewSetup : public CKvDialog, public Ui::Dlg_QT_MultiViewSetup
{
    Q_OBJECT
public:
    enum Units { NoUnits, Scientific, Decimal, Engineering, Architectural, Metric };

    explicit Dlg_QT_MultiViewSetup(QWidget* parent = nullptr);
    ~Dlg_QT_MultiViewSetup() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // <user folder>/Template, as found when the dialog was last shown.
    QString templateFolder() const { return m_templateFolder; }
    Units checkedUnits() const;

    // The scales offered for a unit system, each "label|factor".
    static QStringList scaleEntries(Units units);
    // A title block drawing: a name of two parts around one "." whose second part is DWG or
    // DXF in any case.
    static bool isTitleBlockFileName(const QString& name);

public slots:
    void UpdateDialog();
    void selDirect();
    void _insertTitle();
    void _createViewports();
    void _alingViewports();
    void _scaleViewports();
    void _insertMSTitle();
    void ShowCurScale();
    void SelectChanged();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listTitleBlocks(bool askFolder, bool silent);
    void fillScales();
    void closeWith(const QString& action);
    void setDirectory(const QString& folder);
    // The rows the state lines select in a table.
    QStringList stateSelection(const QTableWidget* table) const;

    QString m_templateFolder;
    // What the two lists were last filled from: a refill from the same source keeps the
    // rows the user selected.
    QString m_listedFolder;
    Units m_listedUnits = NoUnits;
    bool m_blocksListed = false;
    bool m_scalesListed = false;
    std::unique_ptr<CDialogState> m_state;
};
