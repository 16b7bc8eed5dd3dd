#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class DialogRecorder;
class ModalDriver;
class QCommandLineOption;
class QCommandLineParser;

// kvhost's modal automation: replays a dialog script in the modal windows (--dialog-script),
// saves a picture of each dialog as it is shown (--screenshot-dir) and closes it
// (--auto-close), and turns what went wrong into a message and an exit code.
class HostAutomation : public QObject
{
    Q_OBJECT
public:
    // The exit code when the dialog script failed or has blocks no window used.
    static constexpr int ScriptFailed = 3;

    struct Options
    {
        QString dialogScript;
        QString screenshotDir;
        bool autoClose = false;
        int timeoutMs = 10000;

        bool any() const { return !dialogScript.isEmpty() || !screenshotDir.isEmpty() || autoClose; }
    };

    static QList<QCommandLineOption> commandLineOptions();
    // Reads the options added by commandLineOptions(); false with *error on bad values.
    static bool readOptions(const QCommandLineParser& parser, Options* options, QString* error);

    explicit HostAutomation(const Options& options, QObject* parent = nullptr);
    ~HostAutomation() override;

    // Reads the dialog script, makes the picture folder and starts watching; false with
    // *error when the script cannot be read or the folder cannot be made.
    bool start(QString* error);
    bool failed() const;
    // The process exit code: `code`, unless the dialog script failed or has blocks left,
    // which is reported on standard error and gives ScriptFailed.
    int finish(int code);

signals:
    // The dialog script failed (already reported on standard error).
    void scriptFailed();

private:
    Options m_options;
    std::unique_ptr<ModalDriver> m_driver;
    std::unique_ptr<DialogRecorder> m_recorder;
    bool m_finished = false;
};
