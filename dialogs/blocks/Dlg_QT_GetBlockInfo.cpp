#include "dialogs/blocks/Dlg_QT_GetBlockInfo.h"

#include "dialogs/blocks/BlockLists.h"
#include "dialogs/blocks/BlockTables.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QShowEvent>

namespace {
constexpr int CountColumnWidth = 100;

// One list of rows: the strings up to its list-end node. An empty LISP list arrives as a
// single nil, which is that list; passed over, it would make the nested rows top-level ones.
QStringList nextRowList(LispArgs& args)
{
    if (args.peekType() == kvrt::Nil) {
        args.skip();
        return QStringList();
    }
    return args.nextStrings(kvrt::ListEnd);
}
} // namespace

Dlg_QT_GetBlockInfo::Dlg_QT_GetBlockInfo(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(blocksTable->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Dlg_QT_GetBlockInfo::ClickHeaderTable);
    connect(nestedCheckBox, &QCheckBox::clicked, this, &Dlg_QT_GetBlockInfo::fillTable);
    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(exportTable, &QPushButton::clicked, this, &Dlg_QT_GetBlockInfo::exportToTable);
    connect(exportButton, &QPushButton::clicked, this, &Dlg_QT_GetBlockInfo::ClickInFileButton);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_GetBlockInfo::showHelp);
}

Dlg_QT_GetBlockInfo::~Dlg_QT_GetBlockInfo() = default;

void Dlg_QT_GetBlockInfo::setRows(const QStringList& topLevel, const QStringList& nested)
{
    m_topLevel = topLevel;
    m_nested = nested;
}

QVector<QPair<QString, QString>> Dlg_QT_GetBlockInfo::shownNamesAndCounts() const
{
    QVector<QPair<QString, QString>> rows;
    rows.reserve(blocksTable->rowCount());
    for (int r = 0; r < blocksTable->rowCount(); ++r) {
        const QTableWidgetItem* name = blocksTable->item(r, 0);
        const QTableWidgetItem* count = blocksTable->item(r, 1);
        rows.append({name ? name->text() : QString(), count ? count->text() : QString()});
    }
    return rows;
}

QStringList Dlg_QT_GetBlockInfo::shownRows() const
{
    QStringList rows;
    for (const auto& row : shownNamesAndCounts())
        rows.append(row.first + QLatin1Char('^') + row.second);
    return rows;
}

void Dlg_QT_GetBlockInfo::showHelp()
{
    m_state->showHelp(QStringLiteral("getblockinfo"));
}

// This dialog never fills its controls from the state lines: its list comes with the call.
void Dlg_QT_GetBlockInfo::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    m_state->setAction(QString());
    KvTable::setupList(blocksTable, tr("Name;Instances").split(QLatin1Char(';')));
    QHeaderView* header = blocksTable->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, CountColumnWidth);
    fillTable();
}

void Dlg_QT_GetBlockInfo::fillTable()
{
    QStringList rows = m_topLevel;
    if (nestedCheckBox->isChecked())
        rows += m_nested;
    CDialogState::sortNames(rows, QStringLiteral(";"), m_sort.column, m_sort.descending);
    QVector<KvTable::Row> cells;
    cells.reserve(rows.size());
    KvBlockLists::InfoRow row;
    for (const QString& text : qAsConst(rows))
        if (KvBlockLists::parseInfoRow(text, &row))
            cells.append({KvTable::Cell(row.name), KvTable::Cell::number(row.count)});
    KvTable::setRows(blocksTable, cells);
    KvBlockTables::showSortIndicator(blocksTable, m_sort);
}

void Dlg_QT_GetBlockInfo::ClickHeaderTable(int column)
{
    m_sort.headerClicked(column);
    fillTable();
}

void Dlg_QT_GetBlockInfo::exportToTable()
{
    m_state->setAction(QStringLiteral("TABLE"));
    accept();
}

void Dlg_QT_GetBlockInfo::ClickInFileButton()
{
    // The list goes back to LISP whatever becomes of the file.
    accept();
    const QString filter = tr("Text files (*.txt)");
    QString selectedFilter = filter;
    const QString path = QFileDialog::getSaveFileName(this, tr("Resulting file"), m_state->defaultFolder(), filter,
                                                      &selectedFilter);
    if (path.isEmpty())
        return;
    m_state->setDefaultFolder(QFileInfo(path).absolutePath());
    QString error;
    if (!KvBlockLists::writeExport(path, shownNamesAndCounts(), &error))
        kvInformation(this, windowTitle(), tr("The block list was not saved.\n%1").arg(error));
}

int kvlisp::Dlg_getblockinfo()
{
    return runDialogFunction<Dlg_QT_GetBlockInfo>(
        DialogSlot::GetBlockInfo,
        [](Dlg_QT_GetBlockInfo& dialog, LispArgs& args) {
            // Two lists, each closed by its list-end node: the top-level rows, then the nested ones.
            const QStringList topLevel = nextRowList(args);
            dialog.setRows(topLevel, nextRowList(args));
        },
        [](Dlg_QT_GetBlockInfo& dialog, bool accepted, CKvLispContext* context) {
            if (accepted)
                DialogFunction::returnStrings(context, dialog.shownRows());
            else
                context->ReturnNil();
        });
}
