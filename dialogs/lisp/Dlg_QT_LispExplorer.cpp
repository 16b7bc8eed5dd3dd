#include "dialogs/lisp/Dlg_QT_LispExplorer.h"

#include "dialogs/lisp/Highlighter.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogState.h"
#include "kernel/KvLispContext.h"
#include "module/DialogRegistry.h"
#include "module/HostServices.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTextDocument>

namespace {
const QLatin1Char kSemicolon(';');
} // namespace

Dlg_QT_LispExplorer::Dlg_QT_LispExplorer(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_folder()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    Cb_Format->addItems(tr("Header Only;Function Only;Both").split(kSemicolon));
    Cb_Format->setCurrentIndex(int(LispSourceParser::View::Both));
    // Not a QStringLiteral: Qt's font cache keeps the family name until the application
    // ends, after the host may have unloaded this library and its static string data.
    QFont font(QString::fromLatin1("Courier"));
    font.setFixedPitch(true);
    font.setPointSize(10);
    // Where no Courier is installed, the font matcher still picks a typewriter face.
    font.setStyleHint(QFont::TypeWriter);
    tx_EditLisp->setFont(font);
    m_highlighter = new Highlighter(txSearch, tx_EditLisp->document());

    connect(bt_Directory, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::Selectdirectory);
    connect(TxDirectory, &QLineEdit::returnPressed, this, &Dlg_QT_LispExplorer::Loaddirectory);
    connect(List_files, &QListWidget::currentRowChanged, this, &Dlg_QT_LispExplorer::OpenfileFromInt);
    connect(List_functions, &QListWidget::currentRowChanged, this, &Dlg_QT_LispExplorer::OnFunctionSelected);
    connect(Cb_Format, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &Dlg_QT_LispExplorer::updateFunctionView);
    connect(txSearch, &QLineEdit::textChanged, this, &Dlg_QT_LispExplorer::OnSearchTyped);
    connect(tx_EditLisp, &QTextEdit::textChanged, this, &Dlg_QT_LispExplorer::updateSearchControls);
    connect(bt_Search, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::OnSearchClicked);
    connect(Bt_Load, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::LoadInQuor);
    for (QRadioButton* radio : {isUser, isQuor})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_LispExplorer::changeType);
    for (QRadioButton* radio : {isCommands, isFunctions, isVariables})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_LispExplorer::changeQuor);
    connect(tableFunctions->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &Dlg_QT_LispExplorer::ClickHeaderTable);
    connect(btnExport, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::lispDump);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::showHelp);
    connect(buttonHelp2, &QPushButton::clicked, this, &Dlg_QT_LispExplorer::Help);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnClose2, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_LispExplorer::~Dlg_QT_LispExplorer() = default;

void Dlg_QT_LispExplorer::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    if (!m_state->applied())
        m_state->applyState(QStringLiteral("*"));
    Bt_Load->setEnabled(!List_files->selectedItems().isEmpty());
    const bool loaded = isQuor->isChecked();
    if (loaded)
        fillQuorTabs();
    stack1->setCurrentIndex(loaded ? 1 : 0);
    fillFileList();
    txSearch->clear();
    updateSearchControls();
}

bool Dlg_QT_LispExplorer::readSymbolFile(const QString& path)
{
    QString error;
    if (!LispSymbolFile::read(path, &m_symbols, &error)) {
        QMessageBox::information(this, tr("Error loading database"), error);
        return false;
    }
    // While the dialog shows, the table follows the new lists at once.
    if (isVisible() && isQuor->isChecked())
        fillQuorTabs();
    return true;
}

// --- The file page

void Dlg_QT_LispExplorer::Selectdirectory()
{
    m_state->pickFolder(TxDirectory->text(), TxDirectory, tr("Specify Folder"),
                        tr("Specify a folder for lisp files"));
    fillFileList();
}

void Dlg_QT_LispExplorer::Loaddirectory()
{
    fillFileList();
}

void Dlg_QT_LispExplorer::fillFileList()
{
    List_files->clear();
    clearFunctionList();
    tx_EditLisp->clear();
    m_records.clear();
    m_folder = TxDirectory->text();
    if (m_folder.isEmpty()) {
        Bt_Load->setEnabled(false);
        return;
    }
    const QStringList names = QDir(m_folder).entryList(QDir::Files);
    for (const QString& name : names) {
        // The part after the last dot (a name without a dot counts whole).
        if (name.section(QLatin1Char('.'), -1).toUpper() == QLatin1String("LSP"))
            List_files->addItem(name);
    }
    if (List_files->count() == 0)
        Bt_Load->setEnabled(false);
}

void Dlg_QT_LispExplorer::OpenfileFromInt(int row)
{
    if (row >= 0)
        Openfile(List_files->item(row));
}

void Dlg_QT_LispExplorer::Openfile(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString path = m_folder + QLatin1Char('/') + item->text();
    tx_EditLisp->clear();
    m_records.clear();
    clearFunctionList();
    QString error;
    if (!LispSourceParser::parseFile(path, &m_records, &error)) {
        QMessageBox::information(this, tr("Error"), error);
        return;
    }
    // Built at run time, not from a literal: Qt keeps icon data in caches of its own that
    // outlive this library, and a literal's text would vanish when the host unloads it.
    const QIcon icon(QString::fromLatin1(":/images/lispfunction.png"));
    for (const LispFunctionRecord& record : qAsConst(m_records))
        new QListWidgetItem(icon, record.name, List_functions);
    Bt_Load->setEnabled(true);
}

// Without the list's signals: clearing it reports the current row as -1, and
// OnFunctionSelected would then clear the list again from inside the clearing.
void Dlg_QT_LispExplorer::clearFunctionList()
{
    const QSignalBlocker blocker(List_functions);
    List_functions->clear();
}

void Dlg_QT_LispExplorer::OnFunctionSelected(int row)
{
    if (row < 0) {
        if (List_functions->count() > 0)
            clearFunctionList();
        return;
    }
    showFunctionText();
}

void Dlg_QT_LispExplorer::updateFunctionView()
{
    showFunctionText();
}

void Dlg_QT_LispExplorer::OnSearchTyped()
{
    showFunctionText();
}

void Dlg_QT_LispExplorer::showFunctionText()
{
    const int row = List_functions->currentRow();
    if (row < 0 || row >= m_records.size()) {
        // No function to show again: the marks of the text on show follow the search anyway.
        m_highlighter->rehighlight();
        updateSearchControls();
        return;
    }
    int format = Cb_Format->currentIndex();
    if (format < 0 || format > int(LispSourceParser::View::Both))
        format = int(LispSourceParser::View::Both);
    // Setting the text again also colours the matches of a changed search text.
    tx_EditLisp->setPlainText(LispSourceParser::text(m_records.at(row), LispSourceParser::View(format)));
    updateSearchControls();
}

void Dlg_QT_LispExplorer::updateSearchControls()
{
    const bool hasText = !tx_EditLisp->document()->isEmpty();
    txSearch->setEnabled(hasText);
    bt_Search->setEnabled(hasText && !txSearch->text().isEmpty());
}

void Dlg_QT_LispExplorer::OnSearchClicked()
{
    const QString text = txSearch->text();
    if (text.isEmpty())
        return;
    if (tx_EditLisp->find(text))
        return;
    // Wrap around: search again from the top.
    tx_EditLisp->moveCursor(QTextCursor::Start);
    if (tx_EditLisp->find(text))
        return;
    kvInformation(this, QString(), tr("No matches found for") + QLatin1String(" '") + text + QLatin1Char('\''));
}

void Dlg_QT_LispExplorer::LoadInQuor()
{
    const QList<QListWidgetItem*> selected = List_files->selectedItems();
    if (selected.size() != 1)
        return;
    // The folder as it stands in the line edit now, which may differ from the listed one.
    QString path = TxDirectory->text() + QLatin1Char('/') + selected.first()->text();
    if (!path.toUpper().endsWith(QLatin1String(".LSP")))
        path += QLatin1String(".lsp");
    CKvLispContext* context = HostServices::activeLispContext();
    const bool loaded = context && context->LoadLispFile(path) == kvrt::Normal;
    // A load that failed is said so (the path is shown as it is, never as rich text).
    if (loaded)
        QMessageBox::information(this, tr("LispExplorer"), tr("The file has been loaded."));
    else
        kvInformation(this, tr("LispExplorer"), tr("The file could not be loaded:\n%1").arg(QDir::toNativeSeparators(path)));
}

// --- The loaded-symbols page

void Dlg_QT_LispExplorer::changeType()
{
    if (isQuor->isChecked()) {
        fillQuorTabs();
        stack1->setCurrentIndex(1);
    } else {
        stack1->setCurrentIndex(0);
    }
}

void Dlg_QT_LispExplorer::changeQuor()
{
    fillQuorTabs();
}

void Dlg_QT_LispExplorer::fillQuorTabs()
{
    tableFunctions->clear();
    tableFunctions->setRowCount(0);
    tableFunctions->setColumnCount(0);
    tableFunctions->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableFunctions->setWordWrap(true);
    tableFunctions->setColumnCount(3);
    tableFunctions->setColumnWidth(0, 250);
    tableFunctions->setColumnWidth(1, 160);
    tableFunctions->setColumnWidth(2, 240);
    QHeaderView* header = tableFunctions->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    tableFunctions->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tableFunctions->setHorizontalHeaderLabels(tr("Name;Data type;Type").split(kSemicolon));
    if (isCommands->isChecked())
        fillTable(m_symbols.commands);
    if (isFunctions->isChecked())
        fillTable(m_symbols.functions);
    if (isVariables->isChecked()) {
        tableFunctions->setHorizontalHeaderLabels(tr("Name;Data type;Value").split(kSemicolon));
        fillTable(m_symbols.variables);
    }
}

void Dlg_QT_LispExplorer::fillTable(const QStringList& lines)
{
    const QVector<QStringList> rows = LispSymbolFile::tableRows(lines);
    tableFunctions->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList& fields = rows.at(row);
        for (int column = 0; column < fields.size(); ++column)
            tableFunctions->setItem(row, column, new QTableWidgetItem(fields.at(column)));
    }
    // Long values (lists, long strings) wrap onto more lines instead of being cut off.
    tableFunctions->resizeRowsToContents();
}

void Dlg_QT_LispExplorer::ClickHeaderTable(int column)
{
    tableFunctions->sortItems(column, Qt::AscendingOrder);
}

void Dlg_QT_LispExplorer::lispDump()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save dump file"), QStringLiteral("."),
                                                      tr("Dump files (*.dmp)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!LispSymbolFile::writeDump(path, m_symbols, &error))
        QMessageBox::information(this, tr("Error"), error);
}

void Dlg_QT_LispExplorer::showHelp()
{
    m_state->showHelp(QStringLiteral("lispexplorer"));
}

void Dlg_QT_LispExplorer::Help()
{
    m_state->showHelp(QStringLiteral("lispexplorer"));
}

// Both arguments are optional, so this function has no state file to require: the symbol
// file (a string) and, after it, "DUMP" to open on the loaded symbols.
int kvlisp::Dlg_LispExplorer()
{
    LispArgs args(HostServices::activeLispContext());
    auto* dialog = DialogRegistry::dialogFor<Dlg_QT_LispExplorer>(DialogSlot::LispExplorer);
    if (!dialog)
        return kvrt::Error;
    CKvString symbolFile;
    if (args.nextString(symbolFile) == LispArgs::Ok) {
        dialog->readSymbolFile(symbolFile);
        CKvString mode;
        if (args.nextString(mode) == LispArgs::Ok && mode == QLatin1String("DUMP"))
            dialog->isQuor->setChecked(true);
    }
    args.release();
    dialog->exec();
    if (CKvLispContext* context = HostServices::activeLispContext())
        context->ReturnVoid();
    return kvrt::Normal;
}
