#include "MainWindow.h"

#include "CommandLine.h"
#include "DocumentView.h"
#include "HostApplication.h"
#include "PromptInput.h"
#include "SampleDrawing.h"

#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/lisp/KvLispEngine.h"
#include "kernel/KvSystemServices.h"

#include <QDockWidget>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>

MainWindow::MainWindow(HostApplication* host)
    : m_host(host), m_tabs(new QTabWidget(this)), m_commandLine(new CommandLine(this))
{
    setObjectName(QStringLiteral("kvhostMainWindow"));
    setWindowTitle(QStringLiteral("kvhost"));
    resize(1000, 700);
    m_tabs->setObjectName(QStringLiteral("documentTabs"));
    m_tabs->setDocumentMode(true);
    m_tabs->setTabsClosable(true);
    setCentralWidget(m_tabs);

    auto* dock = new QDockWidget(tr("Command line"), this);
    dock->setObjectName(QStringLiteral("commandDock"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setWidget(m_commandLine);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    m_commandLine->setMinimumHeight(160);

    CKvDocumentManager* manager = GetKvSystemServices()->GetDocumentManager();
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), this, [manager] { manager->NewDocument(QString()); }, QKeySequence::New);
    file->addAction(tr("New &Sample"), this, [this, manager] {
        if (CKvDocument* d = SampleDrawing::newDocument(*manager))
            m_host->print(tr("Sample drawing (pick by point or by handle):\n%1").arg(SampleDrawing::describe(*d->GetKvDatabase())));
    });
    file->addAction(tr("&Open..."), this, &MainWindow::openDrawing, QKeySequence::Open);
    file->addAction(tr("&Close"), this, [manager] {
        if (CKvDocument* d = manager->ActiveDocument())
            manager->CloseDocument(d);
    }, QKeySequence::Close);
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close, QKeySequence::Quit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    auto currentView = [this] { return qobject_cast<DocumentView*>(m_tabs->currentWidget()); };
    view->addAction(tr("Zoom &Extents"), this, [currentView] {
        if (DocumentView* v = currentView())
            v->zoomExtents();
    }, QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addAction(tr("Zoom &In"), this, [currentView] {
        if (DocumentView* v = currentView())
            v->zoomAt(QRectF(v->rect()).center(), 1.25);
    }, QKeySequence::ZoomIn);
    view->addAction(tr("Zoom &Out"), this, [currentView] {
        if (DocumentView* v = currentView())
            v->zoomAt(QRectF(v->rect()).center(), 0.8);
    }, QKeySequence::ZoomOut);

    // Tab completes the function name being typed from the active document's functions.
    m_commandLine->setCompletions([manager] {
        CKvDocument* d = manager->ActiveDocument();
        return d && d->GetLispContext() ? d->GetLispContext()->engine().functionNames() : QStringList();
    });

    for (short i = 0; i < manager->DocumentCount(); ++i)
        addDocumentTab(manager->GetDocument(i));
    connect(manager, &CKvDocumentManager::documentAdded, this, &MainWindow::addDocumentTab);
    connect(manager, &CKvDocumentManager::documentRemoved, this, &MainWindow::removeDocumentTab);
    connect(manager, &CKvDocumentManager::activeDocumentChanged, this, [this](CKvDocument* d) {
        for (int i = 0; i < m_tabs->count(); ++i)
            if (static_cast<DocumentView*>(m_tabs->widget(i))->document() == d)
                m_tabs->setCurrentIndex(i);
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this, manager](int index) {
        if (index >= 0)
            manager->ActivateDocument(static_cast<DocumentView*>(m_tabs->widget(index))->document());
    });
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, [this, manager](int index) {
        manager->CloseDocument(static_cast<DocumentView*>(m_tabs->widget(index))->document());
    });
    connect(m_commandLine, &CommandLine::entered, m_host, &HostApplication::commandEntered);
    // Prompts of the documents are answered here (command line, clicks, standard input).
    new PromptInput(m_host, this, m_commandLine);
    statusBar()->showMessage(tr("Ready"));
}

void MainWindow::addDocumentTab(CKvDocument* document)
{
    auto* view = new DocumentView(document, m_tabs);
    m_tabs->addTab(view, document->GetTitle());
    m_tabs->setCurrentWidget(view);
}

void MainWindow::removeDocumentTab(CKvDocument* document)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* view = static_cast<DocumentView*>(m_tabs->widget(i));
        if (view->document() == document) {
            m_tabs->removeTab(i);
            view->deleteLater();
            return;
        }
    }
}

void MainWindow::openDrawing()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open drawing"), QString(),
                                                      tr("Drawings (*.dxf *.dwg);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (GetKvSystemServices()->GetDocumentManager()->OpenDocument(path, &error))
        return;
    // The reason names the file: shown as it is, whatever characters the path holds.
    QMessageBox box(QMessageBox::Information, tr("Open drawing"), error, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
