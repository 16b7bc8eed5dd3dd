#pragma once

#include <QStringList>

#include "kernel/KvUserIO.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class CommandLine;
class DocumentView;
class HostApplication;
class PromptOverlay;
class QEventLoop;
class QMainWindow;

// Answers the documents' prompts in kvhost. With the main window shown, the command line
// shows the prompt and waits (Return answers, Escape cancels, clicks in the drawing give
// points); while a command waits the menus and document tabs are off. Without a window
// (--eval, --script) each answer is a line of standard input, echoed after its prompt, so a
// session replays from a file; at the end of the input every prompt is cancelled.
// It also gives every document the host's own (ssget [mode]), which a person needs to hand a
// selection set to the module's drag.
class PromptInput : public QObject, public CKvInputSource
{
    Q_OBJECT
public:
    PromptInput(HostApplication* host, QMainWindow* window, CommandLine* commandLine);
    ~PromptInput() override;

    KvPromptAnswer Ask(const KvPromptRequest& request) override;
    void Print(const CKvString& text) override;
    void MessageChanged(const CKvString& text) override;
    void DragShown(CKvDocument* document, const QVector<OdDbObjectId>& ids, const double matrix[4][4]) override;
    void DragEnded(CKvDocument* document) override;

    // What a typed line means at a prompt: empty is Enter, "<Esc>" or the escape character is Esc.
    static KvPromptAnswer answerFromLine(const QString& line);
    // The prompt as one line of the command line (leading line breaks dropped).
    static QString shownPrompt(const KvPromptRequest& request);
    // The functions kvhost itself defines in every document (not the module's).
    static QStringList hostFunctions() { return {QStringLiteral("ssget")}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KvPromptAnswer askStandardInput(const KvPromptRequest& request);
    KvPromptAnswer askCommandLine(const KvPromptRequest& request);
    void finish(const KvPromptAnswer& answer);
    void setBusy(bool busy);
    DocumentView* viewOf(CKvDocument* document) const;
    PromptOverlay* overlayOf(CKvDocument* document);
    void defineHostFunctions(CKvDocument* document);

    HostApplication* m_host;
    QPointer<QMainWindow> m_window;
    QPointer<CommandLine> m_commandLine;
    QHash<CKvDocument*, QPointer<PromptOverlay>> m_overlays;
    QEventLoop* m_loop = nullptr;
    const KvPromptRequest* m_request = nullptr;
    KvPromptAnswer m_answer;
    bool m_stdinAtEnd = false;
};
