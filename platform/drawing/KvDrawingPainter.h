#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"

#include <QColor>
#include <QRectF>
#include <QTransform>

class QPainter;

// Paints block records of a drawing (nested references included) into a QPainter: the host's
// preview renderer and the drawing view of kvhost share it, so both show a drawing alike.
// Lines are one pixel wide whatever the zoom; colours come from the colour index, by layer
// and by block resolved the way the host does (entities on layer 0 inside a block take the
// reference's layer); entities on layers that are off or frozen are not drawn. Solid hatches
// are filled, other hatches show their boundaries; dimensions show their blocks; images and
// wipeouts their frames (those of wipeouts only while the drawing's WIPEOUTFRAME is not 0).
class KVPLATFORM_EXPORT KvDrawingPainter
{
public:
    explicit KvDrawingPainter(const CKvDatabase* database);

    // The colour behind the drawing. Colour 7 is drawn white on a dark background and black
    // on a light one. The painter does not fill the background itself.
    void setBackground(const QColor& color) { m_background = color; }
    QColor background() const { return m_background; }
    static QColor defaultBackground() { return QColor(33, 40, 48); }

    // At most this many entities are drawn in one paint, each nested one counted every time
    // it is drawn, so that blocks nested many levels deep cannot keep the painter busy.
    void setEntityBudget(qint64 budget) { m_budget = budget; }
    qint64 entityBudget() const { return m_budget; }

    // Paints the non-erased entities of `record`; `worldToDevice` maps the record's
    // coordinates (y up) to the painter's coordinates, and the painter's own transform applies
    // after it (a view passes its pan and zoom here and leaves the painter as it is). The
    // painter's state is restored. Returns the number of entities drawn.
    qint64 paint(QPainter& painter, const OdDbBlockTableRecord& record, const QTransform& worldToDevice) const;
    // The same for one entity.
    qint64 paintEntity(QPainter& painter, const OdDbEntity& entity, const QTransform& worldToDevice) const;

    // The transform showing `extents` (y up) as large as fits into `viewport` (y down), centred,
    // keeping the aspect ratio, with `margin` pixels left free on every side. A box of no width
    // and no height is shown at scale 1. An invalid or non-finite box gives the identity.
    static QTransform fitTransform(const OdGeExtents3d& extents, const QRectF& viewport, double margin);

private:
    class Run;

    const CKvDatabase* m_database;
    QColor m_background = defaultBackground();
    qint64 m_budget = 1000000;
};
