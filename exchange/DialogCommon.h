#pragma once

#include <Qt>

// Window flags of every dialog of the module: a title, a system menu and a close button.
constexpr Qt::WindowFlags kvDialogFlags = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
