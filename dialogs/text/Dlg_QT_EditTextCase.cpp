#include "dialogs/text/Dlg_QT_EditTextCase.h"

#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "module/LispHandlers.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

namespace {

// A word longer than this may be broken anywhere when the text is shown.
constexpr int kLongestUnbrokenRun = 24;
// How much wider the dialog gets at a time when its texts are too long for the screen.
constexpr int kWidthStep = 80;

// The text as the labels show it: a long run without blanks (a path, a web address) gets
// zero-width break opportunities, so that it wraps instead of widening the dialog.
QString breakable(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / kLongestUnbrokenRun);
    int run = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestUnbrokenRun && !c.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += c;
    }
    return out;
}

} // namespace

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
    referenceEdit->setText(breakable(m_sourceText));
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

// The texts wrap at the dialog's width. The dialog grows downwards until they fit; where
// the screen is too low for that, it widens too, up to two thirds of the screen's width.
void Dlg_QT_EditTextCase::fitToTexts()
{
    QLayout* main = layout();
    if (!main)
        return;
    // A nested layout keeps the heights it measured for the old texts until it is told.
    for (QLayout* nested : findChildren<QLayout*>())
        nested->invalidate();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    int w = width();
    int h = main->totalHeightForWidth(w);
    while (h > available.height() && w + kWidthStep <= available.width() * 2 / 3) {
        w += kWidthStep;
        h = main->totalHeightForWidth(w);
    }
    h = qMin(h, available.height());
    if (w > width() || h > height())
        resize(qMax(w, width()), qMax(h, height()));
}

void Dlg_QT_EditTextCase::UpdatePreview()
{
    // The text the labels show, without the break opportunities added for showing it.
    const QString text = m_sourceText;
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
    previewLabel->setText(breakable(result));
    fitToTexts();
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
