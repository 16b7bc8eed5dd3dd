#include "HostApplication.h"

#include "CommandLine.h"
#include "MainWindow.h"
#include "PromptInput.h"
#include "SeedFolders.h"

#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvModuleLoader.h"
#include "kernel/KvSystemServices.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextStream>
#include <cstdio>

HostApplication::HostApplication(const Options& options) : m_options(options) {}

HostApplication::~HostApplication()
{
    shutdown();
}

void HostApplication::print(const QString& text)
{
    if (m_window)
        m_window->commandLine()->print(text);
    if (m_batch) {
        QTextStream out(stdout);
        out << text;
        if (!text.endsWith(QLatin1Char('\n')))
            out << '\n';
        out.flush();
    }
}

void HostApplication::documentAdded(CKvDocument* document)
{
    document->GetLispContext()->engine().setOutputHandler([this](const QString& text) {
        if (m_window)
            m_window->commandLine()->print(text);
        if (m_batch) {
            QTextStream out(stdout);
            out << text;
            out.flush();
        }
    });
}

int HostApplication::start()
{
    m_batch = !m_options.evals.isEmpty() || !m_options.script.isEmpty() || m_options.listFunctions;

    if (m_options.automation.any()) {
        m_automation = std::make_unique<HostAutomation>(m_options.automation);
        QString error;
        if (!m_automation->start(&error)) {
            std::fprintf(stderr, "kvhost: %s\n", qPrintable(error));
            return 2;
        }
        // In the event loop a failed dialog script ends kvhost; a batch run stops evaluating.
        if (!m_batch)
            connect(m_automation.get(), &HostAutomation::scriptFailed, this,
                    [] { QCoreApplication::exit(HostAutomation::ScriptFailed); });
    }

    CKvSystemServices::Options so;
    so.userFolder = m_options.userFolder;
    // The support folder also holds the command aliases, as a host keeps them with its support files.
    const QString support = QDir(m_options.userFolder).filePath(QStringLiteral("support"));
    QDir().mkpath(support);
    so.supportFolders = QStringList{support};
    so.aliasFolder = support;
    so.helpFile = QStringLiteral("kvhost-help.qch");
    CKvSystemServices* services = CKvSystemServices::Create(so);
    QStringList seedErrors;
    SeedFolders::seed(services->GetSettings()->GetUserFolder(), services->GetSettings()->GetLogFilePath(), &seedErrors);
    for (const QString& problem : seedErrors)
        std::fprintf(stderr, "kvhost: %s\n", qPrintable(problem));
    CKvDocumentManager* manager = services->GetDocumentManager();
    connect(manager, &CKvDocumentManager::documentAdded, this, &HostApplication::documentAdded);

    for (int i = 0; i < m_options.documents; ++i)
        manager->NewDocument(QStringLiteral("Drawing%1.dwg").arg(i + 1));
    for (const QString& drawing : m_options.drawings) {
        QString error;
        if (!manager->OpenDocument(drawing, &error))
            std::fprintf(stderr, "kvhost: %s\n", qPrintable(error));
    }

    m_window = std::make_unique<MainWindow>(this);
    services->SetMainWindow(m_window.get());
    CKvHelp::SetListener([this](const CKvHelp::Call& call) {
        const QString text = tr("Help: topic id %1 in %2").arg(call.id).arg(call.file);
        print(text);
        if (m_window)
            m_window->statusBar()->showMessage(text, 8000);
    });

    m_loader = std::make_unique<CKvModuleLoader>();
    QString error;
    if (!m_loader->load(m_options.modulePath, &error)) {
        std::fprintf(stderr, "kvhost: cannot load the module: %s\n", qPrintable(error));
        return 2;
    }
    if (!m_batch)
        print(tr("Module loaded: %1").arg(m_loader->module() ? m_loader->path() : QString()));

    if (!m_batch) {
        m_window->show();
        m_window->commandLine()->focusInput();
        return -1;
    }

    bool ok = true;
    if (m_options.listFunctions) {
        if (CKvDocument* d = ACTIVE_DOCUMENT())
            for (const QString& name : d->GetLispContext()->DefinedFunctions())
                if (!PromptInput::hostFunctions().contains(name, Qt::CaseInsensitive))
                    print(name);
    }
    const auto scriptFailed = [this] { return m_automation && m_automation->failed(); };
    for (const QString& expression : m_options.evals) {
        if (scriptFailed())
            break;
        ok = evaluate(expression) && ok;
    }
    if (!m_options.script.isEmpty() && !scriptFailed()) {
        QFile file(m_options.script);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "kvhost: cannot read %s: %s\n", qPrintable(m_options.script), qPrintable(file.errorString()));
            ok = false;
        } else {
            QTextStream in(&file);
            in.setCodec("UTF-8");
            // A script prints what it writes and its errors, not the value of every form.
            ok = evaluate(in.readAll(), false) && ok;
        }
    }
    // A picture of the main window as the evaluation left it (documents and drawings).
    if (!m_options.windowPicture.isEmpty() && m_window) {
        m_window->resize(1000, 700);
        const QString path = m_options.windowPicture;
        if (QDir().mkpath(QFileInfo(path).absolutePath()) && m_window->grab().save(path))
            std::fprintf(stderr, "kvhost: picture: %s\n", qPrintable(path));
        else
            std::fprintf(stderr, "kvhost: cannot save %s\n", qPrintable(path));
    }
    return finish(ok ? 0 : 1);
}

int HostApplication::finish(int code)
{
    return m_automation ? m_automation->finish(code) : code;
}

void HostApplication::shutdown()
{
    if (m_loader)
        m_loader->unload();
    m_loader.reset();
    CKvHelp::SetListener(nullptr);
    if (CKvSystemServices* services = GetKvSystemServices()) {
        services->SetMainWindow(nullptr);
        if (services->GetDocumentManager())
            services->GetDocumentManager()->CloseAll();
    }
    m_window.reset();
    CKvSystemServices::Destroy();
}

bool HostApplication::evaluate(const QString& source, bool printValues)
{
    CKvDocument* document = ACTIVE_DOCUMENT();
    if (!document) {
        print(tr("; error: no document is open"));
        return false;
    }
    bool ok = true;
    const auto results = document->GetLispContext()->engine().evaluate(source);
    for (const KvLispEngine::Result& r : results) {
        if (!r.ok) {
            print(QStringLiteral("; error: ") + r.error);
            ok = false;
        } else if (r.hasValue && printValues) {
            print(r.printed);
        }
    }
    return ok;
}

void HostApplication::commandEntered(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (m_window)
        m_window->commandLine()->print(m_window->commandLine()->prompt() + QLatin1Char(' ') + text);
    if (trimmed.isEmpty())
        return;
    // A word alone that names a command function runs it as a command.
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9_\\-]+$"));
    CKvDocument* document = ACTIVE_DOCUMENT();
    if (document && word.match(trimmed).hasMatch()
        && document->GetLispContext()->IsFunctionDefined(QStringLiteral("c:") + trimmed)) {
        evaluate(QStringLiteral("(c:%1)").arg(trimmed));
        return;
    }
    evaluate(trimmed);
}
