#include "dialogs/text/Dlg_QT_TextMask.h"

#include "exchange/ColorComboField.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"
#include "widgets/KvQtColorComboBox.h"

#include <QLocale>
#include <QMessageBox>
#include <cmath>

Dlg_QT_TextMask::Dlg_QT_TextMask(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    color = kvAddColorComboBox(colorLayout, label_9, type_solid);
    m_state = std::make_unique<CDialogState>(this);

    // The setting belongs to the drawing the dialog is made in; it goes back there however
    // the user moves between documents later. A drawing without it is left alone.
    m_document = HostServices::activeDocument();
    m_database = m_document ? m_document->GetKvDatabase() : nullptr;
    m_hasSetting = HostServices::drawingSetting(m_document, settingName(), &m_savedSetting);

    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_TextMask::checkValues);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Helpbutton, &QPushButton::clicked, this, &Dlg_QT_TextMask::showHelp);
    for (QRadioButton* radio : {type_mask, type_3dface, type_solid})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_TextMask::updateDialog);
}

Dlg_QT_TextMask::~Dlg_QT_TextMask()
{
    writeSetting(m_savedSetting);
}

CKvDocument* Dlg_QT_TextMask::settingDocument() const
{
    // The document may have been closed, or its drawing replaced, since the dialog was made.
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocumentManager* documents = services ? services->GetDocumentManager() : nullptr;
    if (!m_document || !documents || documents->IndexOf(m_document) < 0)
        return nullptr;
    return m_document->GetKvDatabase() == m_database ? m_document : nullptr;
}

QString Dlg_QT_TextMask::settingName()
{
    return QStringLiteral("WIPEOUTFRAME");
}

void Dlg_QT_TextMask::writeSetting(short value) const
{
    if (m_hasSetting && settingDocument())
        HostServices::setDrawingSetting(m_document, settingName(), value);
}

void Dlg_QT_TextMask::showHelp()
{
    m_state->showHelp(QStringLiteral("textmask"));
}

// Unlike most dialogs this one takes the stored values on every show, not only the first.
void Dlg_QT_TextMask::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    m_state->applyState();
    updateDialog();
}

void Dlg_QT_TextMask::updateDialog()
{
    writeSetting(type_mask->isChecked() ? short(0) : m_savedSetting);
    groupback->setEnabled(type_solid->isChecked());
}

void Dlg_QT_TextMask::checkValues()
{
    bool ok = false;
    const double value = QLocale().toDouble(offset->text(), &ok);
    // "inf" reads as a number too, but no mask can be infinitely far from its text.
    if (ok && std::isfinite(value) && value >= 0) {
        accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString(), tr("Wrong dimension value."), QMessageBox::Ok, this);
    box.setInformativeText(tr("Must be positive or zero."));
    box.exec();
}

int kvlisp::Dlg_TextMask()
{
    return runDialogFunction<Dlg_QT_TextMask>(DialogSlot::TextMask);
}
