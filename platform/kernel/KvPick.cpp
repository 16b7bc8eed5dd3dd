#include "kernel/KvPick.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace KvPick {

namespace {

double segmentDistance(double px, double py, const OdGePoint3d& a, const OdGePoint3d& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

double boxDistance(const OdGeExtents3d& e, double px, double py)
{
    if (!e.isValid())
        return 1e300;
    const double dx = std::max({e.minPoint.x - px, 0.0, px - e.maxPoint.x});
    const double dy = std::max({e.minPoint.y - py, 0.0, py - e.maxPoint.y});
    return std::hypot(dx, dy);
}

// Whether the angle a lies on the arc from start counter-clockwise to end.
bool onSweep(double a, double start, double end)
{
    const double twoPi = 2 * M_PI;
    auto norm = [twoPi](double v) {
        v = std::fmod(v, twoPi);
        return v < 0 ? v + twoPi : v;
    };
    const double s = norm(end - start);
    return norm(a - start) <= (s <= 0 ? twoPi : s);
}

OdDbBlockTableRecord* blockOf(const CKvDatabase& database, const OdDbObjectId& block)
{
    auto* record = dynamic_cast<OdDbBlockTableRecord*>(database.getObject(block.handle()));
    return record && !record->isErased() ? record : nullptr;
}

bool boxInside(const OdGeExtents3d& e, double x0, double y0, double x1, double y1)
{
    return e.isValid() && e.minPoint.x >= x0 && e.maxPoint.x <= x1 && e.minPoint.y >= y0 && e.maxPoint.y <= y1;
}

bool boxTouches(const OdGeExtents3d& e, double x0, double y0, double x1, double y1)
{
    return e.isValid() && e.minPoint.x <= x1 && e.maxPoint.x >= x0 && e.minPoint.y <= y1 && e.maxPoint.y >= y0;
}

} // namespace

double distanceTo(const OdDbEntity& entity, const OdGePoint3d& p)
{
    if (const auto* line = dynamic_cast<const OdDbLine*>(&entity))
        return segmentDistance(p.x, p.y, line->start, line->end);
    if (const auto* circle = dynamic_cast<const OdDbCircle*>(&entity))
        return std::fabs(std::hypot(p.x - circle->center.x, p.y - circle->center.y) - circle->radius);
    if (const auto* arc = dynamic_cast<const OdDbArc*>(&entity)) {
        const double a = std::atan2(p.y - arc->center.y, p.x - arc->center.x);
        if (onSweep(a, arc->startAngle, arc->endAngle))
            return std::fabs(std::hypot(p.x - arc->center.x, p.y - arc->center.y) - arc->radius);
        auto end = [&](double angle) {
            return std::hypot(p.x - (arc->center.x + arc->radius * std::cos(angle)),
                              p.y - (arc->center.y + arc->radius * std::sin(angle)));
        };
        return std::min(end(arc->startAngle), end(arc->endAngle));
    }
    if (const auto* polyline = dynamic_cast<const OdDbPolyline*>(&entity)) {
        // Arc segments count as their chords: close enough for picking.
        const auto& v = polyline->vertices;
        if (v.isEmpty())
            return 1e300;
        double best = std::hypot(p.x - v.first().point.x, p.y - v.first().point.y);
        const int n = v.size();
        const int segments = polyline->closed ? n : n - 1;
        for (int i = 0; i < segments; ++i)
            best = std::min(best, segmentDistance(p.x, p.y, v.at(i).point, v.at((i + 1) % n).point));
        return best;
    }
    if (const auto* point = dynamic_cast<const OdDbPoint*>(&entity))
        return std::hypot(p.x - point->position.x, p.y - point->position.y);
    return boxDistance(entity.extents(), p.x, p.y);
}

double pickTolerance(const CKvDatabase& database, const OdDbObjectId& block)
{
    const OdDbBlockTableRecord* record = blockOf(database, block);
    const OdGeExtents3d e = record ? record->geomExtents() : OdGeExtents3d();
    double size = e.isValid() ? std::max(e.maxPoint.x - e.minPoint.x, e.maxPoint.y - e.minPoint.y) : 0.0;
    if (!std::isfinite(size) || size <= 0)
        size = 10.0;
    return size * 0.01;
}

OdDbObjectId entityAt(const CKvDatabase& database, const OdDbObjectId& block, const OdGePoint3d& point, double tolerance)
{
    const OdDbBlockTableRecord* record = blockOf(database, block);
    if (!record)
        return {};
    OdDbObjectId found;
    double best = tolerance;
    for (const auto& entity : record->entities()) {
        if (!entity || entity->isErased())
            continue;
        const double d = distanceTo(*entity, point);
        if (d <= best) {
            best = d;
            found = entity->objectId();
        }
    }
    return found;
}

QVector<OdDbObjectId> entitiesInWindow(const CKvDatabase& database, const OdDbObjectId& block, const OdGePoint3d& c1,
                                       const OdGePoint3d& c2, bool crossing)
{
    QVector<OdDbObjectId> ids;
    const OdDbBlockTableRecord* record = blockOf(database, block);
    if (!record)
        return ids;
    const double x0 = std::min(c1.x, c2.x), x1 = std::max(c1.x, c2.x);
    const double y0 = std::min(c1.y, c2.y), y1 = std::max(c1.y, c2.y);
    for (const auto& entity : record->entities()) {
        if (!entity || entity->isErased())
            continue;
        const OdGeExtents3d e = entity->extents();
        if (crossing ? boxTouches(e, x0, y0, x1, y1) : boxInside(e, x0, y0, x1, y1))
            ids.append(entity->objectId());
    }
    return ids;
}

QVector<OdDbObjectId> entitiesOf(const CKvDatabase& database, const OdDbObjectId& block)
{
    QVector<OdDbObjectId> ids;
    if (const OdDbBlockTableRecord* record = blockOf(database, block))
        for (const auto& entity : record->entities())
            if (entity && !entity->isErased())
                ids.append(entity->objectId());
    return ids;
}

OdDbObjectId lastEntity(const CKvDatabase& database, const OdDbObjectId& block)
{
    if (const OdDbBlockTableRecord* record = blockOf(database, block))
        for (auto it = record->entities().rbegin(); it != record->entities().rend(); ++it)
            if (*it && !(*it)->isErased())
                return (*it)->objectId();
    return {};
}

bool matchesPattern(const QString& value, const QString& pattern)
{
    const QStringList alternatives = pattern.split(QLatin1Char(','));
    for (const QString& alternative : alternatives) {
        const QString a = alternative.trimmed();
        if (!a.contains(QLatin1Char('*')) && !a.contains(QLatin1Char('?'))) {
            if (value.compare(a, Qt::CaseInsensitive) == 0)
                return true;
            continue;
        }
        QString rx;
        for (const QChar c : a) {
            if (c == QLatin1Char('*'))
                rx += QLatin1String(".*");
            else if (c == QLatin1Char('?'))
                rx += QLatin1Char('.');
            else
                rx += QRegularExpression::escape(QString(c));
        }
        const QRegularExpression re(QLatin1String("\\A(?:") + rx + QLatin1String(")\\z"),
                                    QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        if (re.match(value).hasMatch())
            return true;
    }
    return false;
}

} // namespace KvPick
