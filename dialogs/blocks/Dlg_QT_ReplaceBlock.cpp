#include "dialogs/blocks/Dlg_QT_ReplaceBlock.h"

#include "dialogs/blocks/BlockLists.h"
#include "dialogs/blocks/BlockTables.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

#include <QMessageBox>
#include <QShowEvent>

Dlg_QT_ReplaceBlock::Dlg_QT_ReplaceBlock(QWidget* parent) : BlockReplacementDialog(parent)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    setUpLists(blocksTable, blocksTableRep, tr("Name"), PreviewBlock, selblocks, ButtonCancel);
    connect(blocksTableRep, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ReplaceBlock::blockSelectRep);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_ReplaceBlock::closeDialog);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ReplaceBlock::showHelp);
}

Dlg_QT_ReplaceBlock::~Dlg_QT_ReplaceBlock() = default;

void Dlg_QT_ReplaceBlock::setCandidates(const QStringList& entries)
{
    m_names.clear();
    m_attributeCounts.clear();
    m_names.reserve(entries.size());
    for (const QString& entry : entries) {
        const KvBlockLists::Candidate candidate = KvBlockLists::parseCandidate(entry);
        m_names.append(candidate.name);
        m_attributeCounts.insert(candidate.name, candidate.count);
    }
}

void Dlg_QT_ReplaceBlock::showHelp()
{
    m_state->showHelp(QStringLiteral("replaceblock"));
}

void Dlg_QT_ReplaceBlock::fillTableRep()
{
    KvBlockTables::fillNames(blocksTableRep, tr("Name"), m_names, m_sortRep, QAbstractItemView::SingleSelection);
}

void Dlg_QT_ReplaceBlock::showEvent(QShowEvent* event)
{
    BlockReplacementDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    // Both lists hold the same names: sorted once when both sort alike.
    const QStringList sorted = KvBlockTables::sortedNames(m_names, m_sort);
    KvBlockTables::showNames(blocksTable, tr("Name"), sorted, m_sort, QAbstractItemView::ExtendedSelection);
    KvBlockTables::selectFirstRow(blocksTable);
    KvBlockTables::showNames(blocksTableRep, tr("Name"),
                             m_sortRep == m_sort ? sorted : KvBlockTables::sortedNames(m_names, m_sortRep), m_sortRep,
                             QAbstractItemView::SingleSelection);
    KvBlockTables::selectFirstRow(blocksTableRep);
    if (KvBlockTables::wantsStoredValues(*m_state))
        m_state->applyState();
}

void Dlg_QT_ReplaceBlock::blockSelectRep()
{
    const QString replacing = KvBlockTables::onlySelectedName(blocksTableRep);
    m_state->previewDrawingOrBlock(replacing, PreviewBlock2, nullptr);
    if (replacing.isNull())
        return;
    // Attributes are brought up to date only for a replacing block that has some.
    const auto count = m_attributeCounts.constFind(replacing);
    if (count != m_attributeCounts.constEnd()) {
        attsync->setEnabled(*count > 0);
        attsync->setChecked(*count > 0);
    }
}

void Dlg_QT_ReplaceBlock::closeDialog()
{
    if (!KvBlockTables::hasSelectedRow(blocksTable) || !KvBlockTables::hasSelectedRow(blocksTableRep)) {
        QMessageBox::information(this, QString(), tr("You must first select the blocks to replace. "), QMessageBox::Ok);
        return;
    }
    // With several blocks to replace, one of them may be the replacing block itself.
    const QString replaced = KvBlockTables::onlySelectedName(blocksTable);
    if (!replaced.isNull() && replaced == KvBlockTables::onlySelectedName(blocksTableRep)) {
        QMessageBox::information(this, QString(),
                                 tr("\"Block to be replaced\" and \"Replacing block\" must be different."),
                                 QMessageBox::Ok);
        return;
    }
    m_state->setAction(QStringLiteral("OK"));
    accept();
}

int kvlisp::Dlg_replaceblock()
{
    DialogCallOptions options;
    options.customBlockCheck = true;
    return runDialogFunction<Dlg_QT_ReplaceBlock>(
        DialogSlot::ReplaceBlock,
        [](Dlg_QT_ReplaceBlock& dialog, LispArgs& args) { dialog.setCandidates(args.nextStrings()); }, options);
}
