#pragma once

#include "dialogs/lisp/LispSourceParser.h"
#include "dialogs/lisp/LispSymbolFile.h"
#include "ui_Dlg_QT_LispExplorer.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class Highlighter;
class QListWidgetItem;

// The LISP explorer: browses the LISP files of a folder function by function, loads a file
// into the document's LISP engine, and lists the symbols the LISP side reported as defined.
class Dlg_QT_LispExplorer : public CKvDialog, public Ui::Dlg_QT_LispExplorer
{
    Q_OBJECT
public:
    explicit Dlg_QT_LispExplorer(QWidget* parent = nullptr);
    ~Dlg_QT_LispExplorer() override;

    CDialogState* dialogState() const { return m_state.get(); }

    // Replaces the symbol lists with the file's lines. An unreadable file is reported in an
    // "Error loading database" box and the old lists stay. False when it was unreadable.
    bool readSymbolFile(const QString& path);
    const LispSymbolLists& symbols() const { return m_symbols; }
    const QVector<LispFunctionRecord>& functionRecords() const { return m_records; }
    QString currentFolder() const { return m_folder; }

public slots:
    void Selectdirectory();
    void Loaddirectory();
    void Openfile(QListWidgetItem* item);
    void OpenfileFromInt(int row);
    void OnFunctionSelected(int row);
    void updateFunctionView();
    void OnSearchTyped();
    void OnSearchClicked();
    void LoadInQuor();
    void changeType();
    void changeQuor();
    void fillQuorTabs();
    void ClickHeaderTable(int column);
    void lispDump();
    void showHelp();
    void Help();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillFileList();
    void clearFunctionList();
    void showFunctionText();
    void updateSearchControls();
    void fillTable(const QStringList& lines);

    QString m_folder;
    QVector<LispFunctionRecord> m_records;
    LispSymbolLists m_symbols;
    Highlighter* m_highlighter = nullptr; // owned by the editor's document
    std::unique_ptr<CDialogState> m_state;
};
