#pragma once

#include <QString>
#include <QVector>

class QAbstractButton;
class QWidget;

// What a person does to the widgets of a window, done in code. Each function returns an
// empty string when it worked, or says what went wrong.
namespace WidgetActions {

// True when the window's class, or a class it derives from, has this name.
bool windowMatches(const QWidget* window, const QString& className);
// The window's class and what tells it apart: a message box's text, a dialog's title.
QString describeWindow(const QWidget* window);

// The descendant with this object name, or nullptr with *error saying which names exist.
QWidget* findNamed(QWidget* window, const QString& name, QString* error);
// A button by object name, or else the one visible button whose text (without "&") is name.
QAbstractButton* findButton(QWidget* window, const QString& name, QString* error);

QString click(QWidget* window, const QString& name);
QString set(QWidget* window, const QString& name, const QString& value);
QString select(QWidget* window, const QString& name, const QVector<int>& rows);
QString expectText(QWidget* window, const QString& text);
QString expectValue(QWidget* window, const QString& name, const QString& value);
QString expectEnabled(QWidget* window, const QString& name, bool enabled);
// In a file or folder dialog: selects the path and accepts it as the Open/Save button does.
// *stillOpen tells whether the dialog was left open (it refused the path or asked something).
QString choose(QWidget* window, const QString& path, bool* stillOpen);
QString cancel(QWidget* window);

// What a widget shows, as text: a line edit's text, a spin box's number, a combo box's
// current text, "true"/"false" for check boxes, the selected rows' texts (one a line) for
// lists and tables, a message box's text; any other window gives its title.
QString valueText(QWidget* widget);

// Closes a window as its close button would (rejects dialogs); hides it if that did not.
void closeWindow(QWidget* window);
// Button text without its "&" mnemonic markers ("&&" stays a literal "&").
QString plainText(const QString& text);

} // namespace WidgetActions
