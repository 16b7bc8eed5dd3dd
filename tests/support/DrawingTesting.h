#pragma once

// What the drawing and preview tests share: the sample drawings, extents as rectangles and
// the part of an image that was drawn on.
#include "drawing/KvDatabase.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <cmath>

// A drawing of examples/drawings.
inline QString example(const QString& name)
{
    return QStringLiteral(KV_SOURCE_DIR "/examples/drawings/") + name;
}

// Extents as a rectangle whose top is the lowest y.
inline QRectF box(const OdGeExtents3d& e)
{
    return QRectF(QPointF(e.minPoint.x, e.minPoint.y), QPointF(e.maxPoint.x, e.maxPoint.y));
}

inline bool near(const QRectF& a, const QRectF& b, double tolerance = 1e-6)
{
    return std::fabs(a.left() - b.left()) < tolerance && std::fabs(a.right() - b.right()) < tolerance
           && std::fabs(a.top() - b.top()) < tolerance && std::fabs(a.bottom() - b.bottom()) < tolerance;
}

// The bounding box of the pixels that are not the background colour.
inline QRect drawnBox(const QImage& image, QRgb background)
{
    QRect drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                drawn |= QRect(x, y, 1, 1);
    return drawn;
}
