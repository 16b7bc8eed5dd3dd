#pragma once

// Small plane-geometry helpers shared by the extents and the painter, so that what is measured
// and what is drawn agree.

#include "drawing/KvDatabase.h"

#include <QPointF>
#include <QTransform>
#include <QVector>
#include <cmath>

namespace KvGeometry {

constexpr double kTwoPi = 2 * M_PI;

// The counter-clockwise sweep from start to end, in (0, 2 pi]. Equal angles, and ends a full
// turn apart as files write them (0 to 6.2831853072), make a full turn.
inline double sweep(double start, double end)
{
    constexpr double tolerance = 1e-9;
    double s = std::fmod(end - start, kTwoPi);
    if (s < 0)
        s += kTwoPi;
    return s < tolerance || s > kTwoPi - tolerance ? kTwoPi : s;
}

// The linear part of a transform applied to a vector.
inline QPointF mapVector(const QTransform& t, double x, double y)
{
    return {x * t.m11() + y * t.m21(), x * t.m12() + y * t.m22()};
}

// The arc a polyline segment from a to b with the given bulge describes: centre, radius, start
// angle and signed sweep (4 atan(bulge), counter-clockwise when positive). False for a straight
// segment.
struct BulgeArc
{
    OdGePoint3d center;
    double radius = 0, start = 0, sweep = 0;
};

inline bool bulgeArc(const OdGePoint3d& a, const OdGePoint3d& b, double bulge, BulgeArc& arc)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double chord = std::hypot(dx, dy);
    if (bulge == 0 || !std::isfinite(bulge) || !(chord > 0))
        return false;
    // The centre lies on the chord's normal through its middle.
    const double h = chord / 2 * (1 - bulge * bulge) / (2 * bulge);
    arc.center = {(a.x + b.x) / 2 - h * dy / chord, (a.y + b.y) / 2 + h * dx / chord, a.z};
    arc.radius = std::hypot(a.x - arc.center.x, a.y - arc.center.y);
    arc.start = std::atan2(a.y - arc.center.y, a.x - arc.center.x);
    arc.sweep = 4 * std::atan(bulge);
    return true;
}

// Points along a B-spline of the given degree (1 to 11): the curve over its knot range, a few
// points per knot span. Knots that are missing, too few or too many, or not ascending are
// replaced by clamped uniform ones; weights are used when there is one per control point and
// all are above 0. Too few control points for the degree lower it. The result holds at most
// kMaxCurvePoints points; nothing when there is no control point.
constexpr int kMaxCurvePoints = 4096;
QVector<OdGePoint3d> sampleBSpline(int degree, const QVector<double>& knots, const QVector<OdGePoint3d>& controlPoints,
                                   const QVector<double>& weights);
// Points along a smooth curve through the given points in order (closed: back to the first).
QVector<OdGePoint3d> sampleThroughPoints(const QVector<OdGePoint3d>& points, bool closed);

} // namespace KvGeometry
