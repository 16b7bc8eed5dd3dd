#include "exchange/ColorComboField.h"

#include "widgets/KvQtColorComboBox.h"

#include <QBoxLayout>
#include <QLabel>

CKvQtColorComboBox* kvAddColorComboBox(QBoxLayout* layout, QLabel* caption, QWidget* tabAfter)
{
    auto* combo = new CKvQtColorComboBox(layout->parentWidget(), nullptr, false);
    combo->setObjectName(QString::fromLatin1("color"));
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(combo, 1);
    if (caption)
        caption->setBuddy(combo);
    if (tabAfter)
        QWidget::setTabOrder(tabAfter, combo);
    return combo;
}
