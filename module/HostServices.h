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
// The folder the host keeps the command alias file (alias.xml) in; empty without a host.
QString aliasFolder();
// A folder and a file name joined by one "/", whether the folder ends with a separator ("/" or
// "\\") or not; an empty folder gives the name alone.
QString joinPath(const QString& folder, const QString& name);
// A 16-bit setting of a document's drawing (the active document's when document is null).
// False, leaving *value alone, when there is no such document, drawing or 16-bit setting.
bool drawingSetting(CKvDocument* document, const QString& name, short* value);
// Sets it; false when the drawing has no such 16-bit setting or refuses the value.
bool setDrawingSetting(CKvDocument* document, const QString& name, short value);
} // namespace HostServices
