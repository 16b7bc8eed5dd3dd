#pragma once

class CKvQtColorComboBox;
class QBoxLayout;
class QLabel;
class QWidget;

// The host's colour box is built with arguments a form cannot give (no database here), so
// dialogs add it in code: named "color", placed at the end of `layout`, captioned by
// `caption` (its buddy) and following `tabAfter` in the tab order.
CKvQtColorComboBox* kvAddColorComboBox(QBoxLayout* layout, QLabel* caption, QWidget* tabAfter);
