#include "dialogs/drawing/Dlg_QT_RedefinePaths.h"

#include "dialogs/drawing/PathRecords.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/Records.h"
#include "exchange/TableFiller.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QHeaderView>
#include <QShowEvent>

namespace {
enum Column { TypeColumn, NameColumn, PathColumn };

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
} // namespace

Dlg_QT_RedefinePaths::Dlg_QT_RedefinePaths(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    lstFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QHeaderView* rows = lstFiles->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(KvTable::RowHeight);
    lstFiles->horizontalHeader()->setSortIndicatorShown(true);

    for (QCheckBox* type : {tyStyles, tyXref, tyImages, tyRtext})
        connect(type, &QCheckBox::clicked, this, &Dlg_QT_RedefinePaths::fillTable);
    connect(filter, &QLineEdit::textChanged, this, &Dlg_QT_RedefinePaths::fillTable);
    connect(lstFiles->horizontalHeader(), &QHeaderView::sectionClicked, this, &Dlg_QT_RedefinePaths::ClickHeaderTable);
    connect(lstFiles, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_RedefinePaths::SelectChanged);
    connect(lstFiles, &QTableWidget::itemChanged, this, &Dlg_QT_RedefinePaths::pathEdited);
    connect(selectAll, &QCheckBox::clicked, this, &Dlg_QT_RedefinePaths::Select);
    connect(btReplace, &QPushButton::clicked, this, &Dlg_QT_RedefinePaths::replace);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_RedefinePaths::ReadSelected);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_RedefinePaths::showHelp);
}

Dlg_QT_RedefinePaths::~Dlg_QT_RedefinePaths() = default;

void Dlg_QT_RedefinePaths::Help()
{
    showHelp();
}

void Dlg_QT_RedefinePaths::showHelp()
{
    m_state->showHelp(QStringLiteral("redefinepaths"));
}

// Only the type boxes come from the state lines (the LISP side's "modes" words, matched as
// written), and they are only ever checked there; all four start unchecked.
void Dlg_QT_RedefinePaths::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_state->applied()) {
        const QString modes = m_state->stateValue(QStringLiteral("modes"));
        const struct
        {
            QString word;
            QCheckBox* box;
        } words[] = {{tr("Xrefs"), tyXref}, {tr("Styles"), tyStyles}, {tr("Images"), tyImages}, {tr("Rtext"), tyRtext}};
        for (const auto& w : words)
            if (modes.contains(w.word))
                w.box->setChecked(true);
    }
    m_bulkSelection = false;
    groupSearch->setEnabled(false);
    fillTable();
}

void Dlg_QT_RedefinePaths::fillTable()
{
    lstFiles->clearSelection();
    lstFiles->setRowCount(0);
    lstFiles->setColumnCount(3);
    lstFiles->setHorizontalHeaderLabels(tr("Type;Name;Path").split(QLatin1Char(';')));
    QHeaderView* header = lstFiles->horizontalHeader();
    header->resizeSection(TypeColumn, 90);
    header->resizeSection(NameColumn, 140);
    header->resizeSection(PathColumn, 140);
    header->setSectionResizeMode(TypeColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(PathColumn, QHeaderView::Stretch);

    using KvPathRecords::Type;
    const KvPathRecords::PathFilter pattern(filter->text());
    QVector<KvPathRecords::Record> shown;
    for (const QString& text : qAsConst(m_records)) {
        const KvPathRecords::Record record = KvPathRecords::parse(text);
        if (!pattern.passes(record.path))
            continue;
        const Type type = KvPathRecords::typeOf(record.type);
        const bool wanted = (type == Type::Xref && tyXref->isChecked()) || (type == Type::Image && tyImages->isChecked())
                            || (type == Type::TextStyle && tyStyles->isChecked())
                            || (type == Type::RemoteText && tyRtext->isChecked());
        if (wanted)
            shown.append(record);
    }

    const QSignalBlocker edits(lstFiles);
    lstFiles->setRowCount(shown.size());
    for (int row = 0; row < shown.size(); ++row) {
        const KvPathRecords::Record& record = shown.at(row);
        lstFiles->setItem(row, TypeColumn, fixedItem(record.type));
        lstFiles->setItem(row, NameColumn, fixedItem(record.name));
        // Paths are shown as the platform writes them; "/" stays "/" where that is the separator.
        const QString path = QDir::toNativeSeparators(record.path);
        auto* item = new QTableWidgetItem(path);
        item->setToolTip(path);
        lstFiles->setItem(row, PathColumn, item);
    }
}

void Dlg_QT_RedefinePaths::pathEdited(QTableWidgetItem* item)
{
    if (item && item->column() == PathColumn && item->toolTip() != item->text())
        item->setToolTip(item->text());
}

void Dlg_QT_RedefinePaths::ClickHeaderTable(int column)
{
    lstFiles->sortItems(column, lstFiles->horizontalHeader()->sortIndicatorOrder());
}

void Dlg_QT_RedefinePaths::Select()
{
    m_bulkSelection = true;
    if (selectAll->isChecked())
        lstFiles->selectAll();
    else
        lstFiles->clearSelection();
    m_bulkSelection = false;
    SelectChanged();
}

void Dlg_QT_RedefinePaths::SelectChanged()
{
    if (m_bulkSelection)
        return;
    groupSearch->setEnabled(lstFiles->selectionModel()->hasSelection());
}

void Dlg_QT_RedefinePaths::replace()
{
    const QList<int> rows = KvTable::selectedRows(lstFiles);
    if (rows.isEmpty()) {
        kvInformation(this, tr("Redefine Paths"), tr("Select the rows of table for search."));
        return;
    }
    const QString find = txsearch->text();
    const QString replacement = txreplace->text();
    for (const int row : rows) {
        QTableWidgetItem* item = lstFiles->item(row, PathColumn);
        if (!item || !item->text().contains(find, Qt::CaseSensitive))
            continue;
        item->setText(KvPathRecords::replaced(item->text(), find, replacement));
    }
}

void Dlg_QT_RedefinePaths::ReadSelected()
{
    QStringList records;
    records.reserve(lstFiles->rowCount());
    for (int row = 0; row < lstFiles->rowCount(); ++row) {
        QStringList fields;
        for (int column = TypeColumn; column <= PathColumn; ++column) {
            const QTableWidgetItem* item = lstFiles->item(row, column);
            fields.append(item ? item->text() : QString());
        }
        records.append(KvRecords::join(fields, QLatin1Char('^')));
    }
    m_records = records;
    accept();
}

int kvlisp::Dlg_RedefinePaths()
{
    return runDialogFunction<Dlg_QT_RedefinePaths>(
        DialogSlot::RedefinePaths,
        // Every string after the state file is a record; values of other types are passed over.
        [](Dlg_QT_RedefinePaths& dialog, LispArgs& args) { dialog.setRecords(args.nextStrings()); },
        [](Dlg_QT_RedefinePaths& dialog, bool accepted, CKvLispContext* context) {
            // The list goes without its closing node; the context closes it.
            if (accepted)
                DialogFunction::returnStrings(context, dialog.records());
            else
                context->ReturnNil();
        });
}
