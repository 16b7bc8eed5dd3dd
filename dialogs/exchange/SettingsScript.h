#pragma once

#include <QString>
#include <QStringList>

// The settings the LISP side prepared for a script (.scr), one script line each, sorted by
// the kind the line names: "read-only" lines, "dangerous" lines and the standard rest.
class SettingsScript final
{
public:
    // What the "Variable type" filter offers, in its order.
    enum Filter { All = 0, ReadOnly = 1, Dangerous = 2, Standard = 3 };

    SettingsScript() = default;
    explicit SettingsScript(const QStringList& lines);
    // The lines of a settings file; none when it cannot be read.
    static SettingsScript read(const QString& path);

    // The lines a filter shows (All: read-only, then dangerous, then standard), each as the
    // LISP side wrote it. These are also the script's lines.
    QStringList lines(int filter) const;
    // The same lines as rich text for the view, coloured by kind. The lines are escaped and
    // keep their blanks, so what the view shows is what the script gets.
    QString html(int filter) const;

private:
    QStringList m_readOnly;
    QStringList m_dangerous;
    QStringList m_standard;
};
