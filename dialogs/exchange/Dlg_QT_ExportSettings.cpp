#include "dialogs/exchange/Dlg_QT_ExportSettings.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TextFiles.h"
#include "module/LispHandlers.h"

#include <QFileDialog>

namespace {
// Scripts end their lines as text files do on this platform.
#ifdef Q_OS_WIN
constexpr KvTextFile::LineEnd ScriptLineEnd = KvTextFile::LineEnd::CrLf;
#else
constexpr KvTextFile::LineEnd ScriptLineEnd = KvTextFile::LineEnd::Lf;
#endif
} // namespace

Dlg_QT_ExportSettings::Dlg_QT_ExportSettings(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_settingsFile(), m_mode()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    Type->addItems(tr("All,Read only,Dangerous,Standard").split(QLatin1Char(',')));
    Type->setCurrentIndex(0);

    connect(saveButton, &QPushButton::clicked, this, &Dlg_QT_ExportSettings::ClickInFileButton);
    connect(Type, qOverload<int>(&QComboBox::currentIndexChanged), this, &Dlg_QT_ExportSettings::showVariables);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ExportSettings::showHelp);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

Dlg_QT_ExportSettings::~Dlg_QT_ExportSettings() = default;

void Dlg_QT_ExportSettings::setArguments(const QString& settingsFile, const QString& mode)
{
    m_settingsFile = settingsFile;
    m_mode = mode;
}

bool Dlg_QT_ExportSettings::appending() const
{
    return m_mode == QLatin1String("add");
}

void Dlg_QT_ExportSettings::Help()
{
    m_state->showHelp(appending() ? QStringLiteral("variabletoscript") : QStringLiteral("exportvariables"));
}

void Dlg_QT_ExportSettings::showHelp()
{
    Help();
}

void Dlg_QT_ExportSettings::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (appending()) {
        setWindowTitle(tr("VariableToScript"));
        saveButton->setText(tr("Append to script..."));
        saveButton->setToolTip(tr("Append settings to an existing file"));
    } else {
        setWindowTitle(tr("ExportVariables"));
        saveButton->setText(tr("Export to script..."));
        saveButton->setToolTip(tr("Save modified settings"));
    }
    m_script = m_settingsFile.isEmpty() ? SettingsScript() : SettingsScript::read(m_settingsFile);
    showVariables(Type->currentIndex());
}

QStringList Dlg_QT_ExportSettings::shownLines() const
{
    return m_script.lines(Type->currentIndex());
}

void Dlg_QT_ExportSettings::showVariables(int index)
{
    plainTextEdit->setHtml(m_script.html(index));
}

void Dlg_QT_ExportSettings::ClickInFileButton()
{
    QString path;
    if (appending()) {
        QFileDialog dialog(this, tr("Append to script file"), QStringLiteral("."), tr("Script files (*.scr)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    } else {
        path = QFileDialog::getSaveFileName(this, tr("Save script file"), QStringLiteral("."),
                                            tr("Script files (*.scr)"));
    }
    if (path.isEmpty())
        return;
    // The script is made of the lines themselves, not of what the view shows of them; no
    // line end follows the last one.
    const QString eol = ScriptLineEnd == KvTextFile::LineEnd::CrLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const QByteArray bytes = KvTextFile::encode(shownLines().join(eol), KvTextFile::Codec::Local8Bit);
    QString error;
    const bool written = appending() ? KvTextFile::appendBytes(path, bytes, ScriptLineEnd, &error)
                                     : KvTextFile::writeBytes(path, bytes, &error);
    if (!written)
        kvInformation(this, windowTitle(), error);
}

int kvlisp::Dlg_exportsetting()
{
    DialogCallOptions options;
    options.withoutStateFile = true;
    return runDialogFunction<Dlg_QT_ExportSettings>(
        DialogSlot::ExportSettings,
        [](Dlg_QT_ExportSettings& dialog, LispArgs& args) {
            CKvString file;
            CKvString mode;
            args.nextString(file);
            // A missing mode, or one that is no text, writes a new script.
            if (args.nextString(mode) != LispArgs::Ok)
                mode = CKvString(QStringLiteral("new"));
            dialog.setArguments(file, mode);
        },
        [](Dlg_QT_ExportSettings&, bool accepted, CKvLispContext* context) {
            if (accepted)
                context->ReturnVoid();
            else
                context->ReturnNil();
        },
        options);
}
