#include "ModalDriver.h"

#include "WidgetActions.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {
// How often the driver looks for a new modal window. Acting is always done in a queued call,
// so the poll itself never blocks and sees modal windows opened inside other modal windows.
constexpr int PollInterval = 5;
} // namespace

ModalDriver::ModalDriver(QObject* parent) : QObject(parent), m_poll(new QTimer(this))
{
    m_poll->setInterval(PollInterval);
    connect(m_poll, &QTimer::timeout, this, &ModalDriver::poll);
}

ModalDriver::~ModalDriver()
{
    stop();
}

ModalBlock& ModalDriver::lastBlock()
{
    if (m_script.blocks.isEmpty()) {
        if (m_buildError.isEmpty())
            m_buildError = QStringLiteral("an action was added before expect() named its window");
        m_script.blocks.append(ModalBlock{QStringLiteral("(no window class)"), {}, 1});
    }
    return m_script.blocks.last();
}

ModalDriver& ModalDriver::add(ModalAction action)
{
    ModalBlock& block = lastBlock();
    action.line = block.actions.size() + 1;
    block.actions.append(std::move(action));
    return *this;
}

ModalDriver& ModalDriver::expect(const QString& windowClass)
{
    m_script.blocks.append(ModalBlock{windowClass, {}, m_script.blocks.size() + 1});
    return *this;
}

namespace {
// An action of a block as the builder calls make it.
ModalAction action(ModalAction::Kind kind, const QString& name = QString(), const QString& value = QString())
{
    ModalAction a;
    a.kind = kind;
    a.name = name;
    a.value = value;
    return a;
}
} // namespace

ModalDriver& ModalDriver::click(const QString& name)
{
    return add(action(ModalAction::Kind::Click, name));
}

ModalDriver& ModalDriver::set(const QString& name, const QString& value)
{
    return add(action(ModalAction::Kind::Set, name, value));
}

ModalDriver& ModalDriver::select(const QString& name, const QVector<int>& rows)
{
    ModalAction a = action(ModalAction::Kind::Select, name);
    a.rows = rows;
    return add(a);
}

ModalDriver& ModalDriver::expectText(const QString& text)
{
    return add(action(ModalAction::Kind::ExpectText, QString(), text));
}

ModalDriver& ModalDriver::expectValue(const QString& name, const QString& value)
{
    return add(action(ModalAction::Kind::ExpectValue, name, value));
}

ModalDriver& ModalDriver::expectEnabled(const QString& name, bool enabled)
{
    ModalAction a = action(ModalAction::Kind::ExpectEnabled, name);
    a.enabled = enabled;
    return add(a);
}

ModalDriver& ModalDriver::choose(const QString& path)
{
    return add(action(ModalAction::Kind::Choose, QString(), path));
}

ModalDriver& ModalDriver::cancel()
{
    return add(action(ModalAction::Kind::Cancel));
}

ModalDriver& ModalDriver::run(std::function<void(QWidget*)> code)
{
    ModalAction a = action(ModalAction::Kind::Run);
    a.run = std::move(code);
    return add(a);
}

ModalDriver& ModalDriver::capture(QString* into)
{
    return capture(QString(), into);
}

ModalDriver& ModalDriver::capture(const QString& name, QString* into)
{
    ModalAction a = action(ModalAction::Kind::Capture, name);
    a.into = into;
    return add(a);
}

void ModalDriver::setScript(const ModalScript& script)
{
    m_script = script;
    m_buildError.clear();
    m_done.fill(false, m_script.blocks.size());
}

void ModalDriver::setTimeout(int milliseconds)
{
    m_timeout = std::max(1, milliseconds);
}

void ModalDriver::start()
{
    stop();
    m_failure.clear();
    m_next = 0;
    m_done.fill(false, m_script.blocks.size());
    m_running = true;
    m_progress.start();
    m_poll->start();
    if (!m_buildError.isEmpty()) {
        fail(m_buildError);
        return;
    }
    for (int i = 0; i < m_script.blocks.size(); ++i) {
        if (m_script.blocks.at(i).actions.isEmpty()) {
            fail(QStringLiteral("%1: the %2 block has no actions").arg(m_script.where(i), m_script.blocks.at(i).windowClass));
            return;
        }
    }
}

void ModalDriver::stop()
{
    m_running = false;
    m_poll->stop();
    for (const Assigned& a : qAsConst(m_assigned))
        if (a.window)
            a.window->removeEventFilter(this);
    m_assigned.clear();
}

bool ModalDriver::finished() const
{
    return !failed() && m_buildError.isEmpty() && std::all_of(m_done.cbegin(), m_done.cend(), [](bool d) { return d; });
}

int ModalDriver::blocksLeft() const
{
    return static_cast<int>(std::count(m_done.cbegin(), m_done.cend(), false));
}

QString ModalDriver::leftOver() const
{
    QStringList blocks;
    for (int i = 0; i < m_done.size(); ++i) {
        if (m_done.at(i))
            continue;
        QString text = QStringLiteral("%1 at %2").arg(m_script.blocks.at(i).windowClass, m_script.where(i));
        if (i < m_next)
            text += QStringLiteral(" (started, not finished)");
        blocks << text;
    }
    if (blocks.isEmpty())
        return QString();
    return QStringLiteral("%1 of %2 blocks not done: %3")
        .arg(blocks.size())
        .arg(m_script.blocks.size())
        .arg(blocks.join(QStringLiteral(", ")));
}

QString ModalDriver::failure() const
{
    if (failed())
        return m_failure;
    if (!m_buildError.isEmpty())
        return m_buildError;
    return leftOver();
}

void ModalDriver::fail(const QString& message)
{
    if (failed())
        return;
    m_failure = message.isEmpty() ? QStringLiteral("failed") : message;
    emit failureOccurred(m_failure);
    if (!m_sweepQueued) {
        m_sweepQueued = true;
        QTimer::singleShot(0, this, &ModalDriver::sweep);
    }
}

QStringList ModalDriver::closeAllModals()
{
    QStringList closed;
    QWidget* previous = nullptr;
    // Bounded: a window that reopens itself as it closes must not keep us here.
    for (int i = 0; i < 100; ++i) {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window == previous)
            break;
        previous = window;
        closed << WidgetActions::describeWindow(window);
        WidgetActions::closeWindow(window);
    }
    return closed;
}

void ModalDriver::sweep()
{
    m_sweepQueued = false;
    for (const QString& window : closeAllModals())
        emit windowSwept(window);
}

int ModalDriver::assignedIndex(const QWidget* window)
{
    m_assigned.erase(std::remove_if(m_assigned.begin(), m_assigned.end(), [](const Assigned& a) { return !a.window; }),
                     m_assigned.end());
    for (int i = 0; i < m_assigned.size(); ++i)
        if (m_assigned.at(i).window == window)
            return i;
    return -1;
}

void ModalDriver::setCurrentAction(int block, int action)
{
    for (Assigned& a : m_assigned)
        if (a.block == block)
            a.action = action;
}

bool ModalDriver::eventFilter(QObject* watched, QEvent* event)
{
    // A hidden window is done with; if the same object is shown again it counts as a new
    // window and gets the next block (dialogs are often kept and reopened).
    if (event->type() == QEvent::Hide) {
        for (int i = 0; i < m_assigned.size(); ++i) {
            if (m_assigned.at(i).window == watched) {
                m_assigned.removeAt(i);
                watched->removeEventFilter(this);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalDriver::poll()
{
    if (!m_running)
        return;
    QWidget* window = QApplication::activeModalWidget();
    if (!window) {
        // The timeout counts only while a modal window waits; code may run for long between.
        m_progress.restart();
        return;
    }
    if (failed()) {
        if (!m_sweepQueued) {
            m_sweepQueued = true;
            QTimer::singleShot(0, this, &ModalDriver::sweep);
        }
        return;
    }
    if (assignedIndex(window) < 0)
        assign(window);
    else if (m_progress.elapsed() > m_timeout)
        watchdog(window);
}

void ModalDriver::assign(QWidget* window)
{
    m_progress.restart();
    if (m_next >= m_script.blocks.size()) {
        fail(QStringLiteral("%1 opened, but the script has no block left for it (all %2 blocks were used)")
                 .arg(WidgetActions::describeWindow(window))
                 .arg(m_script.blocks.size()));
        return;
    }
    const ModalBlock& block = m_script.blocks.at(m_next);
    if (!WidgetActions::windowMatches(window, block.windowClass)) {
        fail(QStringLiteral("%1: expected a %2 window, but %3 opened")
                 .arg(m_script.where(m_next), block.windowClass, WidgetActions::describeWindow(window)));
        return;
    }
    const int index = m_next++;
    m_assigned.append(Assigned{window, index, -1});
    window->installEventFilter(this);
    QPointer<QWidget> guard(window);
    QTimer::singleShot(0, this, [this, guard, index] { runBlock(guard, index); });
}

void ModalDriver::runBlock(QPointer<QWidget> window, int index)
{
    if (failed() || !m_running || index >= m_script.blocks.size())
        return;
    // A copy: nested blocks run while an action of this one waits, and code may add blocks.
    const ModalBlock block = m_script.blocks.at(index);
    QPointer<ModalDriver> self(this);
    for (int i = 0; i < block.actions.size(); ++i) {
        const ModalAction& action = block.actions.at(i);
        setCurrentAction(index, i);
        const QString where = QStringLiteral("%1 in %2: %3").arg(m_script.where(index, action), block.windowClass, action.describe());
        if (!window || !window->isVisible()) {
            fail(where + QStringLiteral(": the window had closed before this action"));
            return;
        }
        const QString error = perform(window, action, m_next);
        if (!self || failed() || !m_running)
            return; // a nested block failed, the code under test called fail() or stop()
        if (!error.isEmpty()) {
            fail(where + QStringLiteral(": ") + error);
            return;
        }
        m_progress.restart();
    }
    setCurrentAction(index, block.actions.size());
    if (index < m_done.size())
        m_done[index] = true;
    m_progress.restart();
}

QString ModalDriver::perform(QWidget* window, const ModalAction& action, int assignedBefore)
{
    using Kind = ModalAction::Kind;
    switch (action.kind) {
    case Kind::Click:
        return WidgetActions::click(window, action.name);
    case Kind::Set:
        return WidgetActions::set(window, action.name, action.value);
    case Kind::Select:
        return WidgetActions::select(window, action.name, action.rows);
    case Kind::ExpectText:
        return WidgetActions::expectText(window, action.value);
    case Kind::ExpectValue:
        return WidgetActions::expectValue(window, action.name, action.value);
    case Kind::ExpectEnabled:
        return WidgetActions::expectEnabled(window, action.name, action.enabled);
    case Kind::Choose: {
        bool stillOpen = false;
        const QString error = WidgetActions::choose(window, action.value, &stillOpen);
        // Left open after a question the script answered (replace the file? No) is the
        // script's business; left open without a word means the dialog refused the path.
        if (error.isEmpty() && stillOpen && m_next == assignedBefore)
            return QStringLiteral("the dialog did not take the path and stays open");
        return error;
    }
    case Kind::Cancel:
        return WidgetActions::cancel(window);
    case Kind::Picture:
        emit pictureRequested(window);
        return QString();
    case Kind::Run:
        if (action.run)
            action.run(window);
        return QString();
    case Kind::Capture: {
        QWidget* widget = window;
        QString error;
        if (!action.name.isEmpty() && !(widget = WidgetActions::findNamed(window, action.name, &error)))
            return error;
        if (action.into)
            *action.into = WidgetActions::valueText(widget);
        return QString();
    }
    }
    return QStringLiteral("unknown action");
}

void ModalDriver::watchdog(QWidget* window)
{
    QString state;
    const int i = assignedIndex(window);
    if (i >= 0) {
        const Assigned& a = m_assigned.at(i);
        const ModalBlock& block = m_script.blocks.at(a.block);
        if (a.action >= block.actions.size())
            state = QStringLiteral("its block at %1 ran to the end without closing it").arg(m_script.where(a.block));
        else if (a.action < 0)
            state = QStringLiteral("its block at %1 has not started").arg(m_script.where(a.block));
        else
            state = QStringLiteral("its block waits at %1: %2")
                        .arg(m_script.where(a.block, block.actions.at(a.action)), block.actions.at(a.action).describe());
    }
    QString next;
    if (m_next < m_script.blocks.size())
        next = QStringLiteral("; the next block, %1 at %2, has not begun")
                   .arg(m_script.blocks.at(m_next).windowClass, m_script.where(m_next));
    fail(QStringLiteral("timed out after %1 ms with %2 open: %3%4")
             .arg(m_timeout)
             .arg(WidgetActions::describeWindow(window), state, next));
}
