#include "dialogs/text/Dlg_QT_TextFrame.h"

#include "exchange/ColorComboField.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"
#include "widgets/KvQtColorComboBox.h"

#include <QDoubleValidator>

Dlg_QT_TextFrame::Dlg_QT_TextFrame(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    color = kvAddColorComboBox(colorLayout, txbk, bk_hatch);
    // Plain decimal numbers only: an exponent ("1e3") is refused as it is typed.
    auto* number = new QDoubleValidator(offset);
    number->setNotation(QDoubleValidator::StandardNotation);
    offset->setValidator(number);
    m_state = std::make_unique<CDialogState>(this);

    connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_TextFrame::showHelp);
    for (QRadioButton* radio : {type_slot, type_rectangle, type_circle, bk_transparent, bk_hatch, constant, variable})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_TextFrame::updateDialog);
}

Dlg_QT_TextFrame::~Dlg_QT_TextFrame() = default;

void Dlg_QT_TextFrame::showHelp()
{
    m_state->showHelp(QStringLiteral("textframe"));
}

// The controls keep the user's last settings; the state file never changes them.
void Dlg_QT_TextFrame::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    updateDialog();
}

void Dlg_QT_TextFrame::updateDialog()
{
    // A circle, or a frame that follows each text, has no side to keep constant.
    groupConstant->setEnabled(!type_circle->isChecked() && !variable->isChecked());
    const bool hatched = bk_hatch->isChecked();
    txbk->setEnabled(hatched);
    color->setEnabled(hatched);
}

int kvlisp::Dlg_TextFrame()
{
    return runDialogFunction<Dlg_QT_TextFrame>(DialogSlot::TextFrame);
}
