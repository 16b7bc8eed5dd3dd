#include "dialogs/drawing/Dlg_QT_ShowLinks.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/LispHandlers.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QShowEvent>

#include <algorithm>

namespace {
enum Column { IdColumn = 0, UrlColumn = 1, TypeColumn = 2, SpaceColumn = 3, ColumnCount = 4 };
constexpr int ColumnWidth = 160;

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

QTableWidgetItem* cell(const QString& text, bool editable)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

void warning(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
} // namespace

Dlg_QT_ShowLinks::Dlg_QT_ShowLinks(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    setWindowModality(Qt::ApplicationModal);

    connect(btnReplace, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::replace);
    connect(btnShowUrl, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::showUrl);
    connect(btnRemoveUrl, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::removeSelected);
    connect(tableUrl, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ShowLinks::SelectChanged);
    connect(btnClose, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::CloseDialog);
    connect(btnShowEntity, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::showEntity);
    connect(btnHelp, &QPushButton::clicked, this, &Dlg_QT_ShowLinks::showHelp);
    connect(tableUrl->horizontalHeader(), &QHeaderView::sectionClicked, this, &Dlg_QT_ShowLinks::sortByColumn);
    // The URL column takes the width the others leave: its lines wrap anew when that changes.
    // Refitted once the resizing is over: rows growing bring the scroll bar, which narrows the
    // column again while the header is still busy and tells no one.
    connect(tableUrl->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column != UrlColumn || m_refitPending)
            return;
        m_refitPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_refitPending = false;
                fitRows();
            },
            Qt::QueuedConnection);
    });
}

Dlg_QT_ShowLinks::~Dlg_QT_ShowLinks() = default;

void Dlg_QT_ShowLinks::Help()
{
    m_state->showHelp(QStringLiteral("showlinks"));
}

void Dlg_QT_ShowLinks::showHelp()
{
    Help();
}

void Dlg_QT_ShowLinks::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    // Coming back from showing an entity, the table stays as the user left it, and so do the
    // links removed so far: Close writes their REMOVE lines then.
    if (m_state->stateValue(QStringLiteral("!action!")) != QLatin1String("RETURN")) {
        m_removed.clear();
        rebuildTable(KvLinksFile::read(m_linksFile));
    }
    // After the rows exist: the stored selection names them by their identifiers.
    if (!m_state->applied())
        m_state->applyState();
    m_state->setAction(QStringLiteral("CANCEL"));
    SelectChanged();
}

void Dlg_QT_ShowLinks::rebuildTable(const QVector<KvLinksFile::Link>& links)
{
    QTableWidget* table = tableUrl;
    table->setUpdatesEnabled(false);
    table->clear();
    table->setRowCount(0);
    table->setWordWrap(true);
    table->verticalHeader()->hide();
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels(tr(";URL Name;Entity Type;Space").split(QLatin1Char(';')));
    QHeaderView* header = table->horizontalHeader();
    for (int c = 0; c < ColumnCount; ++c) {
        header->setSectionResizeMode(c, c == UrlColumn ? QHeaderView::Stretch : QHeaderView::Fixed);
        if (c != UrlColumn)
            header->resizeSection(c, c == IdColumn ? 0 : ColumnWidth);
    }
    // The identifier travels with its row but is nothing the user reads.
    table->setColumnHidden(IdColumn, true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Rows keep the file's order until a header is clicked.
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    m_sortColumn = -1;

    table->setRowCount(links.size());
    for (int r = 0; r < links.size(); ++r) {
        const KvLinksFile::Link& link = links.at(r);
        table->setItem(r, IdColumn, cell(link.id, false));
        table->setItem(r, UrlColumn, cell(link.url, true));
        table->setItem(r, TypeColumn, cell(link.type, false));
        table->setItem(r, SpaceColumn, cell(link.space, false));
    }
    table->setUpdatesEnabled(true);
    fitRows();
}

// Long URLs wrap; each row is as high as its lines, so none is cut short.
void Dlg_QT_ShowLinks::fitRows()
{
    tableUrl->resizeRowsToContents();
}

void Dlg_QT_ShowLinks::sortByColumn(int column)
{
    if (column < 0 || column >= tableUrl->columnCount())
        return;
    m_sortOrder = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder;
    m_sortColumn = column;
    tableUrl->sortItems(column, m_sortOrder);
    QHeaderView* header = tableUrl->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, m_sortOrder);
}

QVector<KvLinksFile::Link> Dlg_QT_ShowLinks::rowLinks(const QList<int>& rows) const
{
    QVector<KvLinksFile::Link> out;
    out.reserve(rows.size());
    for (const int r : rows)
        out.append({cellText(tableUrl, r, IdColumn), cellText(tableUrl, r, UrlColumn),
                    cellText(tableUrl, r, TypeColumn), cellText(tableUrl, r, SpaceColumn)});
    return out;
}

QVector<KvLinksFile::Link> Dlg_QT_ShowLinks::links() const
{
    QList<int> rows;
    for (int r = 0; r < tableUrl->rowCount(); ++r)
        rows.append(r);
    return rowLinks(rows);
}

QList<int> Dlg_QT_ShowLinks::selectedRowsInOrder() const
{
    QList<int> rows = KvTable::selectedRows(tableUrl);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Dlg_QT_ShowLinks::SelectChanged()
{
    const bool any = tableUrl->selectionModel() && tableUrl->selectionModel()->hasSelection();
    btnShowUrl->setEnabled(any);
    btnRemoveUrl->setEnabled(any);
    btnShowEntity->setEnabled(any);
}

void Dlg_QT_ShowLinks::replace()
{
    const QList<int> rows = selectedRowsInOrder();
    if (rows.isEmpty()) {
        kvInformation(this, tr("Replace text"), tr("Select the rows of table for searching."));
        return;
    }
    QList<QTableWidgetItem*> cells;
    for (const int r : rows)
        cells.append(tableUrl->item(r, UrlColumn));
    if (KvTable::replaceInCells(cells, m_state->storedFullText(txsearch, txsearch->text()),
                                m_state->storedFullText(txreplace, txreplace->text()), Qt::CaseSensitive))
        fitRows();
}

QUrl Dlg_QT_ShowLinks::resolveUrl(const QString& text)
{
    QUrl url;
    if (!text.isEmpty() && QFileInfo::exists(text))
        url = QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
    else if (text.startsWith(QLatin1String("www")))
        url = QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    else
        url = QUrl(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    const bool allowed = scheme == QLatin1String("http") || scheme == QLatin1String("https")
                         || scheme == QLatin1String("ftp") || scheme == QLatin1String("mailto")
                         || scheme == QLatin1String("file");
    return url.isValid() && allowed ? url : QUrl();
}

void Dlg_QT_ShowLinks::showUrl()
{
    const QList<int> rows = selectedRowsInOrder();
    if (rows.size() != 1) {
        warning(this, tr("Select one row of table for show."));
        return;
    }
    const QUrl url = resolveUrl(cellText(tableUrl, rows.first(), UrlColumn));
    if (url.isEmpty() || !QDesktopServices::openUrl(url))
        warning(this, tr("Unable to display the link."));
}

void Dlg_QT_ShowLinks::removeSelected()
{
    QList<int> rows = KvTable::selectedRows(tableUrl);
    if (rows.isEmpty()) {
        kvInformation(this, tr("Information"), tr("The are no items selected."));
        return;
    }
    QMessageBox ask(QMessageBox::Warning, tr("Warning"), tr("Remove urls for selected items?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Ok);
    if (ask.exec() != QMessageBox::Ok)
        return;
    for (const int r : qAsConst(rows))
        m_removed.append(cellText(tableUrl, r, IdColumn));
    // From the bottom up, so that the rows still to go keep their numbers.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (const int r : qAsConst(rows))
        tableUrl->removeRow(r);
}

bool Dlg_QT_ShowLinks::writeLinks(const QVector<KvLinksFile::Link>& rows, const QStringList& removed)
{
    // Without a links file there is nothing to hand back, and nothing to lose.
    if (m_linksFile.isEmpty())
        return true;
    QString error;
    if (KvLinksFile::write(m_linksFile, rows, removed, &error))
        return true;
    kvInformation(this, windowTitle(), tr("The links were not saved.\n%1").arg(error));
    return false;
}

void Dlg_QT_ShowLinks::CloseDialog()
{
    if (!writeLinks(links(), m_removed))
        return;
    m_state->setAction(QStringLiteral("OK"));
    accept();
}

void Dlg_QT_ShowLinks::showEntity()
{
    const QList<int> rows = selectedRowsInOrder();
    // Nothing to show: the user stays in the list and the LISP side keeps its file.
    if (rows.isEmpty()) {
        kvInformation(this, tr("Information"), tr("The are no items selected."));
        return;
    }
    if (!writeLinks(rowLinks(rows), QStringList()))
        return;
    m_state->setAction(QStringLiteral("SHOWENTITY"));
    accept();
}

int kvlisp::Dlg_ShowLinks()
{
    DialogCallOptions options;
    options.saveAlways = true;
    return runDialogFunction<Dlg_QT_ShowLinks>(
        DialogSlot::ShowLinks,
        [](Dlg_QT_ShowLinks& dialog, LispArgs& args) {
            // Without a new path the links file of the last call stays.
            CKvString path;
            if (args.nextString(path) == LispArgs::Ok)
                dialog.setLinksFile(path);
        },
        options);
}
