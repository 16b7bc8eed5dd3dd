#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The checks the line style and shape makers run before they accept: a file is named, the
// new name is given and has no blank, and a name the file holds already (in any case) is
// replaced only when the user agrees. Each failed check shows its message.
struct NewNameCheck
{
    QString title;   // of every message box
    QString noFile;  // no file named
    QString noName;  // no name given
    QString blank;   // the name holds a blank
    QString replace; // question: the name exists already

    bool accepts(QWidget* parent, const QString& path, const QString& name, const QStringList& existing) const;
};
