#include "dialogs/exchange/Dlg_QT_EditAlias.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPersistentModelIndex>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTextDocument>

namespace {
constexpr int CommandColumn = 0;
constexpr int AliasColumn = 1;
constexpr int AliasColumnWidth = 100;
// An alias cell keeps here the text it had before the edit under way, to go back to when
// the new text is refused.
constexpr int PreviousTextRole = Qt::UserRole + 1;

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// The page of the printed listing: the printer's paper in millimetres, one unit of the
// document being one millimetre on paper.
QSizeF pageInMillimetres(const QPrinter& printer)
{
    return printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
}
} // namespace

Dlg_QT_EditAlias::Dlg_QT_EditAlias(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    // The LISP side gets the file the aliases went to.
    CDialogState::setSavesValue(txAlias);
    // Columns laid out as a fill lays them out, for a table that no file has filled yet.
    setupColumns();
    // One height for all rows, set once: rows sized one by one make long lists slow.
    lstAlias->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstAlias->verticalHeader()->setDefaultSectionSize(KvTable::RowHeight + 4);
    lstAlias->horizontalHeader()->setSortIndicatorShown(true);
    lstAlias->horizontalHeader()->setSectionsClickable(true);

    connect(btnAdd, &QToolButton::clicked, this, &Dlg_QT_EditAlias::AddAlias);
    connect(btnDel, &QToolButton::clicked, this, &Dlg_QT_EditAlias::delAlias);
    connect(btnClean, &QToolButton::clicked, this, &Dlg_QT_EditAlias::cleanAlias);
    connect(btnSave, &QToolButton::clicked, this, &Dlg_QT_EditAlias::saveAlias);
    connect(btnExport, &QToolButton::clicked, this, &Dlg_QT_EditAlias::exportAlias);
    connect(btnImport, &QToolButton::clicked, this, &Dlg_QT_EditAlias::importAlias);
    connect(btnPrint, &QToolButton::clicked, this, &Dlg_QT_EditAlias::printAlias);
    connect(lstAlias, &QTableWidget::cellChanged, this, &Dlg_QT_EditAlias::aliasChanged);
    connect(lstAlias, &QTableWidget::cellClicked, this, &Dlg_QT_EditAlias::aliasclick);
    connect(lstAlias->horizontalHeader(), &QHeaderView::sectionClicked, this, &Dlg_QT_EditAlias::ClickHeaderTable);
    connect(lstAlias, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_EditAlias::SelectChanged);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_EditAlias::showHelp);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_EditAlias::CerrarDialogo);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_EditAlias::~Dlg_QT_EditAlias() = default;

void Dlg_QT_EditAlias::Help()
{
    m_state->showHelp(QStringLiteral("editalias"));
}

void Dlg_QT_EditAlias::showHelp()
{
    Help();
}

void Dlg_QT_EditAlias::SelectChanged() {}

// The controls are not filled from the state lines: the table comes from the alias file.
void Dlg_QT_EditAlias::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps the edits under way.
    if (event->spontaneous())
        return;
    m_aliasFile = HostServices::joinPath(HostServices::aliasFolder(), QStringLiteral("alias.xml"));
    CDialogState::showElided(txAlias, m_aliasFile);
    const AliasFile::ReadStatus status = readAliasFile(m_aliasFile);
    // A file that is there but could not be read stays for the user to mend: until the
    // table is touched, OK leaves it instead of replacing it by the rows on show.
    m_keepUnreadFile = status == AliasFile::ReadStatus::Malformed
        || (status == AliasFile::ReadStatus::Unreadable && QFileInfo(m_aliasFile).isFile());
    if (status == AliasFile::ReadStatus::Ok)
        fillTable();
    setFixedSize(size());
}

void Dlg_QT_EditAlias::message(int icon, const QString& text)
{
    QMessageBox box(QMessageBox::Icon(icon), QString(), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool Dlg_QT_EditAlias::ask(const QString& text)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

AliasFile::ReadStatus Dlg_QT_EditAlias::readAliasFile(const QString& path)
{
    AliasFile::ReadResult result = AliasFile::read(path);
    m_records = std::move(result.records);
    switch (result.status) {
    case AliasFile::ReadStatus::Ok:
        break;
    case AliasFile::ReadStatus::Unreadable:
        message(QMessageBox::Critical, tr("Error reading alias file."));
        break;
    case AliasFile::ReadStatus::Malformed:
        message(QMessageBox::Critical, result.error);
        break;
    }
    return result.status;
}

void Dlg_QT_EditAlias::setupColumns()
{
    lstAlias->verticalHeader()->hide();
    lstAlias->setColumnCount(2);
    QHeaderView* header = lstAlias->horizontalHeader();
    header->resizeSection(AliasColumn, AliasColumnWidth);
    header->setSectionResizeMode(CommandColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(AliasColumn, QHeaderView::Stretch);
    lstAlias->setHorizontalHeaderLabels(tr("Command;Alias").split(QLatin1Char(';')));
}

void Dlg_QT_EditAlias::fillTable()
{
    QScopedValueRollback<bool> filling(m_filling, true);
    lstAlias->clearContents();
    lstAlias->setRowCount(0);
    setupColumns();

    const bool updates = lstAlias->updatesEnabled();
    lstAlias->setUpdatesEnabled(false);
    lstAlias->setRowCount(m_records.size());
    for (int r = 0; r < m_records.size(); ++r) {
        const AliasFile::Record& record = m_records.at(r);
        auto* command = new QTableWidgetItem(record.command);
        command->setData(Qt::WhatsThisRole, QString(record.command).remove(QLatin1Char('_')));
        auto* alias = new QTableWidgetItem(record.alias);
        alias->setData(PreviousTextRole, record.alias);
        lstAlias->setItem(r, CommandColumn, command);
        lstAlias->setItem(r, AliasColumn, alias);
    }
    lstAlias->setUpdatesEnabled(updates);
}

AliasFile::Records Dlg_QT_EditAlias::tableRows() const
{
    AliasFile::Records rows;
    rows.reserve(lstAlias->rowCount());
    for (int r = 0; r < lstAlias->rowCount(); ++r)
        rows.append({cellText(lstAlias, r, CommandColumn), cellText(lstAlias, r, AliasColumn)});
    return rows;
}

int Dlg_QT_EditAlias::rowWithAlias(const QString& alias, int exceptRow) const
{
    for (int r = 0; r < lstAlias->rowCount(); ++r)
        if (r != exceptRow && cellText(lstAlias, r, AliasColumn).compare(alias, Qt::CaseInsensitive) == 0)
            return r;
    return -1;
}

bool Dlg_QT_EditAlias::writeTable(const QString& path)
{
    return AliasFile::write(path, tableRows());
}

void Dlg_QT_EditAlias::AddAlias()
{
    m_keepUnreadFile = false;
    {
        QScopedValueRollback<bool> filling(m_filling, true);
        lstAlias->insertRow(0);
        lstAlias->setItem(0, CommandColumn, new QTableWidgetItem);
        auto* alias = new QTableWidgetItem;
        alias->setData(PreviousTextRole, QString());
        lstAlias->setItem(0, AliasColumn, alias);
    }
    lstAlias->setCurrentCell(0, CommandColumn, QItemSelectionModel::ClearAndSelect);
}

void Dlg_QT_EditAlias::aliasclick(int row, int column)
{
    if (m_filling || column != AliasColumn)
        return;
    m_previousAlias = cellText(lstAlias, row, column);
    if (QTableWidgetItem* item = lstAlias->item(row, column))
        item->setData(PreviousTextRole, m_previousAlias);
}

void Dlg_QT_EditAlias::aliasChanged(int row, int column)
{
    if (m_filling)
        return;
    m_keepUnreadFile = false;
    QTableWidgetItem* item = lstAlias->item(row, column);
    if (column != AliasColumn || !item)
        return;
    if (rowWithAlias(item->text(), row) < 0) {
        item->setData(PreviousTextRole, item->text());
        return;
    }
    message(QMessageBox::Critical, tr("This alias already begin used for other command."));
    QScopedValueRollback<bool> filling(m_filling, true);
    item->setText(item->data(PreviousTextRole).toString());
}

void Dlg_QT_EditAlias::delAlias()
{
    if (!lstAlias->selectionModel()->hasSelection()) {
        message(QMessageBox::Information, tr("Select the rows of table for remove."));
        return;
    }
    // Rows move up as others go: each is followed by its index, not by its number.
    QVector<QPersistentModelIndex> rows;
    for (const int row : KvTable::selectedRows(lstAlias))
        rows.append(QPersistentModelIndex(lstAlias->model()->index(row, CommandColumn)));
    for (const QPersistentModelIndex& index : qAsConst(rows)) {
        if (!index.isValid())
            continue;
        if (ask(tr("Are you sure you want to remove this alias for %1?").arg(cellText(lstAlias, index.row(), CommandColumn)))
            && index.isValid()) {
            m_keepUnreadFile = false;
            lstAlias->removeRow(index.row());
        }
    }
}

void Dlg_QT_EditAlias::cleanAlias()
{
    if (!ask(tr("Are you sure you want to delete all alias?")))
        return;
    m_keepUnreadFile = false;
    lstAlias->setRowCount(0);
}

void Dlg_QT_EditAlias::saveAlias()
{
    if (writeTable(m_aliasFile)) {
        m_keepUnreadFile = false;
        message(QMessageBox::Information, tr("The alias file has been saved."));
    } else {
        message(QMessageBox::Critical, tr("The alias file could not be saved."));
    }
}

void Dlg_QT_EditAlias::exportAlias()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save As"), CDialogState::moduleDataFolder(),
                                                      tr("Alias files (*.xml);; All files (*.*)"));
    if (path.isEmpty())
        return;
    m_aliasFile = path;
    m_keepUnreadFile = false;
    CDialogState::showElided(txAlias, m_aliasFile);
    if (writeTable(m_aliasFile))
        message(QMessageBox::Information, tr("The alias file has been exported."));
    else
        message(QMessageBox::Critical, tr("The alias file could not be exported."));
}

void Dlg_QT_EditAlias::importAlias()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Select the file to import"),
                                                      CDialogState::moduleDataFolder(),
                                                      tr("Alias files (*.txt);; All files (*.*)"));
    if (path.isEmpty())
        return;
    if (readAliasFile(path) != AliasFile::ReadStatus::Ok) {
        message(QMessageBox::Critical, tr("The alias file could not be imported."));
        return;
    }
    // The label keeps showing the file the dialog opened with.
    m_aliasFile = path;
    m_keepUnreadFile = false;
    fillTable();
}

QString Dlg_QT_EditAlias::printedText(const AliasFile::Records& rows)
{
    int longest = 0;
    for (const AliasFile::Record& row : rows)
        longest = qMax(longest, row.command.size());
    QString text;
    for (const AliasFile::Record& row : rows) {
        text += (row.command + QLatin1Char(' ')).toUpper().leftJustified(longest + 4, QLatin1Char('.'));
        text += QLatin1Char(' ') + row.alias.toUpper() + QLatin1Char('\n');
    }
    return text;
}

int Dlg_QT_EditAlias::printAlias()
{
    QPrinter printer(QPrinter::ScreenResolution);
    QTextDocument document;
    document.setPlainText(printedText(tableRows()));
    document.setPageSize(pageInMillimetres(printer));
    QFont font(QString::fromLatin1("Monospace"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(2);
    document.setDefaultFont(font);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    // The paper chosen in the dialog: a page of another shape would print distorted.
    document.setPageSize(pageInMillimetres(printer));
    document.print(&printer);
    return 0;
}

void Dlg_QT_EditAlias::ClickHeaderTable(int column)
{
    QScopedValueRollback<bool> filling(m_filling, true);
    lstAlias->sortItems(column, lstAlias->horizontalHeader()->sortIndicatorOrder());
}

void Dlg_QT_EditAlias::CerrarDialogo()
{
    if (!m_keepUnreadFile && !writeTable(m_aliasFile)) {
        message(QMessageBox::Critical, tr("The alias file could not be saved."));
        return;
    }
    accept();
}

int kvlisp::Dlg_EditAlias()
{
    return runDialogFunction<Dlg_QT_EditAlias>(DialogSlot::EditAlias);
}
