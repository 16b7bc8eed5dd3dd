#include "dialogs/text/DLG_QT_ConvertNotes.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

// The controls keep the user's last choices between calls; the state file never sets them.
DLG_QT_ConvertNotes::DLG_QT_ConvertNotes(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &DLG_QT_ConvertNotes::showHelp);
}

DLG_QT_ConvertNotes::~DLG_QT_ConvertNotes() = default;

void DLG_QT_ConvertNotes::showHelp()
{
    m_state->showHelp(QStringLiteral("convertsimplenotes"));
}

int kvlisp::Dlg_convertsimplesnotes()
{
    return runDialogFunction<DLG_QT_ConvertNotes>(DialogSlot::ConvertNotes);
}
