// kvhost: plays the host application so that a person (or a script) can load the module,
// type LISP, answer prompts and use every dialog.
#include "HostApplication.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

static bool hasDisplay()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The module kvhost loads when none is named: the one installed beside it, else the one in
// the build folder it was built in.
static QString defaultModulePath()
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QString installed = QDir::cleanPath(here.filePath(QStringLiteral(KV_MODULE_RELATIVE_INSTALLED)));
    if (QFileInfo::exists(installed))
        return installed;
    return QDir::cleanPath(here.filePath(QStringLiteral(KV_MODULE_RELATIVE_BUILD)));
}

int main(int argc, char** argv)
{
    bool headless = false;
    if (!hasDisplay()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        headless = true;
    }
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kvhost"));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays the host application for the Korvane LISP module."));
    parser.addHelpOption();
    QCommandLineOption evalOption(QStringLiteral("eval"), QStringLiteral("Evaluates a LISP expression (repeatable)."), QStringLiteral("expr"));
    QCommandLineOption scriptOption(QStringLiteral("script"), QStringLiteral("Evaluates a LISP file."), QStringLiteral("file"));
    QCommandLineOption listOption(QStringLiteral("list-functions"), QStringLiteral("Prints the functions defined in the active document."));
    QCommandLineOption documentsOption(QStringLiteral("documents"), QStringLiteral("Opens N documents at start (default 1)."), QStringLiteral("N"), QStringLiteral("1"));
    QCommandLineOption moduleOption(QStringLiteral("module"), QStringLiteral("The module file to load (default: the one installed beside kvhost, else the build folder's)."), QStringLiteral("path"));
    QCommandLineOption userOption(QStringLiteral("user-folder"), QStringLiteral("The host's user folder."), QStringLiteral("folder"));
    QCommandLineOption windowOption(QStringLiteral("window-picture"), QStringLiteral("After --eval/--script, saves the main window as a PNG."), QStringLiteral("file"));
    parser.addOptions({evalOption, scriptOption, listOption, documentsOption, moduleOption, userOption, windowOption});
    parser.addOptions(HostAutomation::commandLineOptions());
    parser.addPositionalArgument(QStringLiteral("drawings"), QStringLiteral("DXF drawings to open."), QStringLiteral("[drawing...]"));
    parser.process(app);

    HostApplication::Options options;
    options.modulePath = parser.isSet(moduleOption) ? parser.value(moduleOption) : defaultModulePath();
    options.evals = parser.values(evalOption);
    options.script = parser.value(scriptOption);
    options.listFunctions = parser.isSet(listOption);
    bool ok = false;
    options.documents = qBound(0, parser.value(documentsOption).toInt(&ok), 64);
    if (!ok)
        options.documents = 1;
    options.drawings = parser.positionalArguments();
    options.userFolder = parser.isSet(userOption)
                             ? parser.value(userOption)
                             : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    options.headless = headless;
    options.windowPicture = parser.value(windowOption);
    QString optionError;
    if (!HostAutomation::readOptions(parser, &options.automation, &optionError)) {
        std::fprintf(stderr, "kvhost: %s\n", qPrintable(optionError));
        return 2;
    }

    HostApplication host(options);
    const int code = host.start();
    if (code >= 0)
        return code;
    if (headless)
        std::fprintf(stderr, "kvhost: no display; running headless (offscreen).\n");
    const int result = host.finish(app.exec());
    host.shutdown();
    return result;
}
