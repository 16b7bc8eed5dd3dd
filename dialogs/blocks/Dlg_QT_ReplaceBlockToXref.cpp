#include "dialogs/blocks/Dlg_QT_ReplaceBlockToXref.h"

#include "dialogs/blocks/BlockLists.h"
#include "dialogs/blocks/BlockTables.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/ElidedPathField.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QMessageBox>
#include <QShowEvent>

Dlg_QT_ReplaceBlockToXref::Dlg_QT_ReplaceBlockToXref(QWidget* parent) : BlockReplacementDialog(parent)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    // A long folder is shown shortened and edited whole. Made before the Return connection
    // below, so that Return first takes what was typed as the folder.
    new ElidedPathField(directory);

    setUpLists(blocksTable, blocksTableRep, tr("Name"), PreviewBlock, selblocks, ButtonCancel);
    connect(blocksTableRep, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_ReplaceBlockToXref::blockSelectRep);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_ReplaceBlockToXref::closeDialog);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ReplaceBlockToXref::showHelp);
    connect(selDirectory, &QPushButton::clicked, this, &Dlg_QT_ReplaceBlockToXref::selectDir);
    connect(directory, &QLineEdit::returnPressed, this, &Dlg_QT_ReplaceBlockToXref::processdir);
    // The reference list shows its header before any folder was scanned.
    fillTableRep();
}

Dlg_QT_ReplaceBlockToXref::~Dlg_QT_ReplaceBlockToXref() = default;

void Dlg_QT_ReplaceBlockToXref::setCandidates(const QStringList& entries)
{
    m_names.clear();
    m_names.reserve(entries.size());
    for (const QString& entry : entries)
        m_names.append(KvBlockLists::parseCandidate(entry).name);
}

QString Dlg_QT_ReplaceBlockToXref::folder() const
{
    return ElidedPathField::pathOf(directory);
}

void Dlg_QT_ReplaceBlockToXref::showHelp()
{
    m_state->showHelp(QStringLiteral("replaceblockbyreference"));
}

void Dlg_QT_ReplaceBlockToXref::fillTableRep()
{
    KvBlockTables::fillNames(blocksTableRep, tr("Name"), m_files, m_sortRep, QAbstractItemView::SingleSelection);
}

void Dlg_QT_ReplaceBlockToXref::showEvent(QShowEvent* event)
{
    BlockReplacementDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    acceptButton->setEnabled(false);
    fillTable();
    KvBlockTables::selectFirstRow(blocksTable);
    if (KvBlockTables::wantsStoredValues(*m_state))
        m_state->applyState();
    scanFolder(false, true);
    reselectStoredReference();
}

void Dlg_QT_ReplaceBlockToXref::reselectStoredReference()
{
    const QString stored = m_state->stateValue(QStringLiteral("blocksTableRep"));
    if (directory->text().isEmpty() || stored.isNull())
        return;
    blocksTableRep->clearSelection();
    const QList<QTableWidgetItem*> found = blocksTableRep->findItems(KvBlockLists::firstSelectedName(stored),
                                                                     Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return;
    found.first()->setSelected(true);
    blocksTableRep->scrollToItem(found.first());
    acceptButton->setEnabled(true);
}

void Dlg_QT_ReplaceBlockToXref::scanFolder(bool pick, bool silent)
{
    QString path;
    if (pick) {
        path = m_state->pickFolder(folder(), directory);
        ElidedPathField::reelide(directory);
    } else {
        path = folder();
        if (!m_state->checkFolder(path, tr("Replace blocks"), silent))
            return;
    }
    if (path.isEmpty())
        return;
    m_scannedFolder = path;
    m_files.clear();
    const QStringList files = QDir(path).entryList(QDir::Files, QDir::Unsorted);
    for (const QString& file : files)
        if (KvBlockLists::isReferenceDrawingName(file))
            m_files.append(file);
    fillTableRep();
}

void Dlg_QT_ReplaceBlockToXref::selectDir()
{
    scanFolder(true, false);
}

void Dlg_QT_ReplaceBlockToXref::processdir()
{
    scanFolder(false, false);
}

void Dlg_QT_ReplaceBlockToXref::blockSelectRep()
{
    const QString file = KvBlockTables::onlySelectedName(blocksTableRep);
    if (file.isNull()) {
        m_state->previewDrawingOrBlock(CKvString(), PreviewBlock2, nullptr);
        return;
    }
    m_state->previewDrawingOrBlock(folder() + QLatin1Char('/') + file, PreviewBlock2, nullptr);
    acceptButton->setEnabled(true);
}

void Dlg_QT_ReplaceBlockToXref::closeDialog()
{
    if (!KvBlockTables::hasSelectedRow(blocksTable)) {
        QMessageBox::information(this, tr("Replace blocks"), tr("You must first select the blocks to replace. "),
                                 QMessageBox::Ok);
        return;
    }
    if (!KvBlockTables::hasSelectedRow(blocksTableRep)) {
        QMessageBox::information(this, tr("Replace blocks"), tr("You must first select the replacing reference. "),
                                 QMessageBox::Ok);
        return;
    }
    // A folder typed without Return still lists the files of the folder before it: read the
    // typed one now, as Return would, and let the person choose from its files.
    if (folder() != m_scannedFolder) {
        processdir();
        return;
    }
    m_state->setAction(QStringLiteral("OK"));
    accept();
}

int kvlisp::Dlg_replaceblocktoxref()
{
    DialogCallOptions options;
    options.customBlockCheck = true;
    return runDialogFunction<Dlg_QT_ReplaceBlockToXref>(
        DialogSlot::ReplaceBlockToXref,
        [](Dlg_QT_ReplaceBlockToXref& dialog, LispArgs& args) { dialog.setCandidates(args.nextStrings()); }, options);
}
