#include "HostAutomation.h"

#include "automation/DialogRecorder.h"
#include "automation/ModalDriver.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <cstdio>

namespace {

const QString kScript = QStringLiteral("dialog-script");
const QString kScreenshots = QStringLiteral("screenshot-dir");
const QString kAutoClose = QStringLiteral("auto-close");
const QString kTimeout = QStringLiteral("dialog-timeout");

void report(const QString& text)
{
    std::fprintf(stderr, "kvhost: %s\n", qPrintable(text));
    std::fflush(stderr);
}

} // namespace

QList<QCommandLineOption> HostAutomation::commandLineOptions()
{
    return {
        QCommandLineOption(kScript,
                           QStringLiteral("Does a person's work in the modal windows as FILE says: each block applies to "
                                          "the next window that opens (format: examples/dialog-scripts/README.md). "
                                          "Exit code 3 when it fails or has blocks left."),
                           QStringLiteral("file")),
        QCommandLineOption(kScreenshots,
                           QStringLiteral("Saves a PNG of each module dialog and message box when it is shown, named "
                                          "after its class (Class.png, Class-2.png ...)."),
                           QStringLiteral("dir")),
        QCommandLineOption(kAutoClose, QStringLiteral("Cancels every dialog once it is shown (after its picture), so "
                                                      "LISP that opens dialogs runs without a person.")),
        QCommandLineOption(kTimeout,
                           QStringLiteral("Seconds a modal window may stay open under --dialog-script (default 10)."),
                           QStringLiteral("seconds")),
    };
}

bool HostAutomation::readOptions(const QCommandLineParser& parser, Options* options, QString* error)
{
    options->dialogScript = parser.value(kScript);
    options->screenshotDir = parser.value(kScreenshots);
    options->autoClose = parser.isSet(kAutoClose);
    if (parser.isSet(kScript) && options->dialogScript.isEmpty()) {
        *error = QStringLiteral("--dialog-script needs a file");
        return false;
    }
    if (parser.isSet(kScreenshots) && options->screenshotDir.isEmpty()) {
        *error = QStringLiteral("--screenshot-dir needs a folder");
        return false;
    }
    if (options->autoClose && !options->dialogScript.isEmpty()) {
        *error = QStringLiteral("--auto-close and --dialog-script do not go together: the script says how each window closes");
        return false;
    }
    if (parser.isSet(kTimeout)) {
        bool ok = false;
        const double seconds = parser.value(kTimeout).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 86400) {
            *error = QStringLiteral("--dialog-timeout takes seconds, more than 0 and at most 86400");
            return false;
        }
        options->timeoutMs = qMax(1, qRound(seconds * 1000));
    }
    return true;
}

HostAutomation::HostAutomation(const Options& options, QObject* parent) : QObject(parent), m_options(options) {}

HostAutomation::~HostAutomation() = default;

bool HostAutomation::start(QString* error)
{
    if (!m_options.dialogScript.isEmpty()) {
        ModalScript script;
        if (!ModalScript::load(m_options.dialogScript, &script, error))
            return false;
        m_driver = std::make_unique<ModalDriver>();
        m_driver->setScript(script);
        m_driver->setTimeout(m_options.timeoutMs);
        connect(m_driver.get(), &ModalDriver::failureOccurred, this, [this](const QString& message) {
            report(QStringLiteral("dialog script failed: ") + message);
            emit scriptFailed();
        });
        connect(m_driver.get(), &ModalDriver::windowSwept, this,
                [](const QString& window) { report(QStringLiteral("closed ") + window); });
    }
    if (!m_options.screenshotDir.isEmpty() || m_options.autoClose) {
        if (!m_options.screenshotDir.isEmpty() && !QDir().mkpath(m_options.screenshotDir)) {
            *error = QStringLiteral("cannot make the picture folder %1").arg(m_options.screenshotDir);
            return false;
        }
        m_recorder = std::make_unique<DialogRecorder>(m_options.screenshotDir, m_options.autoClose);
        connect(m_recorder.get(), &DialogRecorder::pictureSaved, this,
                [](const QString& path) { report(QStringLiteral("picture: ") + QDir::toNativeSeparators(path)); });
        connect(m_recorder.get(), &DialogRecorder::pictureFailed, this, [](const QString& message) { report(message); });
        connect(m_recorder.get(), &DialogRecorder::dialogClosed, this,
                [](const QString& dialog) { report(QStringLiteral("auto-closed ") + dialog); });
    }
    if (m_driver && m_recorder) {
        connect(m_driver.get(), &ModalDriver::pictureRequested, m_recorder.get(), [this](QWidget* window) {
            if (auto* dialog = qobject_cast<QDialog*>(window))
                m_recorder->picture(dialog);
        });
    }
    if (m_driver)
        m_driver->start();
    return true;
}

bool HostAutomation::failed() const
{
    return m_driver && m_driver->failed();
}

int HostAutomation::finish(int code)
{
    if (!m_driver)
        return code;
    if (!m_finished) {
        m_finished = true;
        m_driver->stop();
        // A failure was reported when it happened; blocks left over are reported now.
        if (!m_driver->failed() && !m_driver->finished())
            report(QStringLiteral("dialog script %1: %2").arg(m_options.dialogScript, m_driver->leftOver()));
    }
    return m_driver->finished() ? code : ScriptFailed;
}
