#pragma once

#include "HostAutomation.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class CKvDocument;
class CKvModuleLoader;
class MainWindow;

// kvhost's host side: its services and documents, the loaded module, and the evaluation
// of what is typed at the command line or given with --eval / --script.
class HostApplication : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString modulePath;
        QStringList evals;
        QString script;
        bool listFunctions = false;
        int documents = 1;
        QStringList drawings;
        QString userFolder;
        bool headless = false;
        QString windowPicture; // --window-picture: the main window saved after a batch run
        HostAutomation::Options automation;
    };

    explicit HostApplication(const Options& options);
    ~HostApplication() override;

    // Starts the host; returns the process exit code (batch) or -1 to enter the event loop.
    int start();
    void shutdown();
    // The exit code after the event loop: `code`, unless the dialog script failed or has
    // blocks left.
    int finish(int code);

    // Evaluates LISP source in the active document, printing each result (or only errors
    // and output); false on error.
    bool evaluate(const QString& source, bool printValues = true);
    void commandEntered(const QString& text);

    // Writes to the command line and, in batch mode, to standard output.
    void print(const QString& text);

private:
    void documentAdded(CKvDocument* document);

    Options m_options;
    std::unique_ptr<CKvModuleLoader> m_loader;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<HostAutomation> m_automation;
    bool m_batch = false;
};
