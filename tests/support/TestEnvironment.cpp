#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QTemporaryDir* g_home = nullptr;

void setEnv(const char* name, const QString& value)
{
    qputenv(name, QFile::encodeName(value));
}
} // namespace

void TestEnvironment::prepare()
{
    if (g_home)
        return;
    g_home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kvtest-XXXXXX"));
    // The folder goes when the process ends, whatever the test did.
    std::atexit([] {
        delete g_home;
        g_home = nullptr;
    });
    const QString root = g_home->path();
    for (const char* sub : {"config", "data", "cache", "runtime"})
        QDir(root).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setEnv("HOME", root);
    setEnv("XDG_CONFIG_HOME", root + QStringLiteral("/config"));
    setEnv("XDG_DATA_HOME", root + QStringLiteral("/data"));
    setEnv("XDG_CACHE_HOME", root + QStringLiteral("/cache"));
    setEnv("XDG_RUNTIME_DIR", root + QStringLiteral("/runtime"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root + QStringLiteral("/config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + QStringLiteral("/config"));
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QCoreApplication::setApplicationName(QStringLiteral("kvhost"));
    QCoreApplication::setOrganizationName(QStringLiteral("kvtest"));
}

QString TestEnvironment::home()
{
    return g_home ? g_home->path() : QDir::tempPath();
}
