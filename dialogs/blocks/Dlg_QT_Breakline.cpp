#include "dialogs/blocks/Dlg_QT_Breakline.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/ElidedPathField.h"
#include "kernel/KvDocument.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QShowEvent>

namespace {
const char* const ActionCreate = "CREATE";
} // namespace

Dlg_QT_Breakline::Dlg_QT_Breakline(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags), m_symbolFolder()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    for (CKvQtUnitSpinBox* box : {_dist_size, _dist_offset})
        box->setUnitType(CKvQtUnitSpinBox::Distance);
    _dist_size->setDefaultValue(1.0);

    m_symbolFolder = CDialogState::moduleDataFolder() + QStringLiteral("/BreakLine");
    // Without LOGFILEPATH the folder would land in whatever the current folder is.
    if (!HostServices::systemVariable(QStringLiteral("LOGFILEPATH")).isEmpty())
        QDir().mkpath(m_symbolFolder);
    LbTitleblock->installEventFilter(this);

    connect(name, &QLineEdit::textChanged, this, &Dlg_QT_Breakline::setName);
    connect(LbTitleblock, &QLineEdit::returnPressed, this, &Dlg_QT_Breakline::pressEnterforName);
    connect(Bt_selectBlock, &QPushButton::clicked, this, &Dlg_QT_Breakline::selectBlock);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_Breakline::CloseAccept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SelectEntities, &QToolButton::clicked, this, &Dlg_QT_Breakline::CreateDesing);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_Breakline::showHelp);
}

Dlg_QT_Breakline::~Dlg_QT_Breakline() = default;

void Dlg_QT_Breakline::Help()
{
    showHelp();
}

void Dlg_QT_Breakline::showHelp()
{
    m_state->showHelp(QStringLiteral("breakline"));
}

void Dlg_QT_Breakline::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    // Coming back from making a symbol, the state file holds the values to go on with.
    const bool creating =
        m_state->stateValue(QStringLiteral("!action!")).compare(QLatin1String(ActionCreate), Qt::CaseInsensitive) == 0;
    if (!m_state->applied() || creating)
        m_state->applyState();
    _dist_size->clearFocus();
    _dist_offset->clearFocus();
    name->clear();
    setName();
    acceptfile();
    CKvDocument* document = HostServices::activeDocument();
    if (CKvDatabase* database = document ? document->GetKvDatabase() : nullptr) {
        _dist_size->setDatabase(database);
        _dist_offset->setDatabase(database);
    }
    // Return in the file field only takes the typed path, so the dialog starts on a button.
    if (acceptButton->isEnabled())
        acceptButton->setFocus();
    else
        Bt_selectBlock->setFocus();
}

QString Dlg_QT_Breakline::symbolPath()
{
    return m_state->storedFullText(LbTitleblock, LbTitleblock->text());
}

bool Dlg_QT_Breakline::checkSymbolFile()
{
    if (m_state->checkFile(symbolPath(), QString(), false)) {
        acceptButton->setEnabled(true);
        return true;
    }
    acceptButton->setEnabled(false);
    m_state->previewDrawingOrBlock(CKvString(), PreviewBlock, nullptr);
    return false;
}

void Dlg_QT_Breakline::acceptfile()
{
    m_state->previewDrawingOrBlock(symbolPath(), PreviewBlock, LbTitleblock);
    checkSymbolFile();
}

void Dlg_QT_Breakline::selectBlock()
{
    QString path = symbolPath();
    // Without a file the dialog opens in the symbol folder.
    if (path.isEmpty())
        path = m_symbolFolder + QStringLiteral("/noname");
    const QString start = path.trimmed().isEmpty() ? QStringLiteral(".") : QFileInfo(path).absolutePath();
    const QString chosen =
        QFileDialog::getOpenFileName(this, tr("Specify a drawing"), start, tr("Drawing files (*.dwg *.dxf)"));
    if (chosen.contains(QLatin1String(".dwg"), Qt::CaseInsensitive)
        || chosen.contains(QLatin1String(".dxf"), Qt::CaseInsensitive))
        m_state->previewDrawingOrBlock(chosen, PreviewBlock, LbTitleblock);
    checkSymbolFile();
}

bool Dlg_QT_Breakline::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LbTitleblock) {
        if (event->type() == QEvent::FocusIn)
            ElidedPathField::expand(LbTitleblock);
        else if (event->type() == QEvent::FocusOut)
            acceptfile();
    }
    return CKvDialog::eventFilter(watched, event);
}

void Dlg_QT_Breakline::pressEnterforName()
{
    LbTitleblock->setProperty("value", LbTitleblock->text());
    acceptfile();
    // The field keeps the focus: it goes on showing the whole path.
    if (LbTitleblock->hasFocus())
        ElidedPathField::expand(LbTitleblock);
}

void Dlg_QT_Breakline::setName()
{
    const bool named = !name->text().isEmpty();
    SelectEntities->setEnabled(named);
    label->setEnabled(named);
}

void Dlg_QT_Breakline::CreateDesing()
{
    const QString target = CDialogState::moduleDataFolder() + QStringLiteral("/BreakLine/") + name->text()
                           + QStringLiteral(".dwg");
    if (m_state->checkFileName(name->text(), tr("Break Line"), target)) {
        m_state->setAction(QString::fromLatin1(ActionCreate));
        accept();
    } else {
        name->setFocus();
    }
}

void Dlg_QT_Breakline::CloseAccept()
{
    // Return in the file field takes the path first (it also presses the default button).
    if (LbTitleblock->hasFocus())
        return;
    if (checkSymbolFile()) {
        m_state->setAction(QStringLiteral("OK"));
        accept();
        return;
    }
    QMessageBox::information(this, QString(), tr("Cannot find the specified drawing file."), QMessageBox::Ok);
}

int kvlisp::Dlg_BreakLine()
{
    return runDialogFunction<Dlg_QT_Breakline>(DialogSlot::Breakline);
}
