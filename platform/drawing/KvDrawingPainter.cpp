#include "drawing/KvDrawingPainter.h"

#include "drawing/KvColorIndex.h"
#include "drawing/KvGeometry.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

using KvGeometry::kTwoPi;
using KvGeometry::mapVector;
// Largest distance, in pixels, between a curve and the chords drawn for it.
constexpr double kChordTolerance = 0.3;
// Below this height in pixels a text shows as a line through its middle.
constexpr double kSmallestText = 3.0;

bool finitePoint(const QPointF& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

struct LayerState
{
    int colorIndex = 7;
    bool visible = true;
    bool frozen = false;
};

// A block drawn at a place on the device, compared at a sixteenth of a pixel.
struct Placed
{
    Placed(const void* block, const QTransform& t, QRgb color, uint layer)
        : block(block), color(color), layer(layer),
          m{qint64(std::llround(t.m11() * 1e6)), qint64(std::llround(t.m12() * 1e6)), qint64(std::llround(t.m21() * 1e6)),
            qint64(std::llround(t.m22() * 1e6)), qint64(std::llround(t.dx() * 16)), qint64(std::llround(t.dy() * 16))}
    {
    }
    bool operator==(const Placed& o) const
    {
        return block == o.block && color == o.color && layer == o.layer && std::equal(m, m + 6, o.m);
    }
    const void* block;
    QRgb color;
    uint layer;
    qint64 m[6];
};

uint qHash(const Placed& p, uint seed = 0)
{
    uint h = ::qHash(p.block, seed) ^ p.color ^ (p.layer * 31u);
    for (qint64 v : p.m)
        h = h * 1000003u ^ ::qHash(v, seed);
    return h;
}

// What an entity inside a reference takes from it.
struct Inherited
{
    const QString* layer = nullptr; // for entities on layer 0; null at the top
    QColor byBlock;                 // for entities coloured by block
    int depth = 0;
};

} // namespace

// One paint: the painter, the visible area, the budget left and what is looked up repeatedly.
class KvDrawingPainter::Run
{
public:
    Run(const KvDrawingPainter& owner, QPainter& painter)
        : m_painter(painter), m_budget(owner.m_budget)
    {
        QRectF area;
        if (QPaintDevice* device = painter.device())
            area = QRectF(0, 0, device->width(), device->height());
        if (painter.hasClipping())
            area = area.intersected(painter.clipBoundingRect());
        m_visible = area.adjusted(-2, -2, 2, 2);
        m_foreground = owner.m_background.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
        short frames = 1;
        if (owner.m_database && owner.m_database->getSysVarInt16(QStringLiteral("WIPEOUTFRAME"), &frames))
            m_wipeoutFrames = frames != 0;
        if (const CKvDatabase* db = owner.m_database)
            for (const KvLayer& layer : db->layers()) {
                LayerState state;
                state.colorIndex = layer.colorIndex;
                state.visible = !layer.off && !layer.frozen;
                state.frozen = layer.frozen;
                m_layersLower.insert(layer.name.toLower(), state);
            }
    }

    qint64 drawn() const { return m_drawn; }

    void drawRecord(const OdDbBlockTableRecord& record, const KvPlacement& placement, const Inherited& from)
    {
        for (const auto& entity : record.entities()) {
            if (m_budget <= 0)
                return;
            if (!entity->isErased())
                drawEntity(*entity, placement, from);
        }
    }

    void drawEntity(const OdDbEntity& entity, const KvPlacement& placement, const Inherited& from)
    {
        const QString& layerName = from.layer && entity.layer == QLatin1String("0") ? *from.layer : entity.layer;
        const LayerState layer = layerState(layerName);
        if (auto* ref = dynamic_cast<const OdDbBlockReference*>(&entity)) {
            if (!layer.frozen)
                drawReference(*ref, layerName, colorOf(entity, layer, from), placement, from);
            return;
        }
        if (!layer.visible)
            return;
        --m_budget;
        ++m_drawn;
        setColor(colorOf(entity, layer, from));
        if (auto* line = dynamic_cast<const OdDbLine*>(&entity))
            drawLine(line->start, line->end, placement);
        else if (auto* circle = dynamic_cast<const OdDbCircle*>(&entity))
            drawArc(circle->center, circle->radius, 0, kTwoPi, placement);
        else if (auto* arc = dynamic_cast<const OdDbArc*>(&entity))
            drawArc(arc->center, arc->radius, arc->startAngle, KvGeometry::sweep(arc->startAngle, arc->endAngle), placement);
        else if (auto* ellipse = dynamic_cast<const OdDbEllipse*>(&entity))
            drawEllipse(*ellipse, placement);
        else if (auto* polyline = dynamic_cast<const OdDbPolyline*>(&entity))
            drawPolyline(*polyline, placement);
        else if (auto* text = dynamic_cast<const OdDbText*>(&entity))
            drawText(*text, placement);
        else if (auto* point = dynamic_cast<const OdDbPoint*>(&entity))
            drawPoint(placement.map(point->position));
        else if (auto* solid = dynamic_cast<const OdDbSolid*>(&entity))
            drawSolid(*solid, placement);
        else if (auto* hatch = dynamic_cast<const OdDbHatch*>(&entity))
            drawHatch(*hatch, placement);
        else if (auto* spline = dynamic_cast<const OdDbSpline*>(&entity))
            drawChain(spline->curve, false, placement);
        else if (auto* face = dynamic_cast<const OdDbFace*>(&entity))
            drawFace(*face, placement);
        else if (auto* leader = dynamic_cast<const OdDbLeader*>(&entity))
            drawChain(leader->vertices, false, placement);
        else if (auto* mline = dynamic_cast<const OdDbMline*>(&entity))
            drawMline(*mline, placement);
        else if (auto* image = dynamic_cast<const OdDbRasterImage*>(&entity))
            drawImageFrame(*image, placement);
        else
            drawBox(entity.extentsAt(placement));
    }

private:
    LayerState layerState(const QString& name)
    {
        auto found = m_layers.constFind(name);
        if (found != m_layers.constEnd())
            return *found;
        const LayerState state = m_layersLower.value(name.toLower());
        m_layers.insert(name, state);
        return state;
    }

    QColor colorOf(const OdDbEntity& entity, const LayerState& layer, const Inherited& from) const
    {
        int index = entity.colorIndex;
        if (index == KvAciByBlock)
            return from.byBlock.isValid() ? from.byBlock : m_foreground;
        if (index == KvAciByLayer || index < 0 || index > 256)
            index = layer.colorIndex;
        if (index == KvAciForeground || index < 1 || index > 255)
            return m_foreground;
        return kvAciColor(index);
    }

    void setColor(const QColor& color)
    {
        if (color == m_penColor && m_penSet)
            return;
        m_penColor = color;
        m_penSet = true;
        QPen pen(color, 1);
        pen.setCosmetic(true);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
    }

    bool outside(const QRectF& box) const
    {
        return box.right() < m_visible.left() || box.left() > m_visible.right() || box.bottom() < m_visible.top()
               || box.top() > m_visible.bottom();
    }

    QPointF device(const KvPlacement& placement, const OdGePoint3d& p) const
    {
        return placement.xy.map(QPointF(p.x, p.y));
    }

    void drawPoint(const OdGePoint3d& p)
    {
        const QPointF d(p.x, p.y);
        if (finitePoint(d) && m_visible.contains(d))
            m_painter.drawPoint(d);
    }

    void drawLine(const OdGePoint3d& a, const OdGePoint3d& b, const KvPlacement& placement)
    {
        const QPointF p = device(placement, a), q = device(placement, b);
        if (!finitePoint(p) || !finitePoint(q))
            return;
        if (outside(QRectF(p, q).normalized()))
            return;
        m_painter.drawLine(p, q);
    }

    // Chords for an elliptic arc c + u cos t + v sin t of the given device radius.
    int chordCount(double radius, double sweep) const
    {
        if (radius <= kChordTolerance * 2)
            return 0;
        const double step = 2 * std::acos(1 - kChordTolerance / radius);
        return int(std::min(720.0, std::max(4.0, std::ceil(sweep / step))));
    }

    void appendArc(QPolygonF& points, QPointF c, QPointF u, QPointF v, double t0, double sweep, bool skipFirst) const
    {
        const double radius = std::max(std::hypot(u.x(), u.y()), std::hypot(v.x(), v.y()));
        const int n = std::max(1, chordCount(radius, std::fabs(sweep)));
        for (int i = skipFirst ? 1 : 0; i <= n; ++i) {
            const double t = t0 + sweep * i / n;
            const double ct = std::cos(t), st = std::sin(t);
            points.append(QPointF(c.x() + u.x() * ct + v.x() * st, c.y() + u.y() * ct + v.y() * st));
        }
    }

    void drawEllipticArc(QPointF c, QPointF u, QPointF v, double t0, double sweep)
    {
        if (!finitePoint(c) || !finitePoint(u) || !finitePoint(v))
            return;
        const double rx = std::fabs(u.x()) + std::fabs(v.x()), ry = std::fabs(u.y()) + std::fabs(v.y());
        if (outside(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry)))
            return;
        if (std::max(rx, ry) <= kChordTolerance * 2) {
            m_painter.drawPoint(c);
            return;
        }
        QPolygonF points;
        appendArc(points, c, u, v, t0, sweep, false);
        m_painter.drawPolyline(points);
    }

    void drawArc(const OdGePoint3d& center, double radius, double t0, double sweep, const KvPlacement& placement)
    {
        drawEllipticArc(device(placement, center), mapVector(placement.xy, radius, 0), mapVector(placement.xy, 0, radius), t0, sweep);
    }

    void drawEllipse(const OdDbEllipse& e, const KvPlacement& placement)
    {
        const QPointF u = mapVector(placement.xy, e.majorAxis.x, e.majorAxis.y);
        const QPointF v = mapVector(placement.xy, -e.majorAxis.y * e.ratio, e.majorAxis.x * e.ratio);
        drawEllipticArc(device(placement, e.center), u, v, e.startParam, KvGeometry::sweep(e.startParam, e.endParam));
    }

    bool outsideBox(const OdGeExtents3d& box) const
    {
        return !box.isValid() || outside(QRectF(QPointF(box.minPoint.x, box.minPoint.y), QPointF(box.maxPoint.x, box.maxPoint.y)));
    }

    // The device points of a chain of bulge vertices (closed: back to its first vertex); false
    // when a point is not finite.
    bool bulgeChain(const QVector<OdDbPolyline::Vertex>& vertices, bool closed, const KvPlacement& placement, QPolygonF& points) const
    {
        const int n = vertices.size();
        points.clear();
        if (n == 0)
            return false;
        points.reserve(n + 1);
        const int segments = closed ? n : n - 1;
        points.append(device(placement, vertices[0].point));
        for (int i = 0; i < segments; ++i) {
            const OdDbPolyline::Vertex& a = vertices[i];
            const OdDbPolyline::Vertex& b = vertices[(i + 1) % n];
            KvGeometry::BulgeArc arc;
            if (!KvGeometry::bulgeArc(a.point, b.point, a.bulge, arc)) {
                points.append(device(placement, b.point));
                continue;
            }
            appendArc(points, device(placement, arc.center), mapVector(placement.xy, arc.radius, 0),
                      mapVector(placement.xy, 0, arc.radius), arc.start, arc.sweep, true);
        }
        return std::all_of(points.begin(), points.end(), finitePoint);
    }

    void drawPolyline(const OdDbPolyline& polyline, const KvPlacement& placement)
    {
        if (outsideBox(polyline.extentsAt(placement)))
            return;
        QPolygonF points;
        if (!bulgeChain(polyline.vertices, polyline.closed, placement, points))
            return;
        if (points.size() == 1)
            m_painter.drawPoint(points.first());
        else
            m_painter.drawPolyline(points);
    }

    // Points joined in order (closed: the last back to the first).
    void drawChain(const QVector<OdGePoint3d>& chain, bool closed, const KvPlacement& placement)
    {
        QPolygonF points;
        points.reserve(chain.size() + 1);
        for (const OdGePoint3d& p : chain) {
            const QPointF d = device(placement, p);
            if (!finitePoint(d))
                return;
            points.append(d);
        }
        if (points.isEmpty() || outside(points.boundingRect()))
            return;
        if (closed && points.size() > 2)
            points.append(points.first());
        if (points.size() == 1)
            m_painter.drawPoint(points.first());
        else
            m_painter.drawPolyline(points);
    }

    void drawFace(const OdDbFace& face, const KvPlacement& placement)
    {
        for (int i = 0; i < 4; ++i) {
            const OdGePoint3d& a = face.corners[i];
            const OdGePoint3d& b = face.corners[(i + 1) % 4];
            // A triangle's fourth corner repeats its third: no edge between them.
            if ((face.invisibleEdges & (1 << i)) == 0 && (a.x != b.x || a.y != b.y || a.z != b.z))
                drawLine(a, b, placement);
        }
    }

    // Solid hatches are filled; holes (loops inside loops) stay open.
    void drawHatch(const OdDbHatch& hatch, const KvPlacement& placement)
    {
        if (outsideBox(hatch.extentsAt(placement)))
            return;
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        QPolygonF points;
        for (const OdDbHatch::Loop& loop : hatch.loops)
            if (bulgeChain(loop, true, placement, points) && points.size() > 1) {
                path.addPolygon(points);
                path.closeSubpath();
            }
        if (path.isEmpty())
            return;
        if (hatch.solidFill)
            m_painter.setBrush(m_penColor);
        m_painter.drawPath(path);
        m_painter.setBrush(Qt::NoBrush);
    }

    void drawMline(const OdDbMline& mline, const KvPlacement& placement)
    {
        if (mline.elementLines.isEmpty()) {
            drawChain(mline.vertices, mline.closed, placement);
            return;
        }
        for (const QVector<OdGePoint3d>& line : mline.elementLines)
            drawChain(line, mline.closed, placement);
    }

    void drawImageFrame(const OdDbRasterImage& image, const KvPlacement& placement)
    {
        if (dynamic_cast<const OdDbWipeout*>(&image) && !m_wipeoutFrames)
            return;
        drawChain(image.frame(), true, placement);
    }

    void drawSolid(const OdDbSolid& solid, const KvPlacement& placement)
    {
        // Corners are stored in the order 1 2 4 3 of the outline.
        QPolygonF outline;
        for (int i : {0, 1, 3, 2})
            outline.append(device(placement, solid.corners[i]));
        for (const QPointF& p : outline)
            if (!finitePoint(p))
                return;
        if (outside(outline.boundingRect()))
            return;
        m_painter.setBrush(m_penColor);
        m_painter.drawPolygon(outline);
        m_painter.setBrush(Qt::NoBrush);
    }

    void drawBox(const OdGeExtents3d& box)
    {
        if (!box.isValid())
            return;
        const QRectF r(QPointF(box.minPoint.x, box.minPoint.y), QPointF(box.maxPoint.x, box.maxPoint.y));
        if (finitePoint(r.topLeft()) && finitePoint(r.bottomRight()) && !outside(r))
            m_painter.drawRect(r);
    }

    void drawText(const OdDbText& text, const KvPlacement& placement)
    {
        const OdGeExtents3d extents = text.extentsAt(placement);
        if (!extents.isValid()
            || outside(QRectF(QPointF(extents.minPoint.x, extents.minPoint.y), QPointF(extents.maxPoint.x, extents.maxPoint.y))))
            return;
        // The text's own frame: origin at its position, x along its direction, y up.
        QTransform frame;
        frame.translate(text.position.x, text.position.y);
        frame.rotateRadians(text.rotation);
        const QTransform toDevice = frame * placement.xy;
        const QPointF up = mapVector(toDevice, 0, text.height);
        const double pixels = std::hypot(up.x(), up.y());
        if (!std::isfinite(pixels) || text.height <= 0)
            return;
        const QRectF box = text.localBox();
        const QStringList lines = text.plainText().split(QLatin1Char('\n'));
        const double pitch = text.height * 5 / 3;
        const double firstBaseline = text.multiline ? box.y() + box.height() - text.height : 0;
        if (pixels < kSmallestText || !fontReady()) {
            // Too small to read: a line where the text runs.
            for (int i = 0; i < lines.size(); ++i) {
                const double y = firstBaseline - i * pitch + text.height / 2;
                const double width = text.height * 0.8 * std::max(1, int(lines[i].size()));
                const QPointF a = toDevice.map(QPointF(box.left(), y)), b = toDevice.map(QPointF(box.left() + std::min(width, box.width()), y));
                if (finitePoint(a) && finitePoint(b))
                    m_painter.drawLine(a, b);
            }
            return;
        }
        // Glyphs are drawn in font units, y down, scaled so that capitals are text.height high.
        const double scale = text.height / m_fontCapHeight;
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setTransform(QTransform::fromScale(scale, -scale) * toDevice);
        for (int i = 0; i < lines.size(); ++i) {
            const double baseline = firstBaseline - i * pitch;
            m_painter.drawText(QPointF(box.left() / scale, -baseline / scale), lines[i]);
        }
        m_painter.restore();
    }

    // A box around a block in its own coordinates, for culling: nested references count with
    // the placed box of their block, which may be larger than they are but never smaller.
    OdGeExtents3d ownBox(const OdDbBlockTableRecord* block, int depth)
    {
        auto found = m_blockBoxes.constFind(block);
        if (found != m_blockBoxes.constEnd())
            return *found;
        if (depth >= OdDbBlockReference::kMaxNesting || m_boxOpen.contains(block))
            return {};
        m_boxOpen.insert(block);
        OdGeExtents3d box;
        for (const auto& entity : block->entities()) {
            if (entity->isErased())
                continue;
            auto* ref = dynamic_cast<const OdDbBlockReference*>(entity.get());
            if (!ref) {
                box.addExt(entity->extents());
                continue;
            }
            auto* child = dynamic_cast<const OdDbBlockTableRecord*>(ref->blockId.openObject());
            if (!child || child->isErased())
                continue;
            const OdGeExtents3d inner = ownBox(child, depth + 1);
            if (!inner.isValid())
                continue;
            const KvPlacement p = ref->placement();
            for (double x : {inner.minPoint.x, inner.maxPoint.x})
                for (double y : {inner.minPoint.y, inner.maxPoint.y})
                    for (double z : {inner.minPoint.z, inner.maxPoint.z})
                        box.addPoint(p.map({x, y, z}));
        }
        m_boxOpen.remove(block);
        m_blockBoxes.insert(block, box);
        return box;
    }

    // Fonts need a GUI application; without one (a command-line tool rendering previews)
    // texts are drawn as lines.
    bool fontReady()
    {
        if (m_fontCapHeight == 0) {
            m_fontCapHeight = -1;
            if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
                m_font.setPixelSize(64);
                const double cap = QFontMetricsF(m_font).capHeight();
                m_fontCapHeight = cap > 0 ? cap : 46;
            }
        }
        return m_fontCapHeight > 0;
    }

    void drawReference(const OdDbBlockReference& ref, const QString& layerName, const QColor& color, const KvPlacement& placement,
                       const Inherited& from)
    {
        auto* block = dynamic_cast<const OdDbBlockTableRecord*>(ref.blockId.openObject());
        if (!block || block->isErased() || from.depth >= OdDbBlockReference::kMaxNesting || m_open.contains(block))
            return;
        const KvPlacement inner = ref.placement().then(placement);
        // Skip blocks out of sight whole, by their own extents placed like the reference.
        const OdGeExtents3d own = ownBox(block, 0);
        if (!own.isValid())
            return;
        double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
        for (double x : {own.minPoint.x, own.maxPoint.x})
            for (double y : {own.minPoint.y, own.maxPoint.y}) {
                const QPointF p = inner.xy.map(QPointF(x, y));
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                top = std::min(top, p.y());
                bottom = std::max(bottom, p.y());
            }
        const QRectF onDevice(QPointF(left, top), QPointF(right, bottom));
        if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) || !std::isfinite(bottom) || outside(onDevice))
            return;
        // A whole block within a pixel is that pixel.
        if (onDevice.width() < 1 && onDevice.height() < 1) {
            --m_budget;
            ++m_drawn;
            setColor(color);
            m_painter.drawPoint(onDevice.center());
            return;
        }
        // The same block drawn in the same place with the same colours again (blocks nested
        // inside one another often repeat so) would not change a pixel.
        const Placed placed = {block, inner.xy, color.rgba(), qHash(layerName)};
        if (m_placed.contains(placed))
            return;
        m_placed.insert(placed);
        Inherited inside;
        inside.layer = &layerName;
        inside.byBlock = color;
        inside.depth = from.depth + 1;
        m_open.insert(block);
        drawRecord(*block, inner, inside);
        m_open.remove(block);
    }

    QPainter& m_painter;
    qint64 m_budget;
    qint64 m_drawn = 0;
    QRectF m_visible;
    QColor m_foreground;
    QColor m_penColor;
    bool m_penSet = false;
    QHash<QString, LayerState> m_layersLower;
    QHash<QString, LayerState> m_layers;
    QHash<const OdDbBlockTableRecord*, OdGeExtents3d> m_blockBoxes;
    QSet<const OdDbBlockTableRecord*> m_open;
    QSet<const OdDbBlockTableRecord*> m_boxOpen;
    QSet<Placed> m_placed;
    QFont m_font;
    double m_fontCapHeight = 0;
    bool m_wipeoutFrames = true;
};

KvDrawingPainter::KvDrawingPainter(const CKvDatabase* database) : m_database(database) {}

namespace {
// Everything is mapped to device pixels in one transform, so that pens stay one pixel
// wide; draw(run, placement) does the drawing, the painter's state is restored after it.
template <class Run, class Draw>
qint64 paintMapped(const KvDrawingPainter& owner, QPainter& painter, const QTransform& worldToDevice, Draw draw)
{
    painter.save();
    KvPlacement placement;
    placement.xy = worldToDevice * painter.worldTransform();
    painter.setWorldTransform(QTransform());
    Run run(owner, painter);
    draw(run, placement);
    painter.restore();
    return run.drawn();
}
} // namespace

qint64 KvDrawingPainter::paint(QPainter& painter, const OdDbBlockTableRecord& record, const QTransform& worldToDevice) const
{
    if (record.isErased())
        return 0;
    return paintMapped<Run>(*this, painter, worldToDevice,
                            [&](Run& run, const KvPlacement& p) { run.drawRecord(record, p, Inherited()); });
}

qint64 KvDrawingPainter::paintEntity(QPainter& painter, const OdDbEntity& entity, const QTransform& worldToDevice) const
{
    if (entity.isErased())
        return 0;
    return paintMapped<Run>(*this, painter, worldToDevice,
                            [&](Run& run, const KvPlacement& p) { run.drawEntity(entity, p, Inherited()); });
}

QTransform KvDrawingPainter::fitTransform(const OdGeExtents3d& extents, const QRectF& viewport, double margin)
{
    if (!extents.isValid())
        return {};
    const double x0 = extents.minPoint.x, y0 = extents.minPoint.y, x1 = extents.maxPoint.x, y1 = extents.maxPoint.y;
    const double w = x1 - x0, h = y1 - y0;
    if (!std::isfinite(w) || !std::isfinite(h))
        return {};
    const double room = std::max(0.0, viewport.width() - 2 * margin), roomH = std::max(0.0, viewport.height() - 2 * margin);
    double scale = 1;
    if (w > 0 && h > 0)
        scale = std::min(room / w, roomH / h);
    else if (w > 0)
        scale = room / w;
    else if (h > 0)
        scale = roomH / h;
    if (!std::isfinite(scale) || scale <= 0)
        scale = 1;
    const QPointF centre = viewport.center();
    // y grows upwards in the drawing and downwards on the device.
    return QTransform(scale, 0, 0, -scale, centre.x() - scale * (x0 + x1) / 2, centre.y() + scale * (y0 + y1) / 2);
}
