#include "dialogs/text/Dlg_QT_numbertext.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

Dlg_QT_numbertext::Dlg_QT_numbertext(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ButtonCancel_2, &QPushButton::clicked, this, &Dlg_QT_numbertext::showHelp);
    for (QRadioButton* radio : {placement_sufix, placement_replace, placement_prefix, placement_over})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_numbertext::RefreshPages);
}

Dlg_QT_numbertext::~Dlg_QT_numbertext() = default;

void Dlg_QT_numbertext::showHelp()
{
    m_state->showHelp(QStringLiteral("numbertext"));
}

// The controls keep the user's last settings; the state file never changes them.
void Dlg_QT_numbertext::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    RefreshPages();
}

void Dlg_QT_numbertext::RefreshPages()
{
    int page = 0;
    if (placement_replace->isChecked())
        page = 1;
    else if (placement_over->isChecked())
        page = 2;
    pages->setCurrentIndex(page);
}

int kvlisp::Dlg_NumberText()
{
    return runDialogFunction<Dlg_QT_numbertext>(DialogSlot::NumberText);
}
