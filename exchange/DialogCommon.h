#pragma once

#include <Qt>

class QString;
class QWidget;

// Window flags of every dialog of the module: a title, a system menu and a close button.
constexpr Qt::WindowFlags kvDialogFlags = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// An information box with OK, parented to the dialog, whose text is shown exactly as written:
// a text that holds what the user typed or a file name must not render as rich text.
void kvInformation(QWidget* parent, const QString& title, const QString& text);
