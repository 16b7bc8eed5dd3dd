#include "CommandLine.h"

#include "kernel/lisp/KvLispEngine.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

CommandLine::CommandLine(QWidget* parent)
    : QWidget(parent), m_history(new QPlainTextEdit(this)), m_prompt(new QLabel(this)), m_input(new QLineEdit(this))
{
    setObjectName(QStringLiteral("commandLine"));
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_history->setObjectName(QStringLiteral("commandHistory"));
    m_history->setReadOnly(true);
    m_history->setFont(mono);
    m_history->setMaximumBlockCount(5000);
    m_history->setFocusPolicy(Qt::ClickFocus);
    m_input->setObjectName(QStringLiteral("commandInput"));
    m_input->setFont(mono);
    m_prompt->setFont(mono);
    m_prompt->setText(QStringLiteral("Command:"));
    m_input->installEventFilter(this);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_prompt);
    row->addWidget(m_input, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_history, 1);
    layout->addLayout(row);

    connect(m_input, &QLineEdit::returnPressed, this, &CommandLine::submit);
}

void CommandLine::print(const QString& text)
{
    QString t = text;
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    m_history->appendPlainText(t);
    m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
}

void CommandLine::setPrompt(const QString& prompt)
{
    m_prompt->setText(prompt);
}

QString CommandLine::prompt() const
{
    return m_prompt->text();
}

void CommandLine::focusInput()
{
    m_input->setFocus();
}

void CommandLine::submit()
{
    const QString text = m_input->text();
    m_input->clear();
    if (!text.trimmed().isEmpty() && (m_recall.isEmpty() || m_recall.last() != text))
        m_recall.append(text);
    m_recallIndex = m_recall.size();
    emit entered(text);
}

void CommandLine::completeName()
{
    if (!m_completions)
        return;
    const KvLispEngine::Completion c = KvLispEngine::complete(m_input->text(), m_input->cursorPosition(), m_completions());
    const bool extended = c.line != m_input->text();
    m_input->setText(c.line);
    m_input->setCursorPosition(c.cursor);
    // Several names and nothing more to add: show them, as a shell does.
    if (!extended && !c.candidates.isEmpty())
        print(c.candidates.join(QStringLiteral("  ")));
}

bool CommandLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up && !m_recall.isEmpty()) {
            m_recallIndex = qMax(0, m_recallIndex - 1);
            m_input->setText(m_recall.at(m_recallIndex));
            return true;
        }
        if (key->key() == Qt::Key_Down && !m_recall.isEmpty()) {
            m_recallIndex = qMin(m_recall.size(), m_recallIndex + 1);
            m_input->setText(m_recallIndex < m_recall.size() ? m_recall.at(m_recallIndex) : QString());
            return true;
        }
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            completeName();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            emit escapePressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
