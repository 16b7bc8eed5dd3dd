#include "dialogs/text/Dlg_QT_EditTextCase.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

Dlg_QT_EditTextCase::Dlg_QT_EditTextCase(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_styleName(), m_sourceText()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_EditTextCase::showHelp);
    for (QRadioButton* radio : {radioButton1, radioButton2, radioButton3, radioButton4, radioButton5})
        connect(radio, &QRadioButton::clicked, this, &Dlg_QT_EditTextCase::UpdatePreview);
}

Dlg_QT_EditTextCase::~Dlg_QT_EditTextCase() = default;

void Dlg_QT_EditTextCase::showHelp()
{
    m_state->showHelp(QStringLiteral("edittextcase"));
}

// This dialog never fills its controls from the state lines: it only reads the style
// the LISP side asks for.
void Dlg_QT_EditTextCase::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    referenceEdit->setText(m_sourceText);
    const QString wanted = m_state->stateValue(QStringLiteral("current"));
    const QString names[] = {tr("Sentence"), tr("Lower"), tr("Upper"), tr("Title"), tr("toGgle")};
    QRadioButton* radios[] = {radioButton1, radioButton2, radioButton3, radioButton4, radioButton5};
    for (int i = 0; i < 5; ++i) {
        if (wanted == names[i]) {
            radios[i]->setChecked(true);
            m_styleNumber = i + 1;
            break;
        }
    }
    UpdatePreview();
}

void Dlg_QT_EditTextCase::UpdatePreview()
{
    const QString text = referenceEdit->text();
    QString result;
    if (radioButton1->isChecked()) {
        result = toSentenceCase(text);
        m_styleName = tr("Sentence");
        m_styleNumber = Sentence;
    } else if (radioButton2->isChecked()) {
        result = text.toLower();
        m_styleName = tr("Lower");
        m_styleNumber = Lower;
    } else if (radioButton3->isChecked()) {
        result = text.toUpper();
        m_styleName = tr("Upper");
        m_styleNumber = Upper;
    } else if (radioButton4->isChecked()) {
        m_styleName = tr("Title");
        result = toTitleCase(text);
        m_styleNumber = Title;
    } else if (radioButton5->isChecked()) {
        result = toToggleCase(text);
        m_styleName = tr("toGgle");
        m_styleNumber = Toggle;
    }
    previewLabel->setText(result);
    m_state->setStateValue(QStringLiteral("current"), m_styleName);
    m_state->setAction(m_styleName);
}

QString Dlg_QT_EditTextCase::toSentenceCase(const QString& text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (!c.isLetter())
            continue;
        out[i] = i == 0 ? c.toUpper() : c.toLower();
    }
    return out;
}

QString Dlg_QT_EditTextCase::toTitleCase(const QString& text)
{
    QString out = text;
    bool startOfWord = true;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isSpace()) {
            startOfWord = true;
            continue;
        }
        if (c.isLetter())
            out[i] = startOfWord ? c.toUpper() : c.toLower();
        startOfWord = false;
    }
    return out;
}

QString Dlg_QT_EditTextCase::toToggleCase(const QString& text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isLetter())
            out[i] = c.isUpper() ? c.toLower() : c.toUpper();
    }
    return out;
}

int kvlisp::Dlg_edittextcase()
{
    return runDialogFunction<Dlg_QT_EditTextCase>(
        DialogSlot::EditTextCase,
        [](Dlg_QT_EditTextCase& dialog, LispArgs& args) {
            // A missing or non-string text converts the empty text.
            CKvString text;
            dialog.setSourceText(args.nextString(text) == LispArgs::Ok ? text : QString());
        },
        [](Dlg_QT_EditTextCase& dialog, bool accepted, CKvLispContext* context) {
            if (accepted)
                context->ReturnInteger(dialog.styleNumber());
            else
                context->ReturnNil();
        });
}
