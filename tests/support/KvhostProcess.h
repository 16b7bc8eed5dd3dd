#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs the built kvhost as a person starts it from a shell (headless, with a user folder of the
// test's own) and keeps what it printed. A run that does not end within a minute is ended and
// reported in `err`.
struct KvhostRun
{
    int code = -1; // exit code; -1 when it crashed or did not run to its end
    QString out;
    QString err;

    // `input` is what it reads on standard input (prompt answers); `folder` its current folder.
    static KvhostRun start(const QString& program, const QString& userFolder, const QStringList& arguments,
                           const QByteArray& input = QByteArray(), const QString& folder = QString())
    {
        QProcess process;
        process.setProgram(program);
        if (!folder.isEmpty())
            process.setWorkingDirectory(folder);
        process.setArguments(QStringList{QStringLiteral("--user-folder"), userFolder} + arguments);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start();
        if (process.waitForStarted(10000)) {
            process.write(input);
            process.closeWriteChannel();
        }
        KvhostRun run;
        if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(5000);
            run.err = QStringLiteral("kvhost did not run to its end: ") + process.errorString();
            return run;
        }
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
};
