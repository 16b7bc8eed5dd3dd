#include "kernel/KvSystemServices.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvDrawingPainter.h"

#include <QPainter>

namespace {

// Larger images are not asked for by any preview; refusing them keeps a bad size from
// allocating gigabytes.
constexpr int kMaxSide = 8192;

} // namespace

CKvPreviewRenderer::~CKvPreviewRenderer() = default;

QImage CKvPreviewRenderer::Render(CKvDatabase* database, const QVector<OdDbObjectId>& drawables, const QSize& size)
{
    if (!database || size.width() <= 0 || size.height() <= 0 || size.width() > kMaxSide || size.height() > kMaxSide)
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(KvDrawingPainter::defaultBackground());

    // Records (blocks, spaces) and single entities of this database, fitted together.
    QVector<const OdDbObject*> shown;
    OdGeExtents3d extents;
    for (const OdDbObjectId& id : drawables) {
        if (id.database() != database)
            continue;
        const OdDbObject* object = id.openObject();
        if (!object || object->isErased())
            continue;
        if (auto* record = dynamic_cast<const OdDbBlockTableRecord*>(object))
            extents.addExt(record->geomExtents());
        else if (auto* entity = dynamic_cast<const OdDbEntity*>(object))
            extents.addExt(entity->extents());
        else
            continue;
        shown.append(object);
    }
    if (!extents.isValid())
        return image;

    const double margin = std::max(2.0, 0.03 * std::min(size.width(), size.height()));
    const QTransform toDevice = KvDrawingPainter::fitTransform(extents, QRectF(QPointF(0, 0), QSizeF(size)), margin);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    KvDrawingPainter drawing(database);
    for (const OdDbObject* object : shown) {
        if (auto* record = dynamic_cast<const OdDbBlockTableRecord*>(object))
            drawing.paint(painter, *record, toDevice);
        else
            drawing.paintEntity(painter, *static_cast<const OdDbEntity*>(object), toDevice);
    }
    return image;
}
