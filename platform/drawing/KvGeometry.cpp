#include "drawing/KvGeometry.h"

#include <algorithm>
#include <array>

namespace KvGeometry {

namespace {

constexpr int kMaxDegree = 11;

// Points per knot span, or per stretch between two points a curve passes through: a curve of
// few spans gets about 256 points, so that a preview showing it large shows no corners; one of
// many spans at least 8 a span.
int pointsPerSpan(int spans)
{
    return std::clamp(256 / std::max(spans, 1), 8, 32);
}

struct Homogeneous
{
    double x = 0, y = 0, z = 0, w = 1;
};

Homogeneous mix(const Homogeneous& a, const Homogeneous& b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, a.w + (b.w - a.w) * t};
}

bool usableKnots(const QVector<double>& knots, int count, int degree)
{
    if (knots.size() != count + degree + 1)
        return false;
    for (int i = 0; i < knots.size(); ++i)
        if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1]))
            return false;
    return knots[degree] < knots[count];
}

// Clamped and uniform: the curve starts at the first control point and ends at the last.
QVector<double> clampedKnots(int count, int degree)
{
    QVector<double> knots;
    knots.reserve(count + degree + 1);
    for (int i = 0; i <= degree; ++i)
        knots.append(0);
    for (int i = 1; i < count - degree; ++i)
        knots.append(i);
    for (int i = 0; i <= degree; ++i)
        knots.append(count - degree);
    return knots;
}

bool usableWeights(const QVector<double>& weights, int count)
{
    if (weights.size() != count)
        return false;
    return std::all_of(weights.begin(), weights.end(), [](double w) { return std::isfinite(w) && w > 0; });
}

} // namespace

QVector<OdGePoint3d> sampleBSpline(int degree, const QVector<double>& givenKnots, const QVector<OdGePoint3d>& controlPoints,
                                   const QVector<double>& weights)
{
    const int count = controlPoints.size();
    if (count == 0)
        return {};
    if (count == 1)
        return {controlPoints.first()};
    const int p = std::min({std::max(degree, 1), kMaxDegree, count - 1});
    const QVector<double> knots = usableKnots(givenKnots, count, p) ? givenKnots : clampedKnots(count, p);
    const bool rational = usableWeights(weights, count);
    std::vector<Homogeneous> hull(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double w = rational ? weights[i] : 1.0;
        const OdGePoint3d& c = controlPoints[i];
        hull[size_t(i)] = {c.x * w, c.y * w, c.z * w, w};
    }

    // Parameters: a few in every span that is not empty, or evenly spread when there are
    // too many spans for that.
    const double first = knots[p], last = knots[count];
    int spans = 0;
    for (int k = p; k < count; ++k)
        spans += knots[k] < knots[k + 1];
    const int perSpan = p == 1 ? 1 : pointsPerSpan(spans);
    QVector<double> parameters;
    if (qint64(spans) * perSpan < kMaxCurvePoints) {
        parameters.reserve(spans * perSpan + 1);
        for (int k = p; k < count; ++k)
            if (knots[k] < knots[k + 1])
                for (int j = 0; j < perSpan; ++j)
                    parameters.append(knots[k] + (knots[k + 1] - knots[k]) * j / perSpan);
    } else {
        parameters.reserve(kMaxCurvePoints);
        for (int j = 0; j < kMaxCurvePoints - 1; ++j)
            parameters.append(first + (last - first) * j / (kMaxCurvePoints - 1));
    }
    parameters.append(last);

    QVector<OdGePoint3d> points;
    points.reserve(parameters.size());
    std::array<Homogeneous, kMaxDegree + 1> d;
    for (double t : parameters) {
        // The span holding t: the last one starting at or before it that is not empty.
        int k = int(std::upper_bound(knots.begin() + p, knots.begin() + count, t) - knots.begin()) - 1;
        k = std::clamp(k, p, count - 1);
        while (k > p && knots[k] == knots[k + 1])
            --k;
        // de Boor's algorithm.
        for (int j = 0; j <= p; ++j)
            d[size_t(j)] = hull[size_t(j + k - p)];
        for (int r = 1; r <= p; ++r)
            for (int j = p; j >= r; --j) {
                const double from = knots[j + k - p], to = knots[j + 1 + k - r];
                const double alpha = to > from ? (t - from) / (to - from) : 0;
                d[size_t(j)] = mix(d[size_t(j - 1)], d[size_t(j)], alpha);
            }
        const Homogeneous& h = d[size_t(p)];
        if (h.w > 0 && std::isfinite(h.w))
            points.append({h.x / h.w, h.y / h.w, h.z / h.w});
    }
    return points;
}

QVector<OdGePoint3d> sampleThroughPoints(const QVector<OdGePoint3d>& given, bool closed)
{
    QVector<OdGePoint3d> points;
    for (const OdGePoint3d& p : given)
        if (points.isEmpty() || p.x != points.last().x || p.y != points.last().y || p.z != points.last().z)
            points.append(p);
    if (closed && points.size() > 2 && points.first().x == points.last().x && points.first().y == points.last().y
        && points.first().z == points.last().z)
        points.removeLast();
    const int n = points.size();
    if (n < 3)
        return closed && n == 2 ? QVector<OdGePoint3d>{points[0], points[1], points[0]} : points;

    // Centripetal Catmull-Rom: no loops or cusps where the points are unevenly spaced.
    const int segments = closed ? n : n - 1;
    const int perSegment = std::max(1, std::min(pointsPerSpan(segments), (kMaxCurvePoints - 1) / segments));
    auto at = [&](int i) -> OdGePoint3d {
        if (closed)
            return points[(i % n + n) % n];
        if (i < 0) // mirrored past the ends
            return {2 * points[0].x - points[1].x, 2 * points[0].y - points[1].y, 2 * points[0].z - points[1].z};
        if (i >= n)
            return {2 * points[n - 1].x - points[n - 2].x, 2 * points[n - 1].y - points[n - 2].y,
                    2 * points[n - 1].z - points[n - 2].z};
        return points[i];
    };
    auto lerp = [](const OdGePoint3d& a, const OdGePoint3d& b, double ta, double tb, double t) -> OdGePoint3d {
        const double s = tb > ta ? (t - ta) / (tb - ta) : 0;
        return {a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s, a.z + (b.z - a.z) * s};
    };
    auto knot = [](const OdGePoint3d& a, const OdGePoint3d& b) {
        return std::sqrt(std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z)));
    };
    QVector<OdGePoint3d> out;
    out.reserve(segments * perSegment + 1);
    for (int s = 0; s < segments; ++s) {
        const OdGePoint3d p0 = at(s - 1), p1 = at(s), p2 = at(s + 1), p3 = at(s + 2);
        const double t0 = 0, t1 = t0 + knot(p0, p1), t2 = t1 + knot(p1, p2), t3 = t2 + knot(p2, p3);
        for (int j = 0; j < perSegment; ++j) {
            const double t = t1 + (t2 - t1) * j / perSegment;
            const OdGePoint3d a1 = lerp(p0, p1, t0, t1, t), a2 = lerp(p1, p2, t1, t2, t), a3 = lerp(p2, p3, t2, t3, t);
            const OdGePoint3d b1 = lerp(a1, a2, t0, t2, t), b2 = lerp(a2, a3, t1, t3, t);
            out.append(lerp(b1, b2, t1, t2, t));
        }
    }
    out.append(closed ? points.first() : points.last());
    return out;
}

} // namespace KvGeometry
