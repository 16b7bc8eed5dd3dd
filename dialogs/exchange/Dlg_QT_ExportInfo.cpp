#include "dialogs/exchange/Dlg_QT_ExportInfo.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QShowEvent>

Dlg_QT_ExportInfo::Dlg_QT_ExportInfo(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_ExportInfo::showHelp);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_ExportInfo::clickOK);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_ExportInfo::~Dlg_QT_ExportInfo() = default;

void Dlg_QT_ExportInfo::Help()
{
    m_state->showHelp(QStringLiteral("exportInfo"));
}

void Dlg_QT_ExportInfo::showHelp()
{
    Help();
}

void Dlg_QT_ExportInfo::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    if (!m_state->applied())
        m_state->applyState();
    m_written = false;
    steps->setPlainText(QStringLiteral("1. \r\n2. \r\n3. \r\n4. \r\n5. \r\n... \r\n"));
    // Shown as plain text: the information is the LISP side's, markup and all.
    lstInfo->setPlainText(KvSupportReport::readSystemInfo(m_infoFile));
}

KvSupportReport::Fields Dlg_QT_ExportInfo::fields() const
{
    KvSupportReport::Fields f;
    f.name = m_state->storedFullText(lineEdit, lineEdit->text());
    f.email = m_state->storedFullText(lineEdit_2, lineEdit_2->text());
    f.phone = m_state->storedFullText(lineEdit_3, lineEdit_3->text());
    f.issue = textEdit_2->toPlainText();
    f.steps = steps->toPlainText();
    f.systemInfo = lstInfo->toPlainText();
    return f;
}

void Dlg_QT_ExportInfo::clickOK()
{
    const KvSupportReport::Fields report = fields();
    m_written = false;
    m_reportFile = QFileDialog::getSaveFileName(this, tr("Export information"), QStringLiteral("."),
                                                tr("Text files (*.txt)"));
    if (!m_reportFile.isEmpty()) {
        QString error;
        if (!KvSupportReport::write(m_reportFile, report, &error)) {
            // The user keeps what was typed and may choose another file, or cancel.
            kvInformation(this, windowTitle(), tr("The report was not saved.\n%1").arg(error));
            return;
        }
        m_written = true;
    }
    accept();
}

int kvlisp::Dlg_ExportInfo()
{
    return runDialogFunction<Dlg_QT_ExportInfo>(
        DialogSlot::ExportInfo,
        [](Dlg_QT_ExportInfo& dialog, LispArgs& args) {
            // Without a new path the file of the last call stays.
            CKvString path;
            if (args.nextString(path) == LispArgs::Ok)
                dialog.setSystemInfoFile(path);
        },
        [](Dlg_QT_ExportInfo& dialog, bool accepted, CKvLispContext* context) {
            if (!accepted || !dialog.reportWritten()) {
                context->ReturnString(QString(""));
                return;
            }
            context->ReturnString(QStringLiteral("\n")
                                  + QCoreApplication::translate("LispExtension", "Settings saved to: \"")
                                  + dialog.reportFile()
                                  + QCoreApplication::translate("LispExtension", "\" successfully."));
        });
}
