#include "PromptInput.h"

#include "CommandLine.h"
#include "DocumentView.h"
#include "HostApplication.h"
#include "PromptOverlay.h"

#include "kernel/KvDocument.h"
#include "kernel/KvInputText.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSystemServices.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <iostream>
#include <string>

namespace {

// (ssget [mode]): a selection at the command line, handed to LISP as a selection set.
int hostSsget()
{
    CKvDocument* document = ACTIVE_DOCUMENT();
    CKvLispContext* context = document ? document->GetLispContext() : nullptr;
    if (!context)
        return kvrt::Error;
    kv_resbuf* args = context->GetArgumentList();
    CKvString mode;
    if (args && args->restype == kvrt::String && args->resval.rstring)
        mode = CKvString(args->resval.rstring);
    context->ReleaseChain(args);
    int64_t name[2] = {0, 0};
    if (context->Select(mode, nullptr, nullptr, nullptr, name) == kvrt::Normal) {
        kv_resbuf* set = context->NewNode(kvrt::PickSet);
        set->resval.rlname[0] = name[0];
        set->resval.rlname[1] = name[1];
        context->ReturnValue(set);
        context->ReleaseChain(set);
    } else {
        context->ReturnNil();
    }
    return kvrt::Normal;
}

bool picksInTheDrawing(KvPromptRequest::Kind kind)
{
    switch (kind) {
    case KvPromptRequest::Entity:
    case KvPromptRequest::Selection:
    case KvPromptRequest::Point:
    case KvPromptRequest::Corner:
    case KvPromptRequest::Distance:
    case KvPromptRequest::Angle:
    case KvPromptRequest::Drag:
        return true;
    default:
        return false;
    }
}

} // namespace

PromptInput::PromptInput(HostApplication* host, QMainWindow* window, CommandLine* commandLine)
    : QObject(window), m_host(host), m_window(window), m_commandLine(commandLine)
{
    CKvUserIO::SetDefaultInputSource(this);
    if (m_commandLine) {
        m_commandLine->input()->installEventFilter(this);
        // A point typed during a drag moves the dragged entities before Return is pressed.
        connect(m_commandLine->input(), &QLineEdit::textEdited, this, [this](const QString& text) {
            if (!m_request || !m_request->cursorMoved || !m_request->document)
                return;
            double point[3] = {0, 0, 0};
            const double* base = m_request->hasBase ? m_request->base : m_request->document->LastPoint();
            if (KvInputText::parsePoint(text, base, m_request->document->UcsOrigin(), point))
                m_request->cursorMoved(point);
        });
    }
    if (CKvSystemServices* services = GetKvSystemServices()) {
        if (CKvDocumentManager* manager = services->GetDocumentManager()) {
            for (short i = 0; i < manager->DocumentCount(); ++i)
                defineHostFunctions(manager->GetDocument(i));
            connect(manager, &CKvDocumentManager::documentAdded, this, &PromptInput::defineHostFunctions);
        }
    }
}

PromptInput::~PromptInput()
{
    if (CKvUserIO::DefaultInputSource() == this)
        CKvUserIO::SetDefaultInputSource(nullptr);
    if (m_loop)
        m_loop->quit();
}

void PromptInput::defineHostFunctions(CKvDocument* document)
{
    if (document && document->GetLispContext() && !document->GetLispContext()->IsFunctionDefined(QStringLiteral("ssget")))
        document->GetLispContext()->DefineFunction(QStringLiteral("ssget"), &hostSsget);
}

QString PromptInput::shownPrompt(const KvPromptRequest& request)
{
    QString text = request.prompt;
    while (text.startsWith(QLatin1Char('\n')) || text.startsWith(QLatin1Char('\r')))
        text.remove(0, 1);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    return text;
}

KvPromptAnswer PromptInput::answerFromLine(const QString& line)
{
    QString text = line;
    while (text.endsWith(QLatin1Char('\r')) || text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return KvPromptAnswer::enter();
    if (text == QLatin1String("<Esc>") || text == QString(QChar(0x1b)))
        return KvPromptAnswer::cancel();
    return KvPromptAnswer::typed(text);
}

KvPromptAnswer PromptInput::Ask(const KvPromptRequest& request)
{
    // Prompts do not nest; a second one while the first waits is cancelled.
    if (m_loop)
        return KvPromptAnswer::cancel();
    if (m_window && m_window->isVisible() && m_commandLine)
        return askCommandLine(request);
    return askStandardInput(request);
}

KvPromptAnswer PromptInput::askStandardInput(const KvPromptRequest& request)
{
    const QString prompt = shownPrompt(request);
    std::string line;
    if (m_stdinAtEnd || !std::getline(std::cin, line)) {
        m_stdinAtEnd = true;
        m_host->print(prompt + QStringLiteral("*Cancel*"));
        return KvPromptAnswer::noMore();
    }
    const KvPromptAnswer answer = answerFromLine(QString::fromUtf8(line.c_str(), int(line.size())));
    m_host->print(prompt + (answer.type == KvPromptAnswer::Cancel ? QStringLiteral("*Cancel*") : QString(answer.text)));
    return answer;
}

KvPromptAnswer PromptInput::askCommandLine(const KvPromptRequest& request)
{
    const QString prompt = shownPrompt(request);
    m_request = &request;
    m_answer = KvPromptAnswer::noMore();
    m_commandLine->setPrompt(prompt.trimmed());
    m_commandLine->focusInput();
    if (!request.message.isEmpty())
        m_window->statusBar()->showMessage(request.message);

    PromptOverlay* overlay = picksInTheDrawing(request.kind) ? overlayOf(request.document) : nullptr;
    if (overlay) {
        const double* origin = request.document ? request.document->UcsOrigin() : nullptr;
        auto moved = [this, origin](const QPointF& world) {
            if (m_window)
                m_window->statusBar()->showMessage(QStringLiteral("%1, %2")
                                                       .arg(world.x() - (origin ? origin[0] : 0), 0, 'f', 4)
                                                       .arg(world.y() - (origin ? origin[1] : 0), 0, 'f', 4));
            if (m_request && m_request->cursorMoved) {
                const double point[3] = {world.x(), world.y(), 0};
                m_request->cursorMoved(point);
            }
        };
        // A click answers as the point typed in user coordinates would.
        auto clicked = [this, origin](const QPointF& world) {
            finish(KvPromptAnswer::typed(QStringLiteral("%1,%2")
                                             .arg(world.x() - (origin ? origin[0] : 0), 0, 'f', 4)
                                             .arg(world.y() - (origin ? origin[1] : 0), 0, 'f', 4)));
        };
        overlay->setPicking(true, moved, clicked);
    }

    setBusy(true);
    QEventLoop loop;
    m_loop = &loop;
    QMetaObject::Connection closed;
    if (m_window)
        closed = connect(m_window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(closed);
    m_loop = nullptr;
    m_request = nullptr;
    setBusy(false);
    if (overlay)
        overlay->setPicking(false);
    if (m_commandLine)
        m_commandLine->setPrompt(QStringLiteral("Command:"));

    const QString shown = m_answer.type == KvPromptAnswer::Text ? QString(m_answer.text)
                          : m_answer.type == KvPromptAnswer::Enter ? QString()
                                                                   : QStringLiteral("*Cancel*");
    m_host->print(prompt + shown);
    return m_answer;
}

void PromptInput::finish(const KvPromptAnswer& answer)
{
    m_answer = answer;
    if (m_loop)
        m_loop->quit();
}

void PromptInput::setBusy(bool busy)
{
    // While a command waits for an answer the drawing must stay the one it works on: no
    // closing, opening or switching documents.
    if (!m_window)
        return;
    for (QAction* action : m_window->menuBar()->findChildren<QAction*>()) {
        if (busy) {
            action->setProperty("kvEnabledBeforePrompt", action->isEnabled());
            action->setEnabled(false);
        } else if (action->property("kvEnabledBeforePrompt").isValid()) {
            action->setEnabled(action->property("kvEnabledBeforePrompt").toBool());
            action->setProperty("kvEnabledBeforePrompt", QVariant());
        }
    }
    if (auto* tabs = m_window->findChild<QTabWidget*>(QStringLiteral("documentTabs")))
        tabs->tabBar()->setEnabled(!busy);
}

bool PromptInput::eventFilter(QObject* watched, QEvent* event)
{
    if (m_loop && m_commandLine && watched == m_commandLine->input() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QString text = m_commandLine->input()->text();
            m_commandLine->input()->clear();
            finish(answerFromLine(text));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_commandLine->input()->clear();
            finish(KvPromptAnswer::cancel());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PromptInput::Print(const CKvString& text)
{
    m_host->print(text);
}

void PromptInput::MessageChanged(const CKvString& text)
{
    if (text.isEmpty()) {
        if (m_window && m_window->isVisible())
            m_window->statusBar()->clearMessage();
        return;
    }
    m_host->print(text);
    if (m_window && m_window->isVisible())
        m_window->statusBar()->showMessage(text);
}

DocumentView* PromptInput::viewOf(CKvDocument* document) const
{
    if (!m_window || !document)
        return nullptr;
    for (DocumentView* view : m_window->findChildren<DocumentView*>())
        if (view->document() == document)
            return view;
    return nullptr;
}

PromptOverlay* PromptInput::overlayOf(CKvDocument* document)
{
    QPointer<PromptOverlay>& overlay = m_overlays[document];
    DocumentView* view = viewOf(document);
    if (!view)
        return nullptr;
    if (!overlay || overlay->parentWidget() != view)
        overlay = new PromptOverlay(view);
    overlay->raise();
    return overlay;
}

void PromptInput::DragShown(CKvDocument* document, const QVector<OdDbObjectId>& ids, const double matrix[4][4])
{
    if (PromptOverlay* overlay = overlayOf(document))
        overlay->showDrag(ids, QTransform(matrix[0][0], matrix[1][0], matrix[0][1], matrix[1][1], matrix[0][3], matrix[1][3]));
}

void PromptInput::DragEnded(CKvDocument* document)
{
    if (PromptOverlay* overlay = m_overlays.value(document))
        overlay->clearDrag();
}
