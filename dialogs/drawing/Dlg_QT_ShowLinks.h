#pragma once

#include "dialogs/drawing/LinksFile.h"
#include "ui_Dlg_QT_ShowLinks.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <QUrl>
#include <memory>

class CDialogState;

// The hyperlink list: the links of the drawing's entities, one row each, edited by find and
// replace, opened, removed, or handed back so that the LISP side shows an entity and calls
// again ("RETURN") to carry on where the user was.
class Dlg_QT_ShowLinks : public CKvDialog, public Ui::Dlg_QT_ShowLinks
{
    Q_OBJECT
public:
    explicit Dlg_QT_ShowLinks(QWidget* parent = nullptr);
    ~Dlg_QT_ShowLinks() override;

    CDialogState* dialogState() const { return m_state.get(); }
    void setLinksFile(const QString& path) { m_linksFile = path; }
    QString linksFile() const { return m_linksFile; }
    // The rows as shown, in the order shown.
    QVector<KvLinksFile::Link> links() const;
    // The identifiers removed since the table was last built from the file.
    QStringList removedIds() const { return m_removed; }

    // What a link text opens: an existing file as a file URL, "www…" over http, anything
    // else as typed. Invalid when the text names nothing the desktop should be given: only
    // http, https, ftp, mailto and local files are opened from a drawing.
    static QUrl resolveUrl(const QString& text);

public slots:
    virtual void Help();
    void replace();
    void showUrl();
    void removeSelected();
    void SelectChanged();
    void CloseDialog();
    void showEntity();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void rebuildTable(const QVector<KvLinksFile::Link>& links);
    QVector<KvLinksFile::Link> rowLinks(const QList<int>& rows) const;
    QList<int> selectedRowsInOrder() const;
    bool writeLinks(const QVector<KvLinksFile::Link>& links, const QStringList& removed);
    void sortByColumn(int column);
    void fitRows();

    QString m_linksFile;
    QStringList m_removed;
    bool m_refitPending = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::unique_ptr<CDialogState> m_state;
};
