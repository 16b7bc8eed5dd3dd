#pragma once

#include "dialogs/exchange/SettingsScript.h"
#include "ui_Dlg_QT_ExportSettings.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// Settings export: shows the system variable settings the LISP side prepared, coloured by
// kind and filtered by kind, and writes the shown lines to a new script or appends them to
// an existing one.
class Dlg_QT_ExportSettings : public CKvDialog, public Ui::Dlg_QT_ExportSettings
{
    Q_OBJECT
public:
    explicit Dlg_QT_ExportSettings(QWidget* parent = nullptr);
    ~Dlg_QT_ExportSettings() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The settings file and the mode ("add" appends to a script, anything else writes one).
    void setArguments(const QString& settingsFile, const QString& mode);
    QString settingsFile() const { return m_settingsFile; }
    QString mode() const { return m_mode; }
    // The lines the current filter shows, as the script gets them.
    QStringList shownLines() const;

public slots:
    virtual void Help();
    void ClickInFileButton();
    void showVariables(int index);
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool appending() const;

    QString m_settingsFile;
    QString m_mode;
    SettingsScript m_script;
    std::unique_ptr<CDialogState> m_state;
};
