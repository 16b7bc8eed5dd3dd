#include "exchange/ElidedPathField.h"

#include "exchange/DialogState.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>

namespace {
const char* const ValueProperty = "value";

QString elided(const QLineEdit* field, const QString& text)
{
    const int width = qMax(0, field->width() - 8);
    return QFontMetrics(field->font()).elidedText(text, Qt::ElideMiddle, width, Qt::TextSingleLine);
}

bool showsElidedForm(const QLineEdit* field)
{
    const QString shown = field->text();
    const QString full = field->property(ValueProperty).toString();
    return shown != full && CDialogState::isElidedForm(shown, full);
}
} // namespace

ElidedPathField::ElidedPathField(QLineEdit* field) : QObject(field), m_field(field)
{
    if (!field)
        return;
    field->installEventFilter(this);
    connect(field, &QLineEdit::returnPressed, this, [this] {
        if (m_field)
            emit pathCommitted(commit(m_field));
    });
}

ElidedPathField::~ElidedPathField() = default;

void ElidedPathField::setPath(const QString& path)
{
    if (!m_field)
        return;
    m_field->setProperty(ValueProperty, path);
    m_field->setText(m_field->hasFocus() ? path : elided(m_field, path));
}

QString ElidedPathField::path() const
{
    return m_field ? pathOf(m_field) : QString();
}

QString ElidedPathField::pathOf(const QLineEdit* field)
{
    if (!field)
        return QString();
    return showsElidedForm(field) ? field->property(ValueProperty).toString() : field->text();
}

void ElidedPathField::expand(QLineEdit* field)
{
    if (field && showsElidedForm(field))
        field->setText(field->property(ValueProperty).toString());
}

QString ElidedPathField::commit(QLineEdit* field)
{
    if (!field)
        return QString();
    if (!showsElidedForm(field))
        field->setProperty(ValueProperty, field->text());
    reelide(field);
    return field->property(ValueProperty).toString();
}

void ElidedPathField::reelide(QLineEdit* field)
{
    if (!field)
        return;
    const QString full = field->property(ValueProperty).toString();
    const QString shown = field->hasFocus() ? full : elided(field, full);
    if (field->text() != shown)
        field->setText(shown);
}

bool ElidedPathField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field) {
        switch (event->type()) {
        case QEvent::FocusIn:
            expand(m_field);
            break;
        case QEvent::FocusOut:
            emit pathCommitted(commit(m_field));
            break;
        case QEvent::Resize:
            if (!m_field->hasFocus() && !m_field->property(ValueProperty).toString().isEmpty())
                reelide(m_field);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
