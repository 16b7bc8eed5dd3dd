#pragma once

#include <QString>

// The support report: what the user says about a problem, the steps that show it and the
// system information the LISP side gathered, as one plain-text file for the support desk.
namespace KvSupportReport {
struct Fields
{
    QString name;
    QString email;
    QString phone;
    QString issue;
    QString steps;
    QString systemInfo;
};

// The report with "\n" line ends: fixed headings between separator lines of 36 "@", the
// three user values starting in one column, the system information last, without a line
// end after it.
QString text(const Fields& fields);

// Writes the report in the platform's default encoding, line ends as text files have them
// on this platform. The file is replaced whole or not at all: false (with *error in words
// for the user) leaves the old file untouched.
bool write(const QString& path, const Fields& fields, QString* error = nullptr);

// The system information file as the dialog shows it: every line preceded by CR LF (so the
// text starts with a line break). Any bytes are accepted; null when the file cannot be read.
QString readSystemInfo(const QString& path);
// The same over a file's bytes.
QString systemInfoText(const QByteArray& bytes);
} // namespace KvSupportReport
