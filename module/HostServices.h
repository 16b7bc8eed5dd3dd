#pragma once

#include <QString>
#include <QStringList>

class CKvDocument;
class CKvLispContext;
class QWidget;

// Small conveniences over the host's services that the module uses everywhere.
namespace HostServices {
CKvDocument* activeDocument();
// The active document's LISP context, or null.
CKvLispContext* activeLispContext();
// The host's main window (parent of every dialog), or null.
QWidget* mainWindow();
// A string system variable of the active document (empty when unknown).
QString systemVariable(const QString& name);
QString helpFileName();
QStringList supportFolders();
QString userFolder();
} // namespace HostServices
