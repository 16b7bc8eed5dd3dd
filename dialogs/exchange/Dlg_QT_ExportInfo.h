#pragma once

#include "dialogs/exchange/SupportReport.h"
#include "ui_Dlg_QT_ExportInfo.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// Support information export: the user describes a problem next to the system information
// the LISP side gathered, and everything goes into one plain-text report file.
class Dlg_QT_ExportInfo : public CKvDialog, public Ui::Dlg_QT_ExportInfo
{
    Q_OBJECT
public:
    explicit Dlg_QT_ExportInfo(QWidget* parent = nullptr);
    ~Dlg_QT_ExportInfo() override;

    CDialogState* dialogState() const { return m_state.get(); }
    void setSystemInfoFile(const QString& path) { m_infoFile = path; }
    QString systemInfoFile() const { return m_infoFile; }
    // The report file chosen on OK (empty when the choice was cancelled).
    QString reportFile() const { return m_reportFile; }
    // Whether the report of the last OK really reached its file.
    bool reportWritten() const { return m_written; }
    // What the report holds, from the controls.
    KvSupportReport::Fields fields() const;

public slots:
    virtual void Help();
    void showHelp();
    void clickOK();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_infoFile;
    QString m_reportFile;
    bool m_written = false;
    std::unique_ptr<CDialogState> m_state;
};
