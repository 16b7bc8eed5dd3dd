#pragma once

// What the fuzz targets share: turning bytes into text, a quiet Qt, the application object
// the widget units need, and checks that end the run the way libFuzzer and the replay
// driver both report as a failure (abort, with the input kept).

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; reported with the failing condition.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::fflush(stderr);                                                                \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)

namespace fuzz {

inline QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    // libFuzzer keeps inputs far below 2 GB; the cap only keeps the conversion defined.
    return QByteArray(reinterpret_cast<const char*>(data), int(qMin<std::size_t>(size, 1u << 30)));
}

// Invalid UTF-8 turns into replacement characters, as it does when the units read files.
// (Not through a QByteArray: that conversion stops at the first zero byte.)
inline QString text(const std::uint8_t* data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), int(qMin<std::size_t>(size, 1u << 30)));
}

// Qt's debug and warning messages tell a fuzz run nothing and slow it down. Critical
// messages are kept, and fatal ones still abort.
inline void quietQt()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
        if (type == QtFatalMsg)
            std::abort();
    });
}

// A widget application on the offscreen platform (unless the environment picks another),
// made once and kept until the process ends.
inline void ensureWidgetApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    Q_UNUSED(application);
}

} // namespace fuzz

// Read by LeakSanitizer besides the suppression file it is given. Fontconfig keeps pointers
// to its patterns where the leak check does not look, so a few of them show up as leaked now
// and then once texts have been drawn. Each target is one source file including this header.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
