#pragma once

#include <QMainWindow>

class CKvDocument;
class CommandLine;
class HostApplication;
class QTabWidget;

// kvhost's main window: the documents as tabs above the command line.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(HostApplication* host);

    CommandLine* commandLine() const { return m_commandLine; }

private:
    void addDocumentTab(CKvDocument* document);
    void removeDocumentTab(CKvDocument* document);
    void openDrawing();

    HostApplication* m_host;
    QTabWidget* m_tabs;
    CommandLine* m_commandLine;
};
