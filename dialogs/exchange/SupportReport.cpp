#include "dialogs/exchange/SupportReport.h"

#include "exchange/TextDecoding.h"
#include "exchange/TextFiles.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString Separator = QString(36, QLatin1Char('@')) + QLatin1Char('\n');
} // namespace

QString KvSupportReport::text(const Fields& f)
{
    const QString nl = QStringLiteral("\n");
    QString out;
    out += Separator;
    out += QStringLiteral("\t\tUSER INFORMATION") + nl;
    out += Separator;
    // The labels are padded so that the three values start in one column.
    out += QStringLiteral("NAME:   ") + f.name + nl;
    out += QStringLiteral("E-MAIL: ") + f.email + nl;
    out += QStringLiteral("PHONE:  ") + f.phone + nl + nl;
    out += QStringLiteral("ISSUE DESCRIPTION:") + nl + f.issue + nl + nl;
    out += Separator;
    out += QStringLiteral("\tSTEPS TO REPRODUCE THE ISSUE") + nl;
    out += Separator;
    out += f.steps + nl;
    out += Separator;
    out += QStringLiteral("\tSYSTEM INFORMATION") + nl;
    out += Separator;
    out += f.systemInfo;
    return out;
}

bool KvSupportReport::write(const QString& path, const Fields& fields, QString* error)
{
    QString report = text(fields);
#ifdef Q_OS_WIN
    report.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
#endif
    return KvTextFile::writeBytes(path, KvTextFile::encode(report, KvTextFile::Codec::Local8Bit), error);
}

QString KvSupportReport::systemInfoText(const QByteArray& bytes)
{
    const QStringList lines = kvTextLines(kvDecodeText(bytes));
    QString out;
    for (const QString& line : lines)
        out += QStringLiteral("\r\n") + line;
    return out;
}

QString KvSupportReport::readSystemInfo(const QString& path)
{
    // Only a plain file: a pipe or a device named here would never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return systemInfoText(file.readAll());
}
