#include "dialogs/blocks/Dlg_QT_ImportBlockAttributes.h"

#include "dialogs/blocks/AttributeFile.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QShowEvent>

#include <algorithm>
#include <limits>

namespace {
constexpr int RowNumberWidth = 26;

// Cells the selection covers. Ranges of one selection do not overlap.
qint64 selectedCellCount(const QItemSelectionModel* model)
{
    qint64 count = 0;
    for (const QItemSelectionRange& range : model->selection())
        count += qint64(range.width()) * range.height();
    return count;
}
} // namespace

Dlg_QT_ImportBlockAttributes::Dlg_QT_ImportBlockAttributes(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    Attributes->setSelectionBehavior(QAbstractItemView::SelectItems);
    Attributes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QHeaderView* rows = Attributes->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(KvTable::RowHeight);
    Attributes->horizontalHeader()->setSortIndicatorShown(true);

    connect(selectfile, &QPushButton::clicked, this, &Dlg_QT_ImportBlockAttributes::SelectFileAtt);
    connect(Attributes->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Dlg_QT_ImportBlockAttributes::ClickHeaderTable);
    connect(selectAll, &QCheckBox::clicked, this, &Dlg_QT_ImportBlockAttributes::Select);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_ImportBlockAttributes::ReadSelected);
    connect(btReplace, &QPushButton::clicked, this, &Dlg_QT_ImportBlockAttributes::replace);
    connect(Attributes, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ImportBlockAttributes::SelectChanged);
    connect(Attributes->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Dlg_QT_ImportBlockAttributes::trackPicks);
    connect(AttributeFile, &QLineEdit::returnPressed, this, &Dlg_QT_ImportBlockAttributes::fillAttributes);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ImportBlockAttributes::showHelp);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_ImportBlockAttributes::~Dlg_QT_ImportBlockAttributes() = default;

QString Dlg_QT_ImportBlockAttributes::title() const
{
    return tr("Import Block Attributes");
}

void Dlg_QT_ImportBlockAttributes::showHelp()
{
    m_state->showHelp(QStringLiteral("importblockattributes"));
}

// The stored values never reach the controls: the table and the path stay from the last
// call, with nothing selected.
void Dlg_QT_ImportBlockAttributes::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_busy = true;
    Attributes->clearSelection();
    m_busy = false;
    groupSearch->setEnabled(false);
    acceptButton->setEnabled(false);
    selectAll->setChecked(false);
}

void Dlg_QT_ImportBlockAttributes::hideEvent(QHideEvent* event)
{
    CKvDialog::hideEvent(event);
    if (!event->spontaneous())
        checkPath(false);
}

bool Dlg_QT_ImportBlockAttributes::checkPath(bool showMessages)
{
    if (m_state->checkFile(AttributeFile->text(), title(), showMessages))
        return true;
    AttributeFile->setText(m_lastValidPath);
    return false;
}

void Dlg_QT_ImportBlockAttributes::SelectFileAtt()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Select the file to import"), m_state->defaultFolder(),
                                                      tr("Attributes files (*.txt)"));
    if (path.isEmpty())
        return;
    m_state->setDefaultFolder(QFileInfo(path).absolutePath());
    AttributeFile->setText(path);
    fillAttributes();
}

void Dlg_QT_ImportBlockAttributes::fillAttributes()
{
    if (!checkPath(true))
        return;
    const QString path = AttributeFile->text();
    m_lastValidPath = path;
    m_busy = true;
    Attributes->clearSelection();
    Attributes->setRowCount(0);
    m_picks.clear();
    QHeaderView* rows = Attributes->verticalHeader();
    rows->show();
    rows->setFixedWidth(RowNumberWidth);
    Attributes->horizontalHeader()->setSectionsClickable(true);

    KvAttributeFile::Table table;
    const bool read = KvAttributeFile::read(path, &table);
    if (read) {
        Attributes->setColumnCount(table.titles.size());
        Attributes->setHorizontalHeaderLabels(table.titles);
        Attributes->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        KvTable::setTextRows(Attributes, table.rows);
    }
    m_busy = false;
    if (read)
        selectAll->setEnabled(true);
    updateSelectionControls();
}

void Dlg_QT_ImportBlockAttributes::ClickHeaderTable(int column)
{
    Attributes->sortItems(column, Attributes->horizontalHeader()->sortIndicatorOrder());
}

void Dlg_QT_ImportBlockAttributes::SelectChanged()
{
    if (m_busy)
        return;
    if (!checkPath(true))
        return;
    updateSelectionControls();
}

void Dlg_QT_ImportBlockAttributes::updateSelectionControls()
{
    const QItemSelectionModel* model = Attributes->selectionModel();
    const bool any = model->hasSelection();
    groupSearch->setEnabled(any);
    acceptButton->setEnabled(any);
    if (selectedCellCount(model) != qint64(Attributes->rowCount()) * Attributes->columnCount())
        selectAll->setChecked(false);
}

void Dlg_QT_ImportBlockAttributes::trackPicks(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QItemSelectionRange& range : selected)
        for (int r = range.top(); r <= range.bottom(); ++r)
            if (const QTableWidgetItem* first = Attributes->item(r, 0))
                if (!m_picks.contains(first))
                    m_picks.insert(first, ++m_pickCount);
    const QItemSelectionModel* model = Attributes->selectionModel();
    for (const QItemSelectionRange& range : deselected)
        for (int r = range.top(); r <= range.bottom(); ++r)
            if (!model->rowIntersectsSelection(r, QModelIndex()))
                m_picks.remove(Attributes->item(r, 0));
}

void Dlg_QT_ImportBlockAttributes::Select()
{
    m_busy = true;
    if (selectAll->isChecked())
        Attributes->selectAll();
    else
        Attributes->clearSelection();
    m_busy = false;
    SelectChanged();
}

void Dlg_QT_ImportBlockAttributes::replace()
{
    if (!Attributes->selectionModel()->hasSelection()) {
        kvInformation(this, title(), tr("Select items of table for search."));
        return;
    }
    // Replacing in many cells repaints once, at the end.
    Attributes->setUpdatesEnabled(false);
    KvTable::replaceInCells(Attributes->selectedItems(), txsearch->text(), txreplace->text(), Qt::CaseInsensitive);
    Attributes->setUpdatesEnabled(true);
}

void Dlg_QT_ImportBlockAttributes::ReadSelected()
{
    if (!checkPath(true))
        return;
    QList<int> selected = KvTable::selectedRows(Attributes);
    if (selected.isEmpty()) {
        kvInformation(this, title(), tr("Select the rows of table for import."));
        return;
    }
    const auto pick = [this](int row) {
        return m_picks.value(Attributes->item(row, 0), std::numeric_limits<quint64>::max());
    };
    std::stable_sort(selected.begin(), selected.end(), [&](int a, int b) { return pick(a) < pick(b); });
    const int columns = Attributes->columnCount();
    QStringList titles;
    for (int c = 0; c < columns; ++c) {
        const QTableWidgetItem* header = Attributes->horizontalHeaderItem(c);
        titles.append(header ? header->text() : QString());
    }
    // "^" and tabs separate the records and fields of the import string: a cell holding one
    // would shift every value after it onto the wrong attribute.
    const int badTitle = KvAttributeFile::unsafeField(titles);
    if (badTitle >= 0) {
        kvInformation(this, title(),
                      tr("The title of column %1 (\"%2\") holds \"^\", a tab or a line break, which cannot be "
                         "imported.")
                          .arg(QString::number(badTitle + 1), titles.at(badTitle)));
        return;
    }
    QVector<QStringList> rows;
    rows.reserve(selected.size());
    for (const int r : selected) {
        QStringList fields;
        fields.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const QTableWidgetItem* item = Attributes->item(r, c);
            fields.append(item ? item->text() : QString());
        }
        const int bad = KvAttributeFile::unsafeField(fields);
        if (bad >= 0) {
            kvInformation(this, title(),
                          tr("The cell in row %1, column %2 (\"%3\") holds \"^\", a tab or a line break, which "
                             "cannot be imported.")
                              .arg(QString::number(r + 1), QString::number(bad + 1), titles.at(bad)));
            return;
        }
        rows.append(fields);
    }
    m_state->setAction(KvAttributeFile::importString(titles, rows));
    accept();
}

int kvlisp::Dlg_imporAttributes()
{
    return runDialogFunction<Dlg_QT_ImportBlockAttributes>(DialogSlot::ImportBlockAttributes);
}
