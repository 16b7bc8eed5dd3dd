#pragma once

#include "ModalScript.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <functional>

class QTimer;
class QWidget;

// Does a person's work in modal windows: each block of its script applies to the next modal
// window that opens (a dialog by class, a message box, a file or folder dialog). A window
// that does not match, an unknown name or a failed check fails the script; so does a modal
// window left open longer than the timeout. After a failure every modal window is closed,
// also those that open later, so nothing waits for a person who is not there.
//
// A block's actions run one after another. A modal window that opens during an action (a
// click that shows a message box) is handled by the next block, and the action goes on when
// it has closed; the block's later actions then work in its own window again.
class ModalDriver final : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeout = 10000;

    explicit ModalDriver(QObject* parent = nullptr);
    ~ModalDriver() override;

    // Building a script in code: expect() starts a block, the others add to the last block.
    ModalDriver& expect(const QString& windowClass);
    ModalDriver& click(const QString& name);
    ModalDriver& set(const QString& name, const QString& value);
    ModalDriver& select(const QString& name, const QVector<int>& rows);
    ModalDriver& expectText(const QString& text);
    ModalDriver& expectValue(const QString& name, const QString& value);
    ModalDriver& expectEnabled(const QString& name, bool enabled);
    ModalDriver& choose(const QString& path);
    ModalDriver& cancel();
    // Runs code on the window; the code may call fail().
    ModalDriver& run(std::function<void(QWidget* window)> code);
    // Copies what the window (a message box's text, another window's title) or a named
    // widget shows into *into when the action runs; see WidgetActions::valueText().
    ModalDriver& capture(QString* into);
    ModalDriver& capture(const QString& name, QString* into);

    // Replaces the blocks with those of a script read from text or a file.
    void setScript(const ModalScript& script);
    const ModalScript& script() const { return m_script; }

    // Milliseconds a modal window may stay open without the script getting on.
    void setTimeout(int milliseconds);
    int timeout() const { return m_timeout; }

    // Starts watching for modal windows; stop() ends it (the destructor stops too).
    void start();
    void stop();
    bool isRunning() const { return m_running; }

    // Every block ran to its end and nothing failed.
    bool finished() const;
    bool failed() const { return !m_failure.isEmpty(); }
    // The first failure; without one, what is still waiting (empty when finished).
    QString failure() const;
    int blocksLeft() const;
    // "2 blocks not used: QMessageBox (block 3), QFileDialog (block 4)"; empty when none.
    QString leftOver() const;

    // Fails the script (first failure wins) and closes every modal window.
    void fail(const QString& message);

    // Closes every modal window, innermost first: rejects dialogs, closes other widgets.
    // Returns the descriptions of the windows it closed.
    static QStringList closeAllModals();

signals:
    // The first failure, when it happens.
    void failureOccurred(const QString& message);
    // A modal window closed because the script had failed.
    void windowSwept(const QString& description);
    // The script asks for a picture of the window as it is now.
    void pictureRequested(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Assigned
    {
        QPointer<QWidget> window;
        int block = -1;
        int action = -1; // the action running now; -1 before the first, actions.size() when done
    };

    ModalBlock& lastBlock();
    ModalDriver& add(ModalAction action);
    void poll();
    void assign(QWidget* window);
    void runBlock(QPointer<QWidget> window, int block);
    QString perform(QWidget* window, const ModalAction& action, int assignedBefore);
    void setCurrentAction(int block, int action);
    void watchdog(QWidget* window);
    void sweep();
    int assignedIndex(const QWidget* window);

    ModalScript m_script;
    QString m_buildError;
    int m_timeout = DefaultTimeout;
    QTimer* m_poll;
    QElapsedTimer m_progress;
    bool m_running = false;
    bool m_sweepQueued = false;
    int m_next = 0;             // the block the next modal window gets
    QVector<bool> m_done;       // blocks that ran to their end
    QVector<Assigned> m_assigned;
    QString m_failure;
};
