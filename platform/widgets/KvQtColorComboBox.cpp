#include "widgets/KvQtColorComboBox.h"

#include "drawing/KvColorIndex.h"

#include <QPainter>
#include <QPixmap>

static QIcon swatch(const QColor& color, bool outlined)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(outlined ? QBrush(Qt::NoBrush) : QBrush(color));
    p.drawRect(1, 1, 13, 13);
    if (outlined) {
        p.fillRect(3, 3, 5, 10, QColor(200, 200, 200));
        p.fillRect(8, 3, 5, 10, QColor(90, 90, 90));
    }
    return QIcon(pixmap);
}

CKvQtColorComboBox::CKvQtColorComboBox(QWidget* parent, CKvDatabase* database, bool withByLayerByBlock)
    : QComboBox(parent), m_database(database)
{
    if (withByLayerByBlock) {
        addItem(swatch(Qt::white, true), tr("ByLayer"), 256);
        addItem(swatch(Qt::white, true), tr("ByBlock"), 0);
    }
    addColor(1, tr("Red"));
    addColor(2, tr("Yellow"));
    addColor(3, tr("Green"));
    addColor(4, tr("Cyan"));
    addColor(5, tr("Blue"));
    addColor(6, tr("Magenta"));
    addColor(7, tr("White"));
    addColor(8, tr("Color 8"));
    addColor(9, tr("Color 9"));
}

void CKvQtColorComboBox::addColor(int index, const QString& name)
{
    addItem(swatch(kvAciColor(index), false), name, index);
}

int CKvQtColorComboBox::colorIndex() const
{
    return currentIndex() < 0 ? -1 : currentData().toInt();
}

void CKvQtColorComboBox::setColorIndex(int index)
{
    int at = findData(index);
    if (at < 0 && index >= 1 && index <= 255) {
        addColor(index, tr("Color %1").arg(index));
        at = count() - 1;
    }
    setCurrentIndex(at);
}
