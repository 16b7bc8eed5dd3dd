// The built module file, loaded by path exactly as the host's loader (and kvhost) loads it.
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include "drawing/OdRx.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvModuleLoader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

class TestModuleLoad : public QObject
{
    Q_OBJECT
private slots:
    void exportsExactlyTheTwoEntryPoints()
    {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), QStringLiteral(KV_MODULE_FILE)});
        QVERIFY(nm.waitForFinished(30000));
        QCOMPARE(nm.exitCode(), 0);
        QStringList symbols;
        for (const QString& line : QString::fromLocal8Bit(nm.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            // The linker's own section markers are not exports of ours.
            static const QStringList markers = {"__bss_start", "_edata", "_end", "_init", "_fini"};
            if (parts.size() == 3 && !markers.contains(parts[2]))
                symbols << parts[2];
        }
        symbols.sort();
        QCOMPARE(symbols, (QStringList{QStringLiteral("odrxCreateModuleObject"), QStringLiteral("odrxGetAPIVersion")}));
    }

    void loadsInitialisesAndUnloads()
    {
        PlatformFixture host(2);
        CKvModuleLoader loader;
        QString error;
        // A relative spelling of the path still gives an absolute module name.
        const QString relative = QDir::current().relativeFilePath(QStringLiteral(KV_MODULE_FILE));
        QVERIFY2(loader.load(relative, &error), qPrintable(error));
        QCOMPARE(QVector<int>(loader.version, loader.version + 4), (QVector<int>{4, 3, 2, 74183}));
        QCOMPARE(QFileInfo(loader.module()->moduleName().toQString()).canonicalFilePath(),
                 QFileInfo(QStringLiteral(KV_MODULE_FILE)).canonicalFilePath());
        QVERIFY(QFileInfo(loader.module()->moduleName().toQString()).isAbsolute());

        for (int i = 0; i < 2; ++i)
            QCOMPARE(host.document(i)->GetLispContext()->DefinedFunctions().size(), 43);
        // A document opened later is attached through the host's notification.
        CKvDocument* late = host.newDocument();
        QCOMPARE(late->GetLispContext()->DefinedFunctions().size(), 43);

        loader.unload();
        QVERIFY(!loader.isLoaded());
        for (int i = 0; i < 3; ++i)
            QVERIFY(host.document(i)->GetLispContext()->DefinedFunctions().isEmpty());
        QCOMPARE(host.documents()->ReactorCount(), 0);
    }

    void reportsWhatIsNotAModule()
    {
        CKvModuleLoader loader;
        QString error;
        QVERIFY(!loader.load(QStringLiteral("/nonexistent/libnothing.so"), &error));
        QVERIFY(!error.isEmpty());
    }
};

KV_TEST_MAIN(TestModuleLoad)
#include "tst_moduleload.moc"
