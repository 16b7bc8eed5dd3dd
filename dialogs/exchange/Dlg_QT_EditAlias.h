#pragma once

#include "dialogs/exchange/AliasFile.h"
#include "ui_Dlg_QT_EditAlias.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// The command alias editor: shows the aliases of the host's alias file, lets the user add,
// change, remove and clear them, saves them there, exports them to and imports them from
// other files, and prints them as a list.
class Dlg_QT_EditAlias : public CKvDialog, public Ui::Dlg_QT_EditAlias
{
    Q_OBJECT
public:
    explicit Dlg_QT_EditAlias(QWidget* parent = nullptr);
    ~Dlg_QT_EditAlias() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The file that Save and OK write.
    QString currentAliasFile() const { return m_aliasFile; }
    // The records of the last file read.
    const AliasFile::Records& records() const { return m_records; }
    // The table's rows, top to bottom, as typed.
    AliasFile::Records tableRows() const;
    // The first row other than exceptRow whose alias equals `alias`, letter case ignored; -1
    // when there is none.
    int rowWithAlias(const QString& alias, int exceptRow) const;
    // The printed listing: one line per row, the command padded with dots to one width.
    static QString printedText(const AliasFile::Records& rows);

public slots:
    virtual void Help();
    void AddAlias();
    void delAlias();
    void cleanAlias();
    void saveAlias();
    void exportAlias();
    void importAlias();
    int printAlias();
    void aliasChanged(int row, int column);
    void aliasclick(int row, int column);
    void ClickHeaderTable(int column);
    void showHelp();
    void SelectChanged();
    void CerrarDialogo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Reads the file into the records; shows what went wrong.
    AliasFile::ReadStatus readAliasFile(const QString& path);
    void setupColumns();
    void fillTable();
    bool writeTable(const QString& path);
    void message(int icon, const QString& text);
    bool ask(const QString& text);

    AliasFile::Records m_records;
    QString m_aliasFile;
    QString m_previousAlias;
    bool m_filling = false;
    // The file read on show is there but could not be read, and the table has not been
    // touched since: OK leaves that file for the user to mend instead of replacing it.
    bool m_keepUnreadFile = false;
    std::unique_ptr<CDialogState> m_state;
};
