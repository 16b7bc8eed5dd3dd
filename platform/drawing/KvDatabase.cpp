#include "drawing/KvDatabase.h"

#include "drawing/KvDxfReader.h"
#include "drawing/KvGeometry.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>

void OdGeExtents3d::addPoint(const OdGePoint3d& p)
{
    minPoint.x = std::min(minPoint.x, p.x);
    minPoint.y = std::min(minPoint.y, p.y);
    minPoint.z = std::min(minPoint.z, p.z);
    maxPoint.x = std::max(maxPoint.x, p.x);
    maxPoint.y = std::max(maxPoint.y, p.y);
    maxPoint.z = std::max(maxPoint.z, p.z);
}

void OdGeExtents3d::addExt(const OdGeExtents3d& e)
{
    if (!e.isValid())
        return;
    addPoint(e.minPoint);
    addPoint(e.maxPoint);
}

OdDbObject* OdDbObjectId::openObject() const
{
    return m_database ? m_database->getObject(m_handle) : nullptr;
}

OdDbObject::~OdDbObject()
{
    if (CKvDatabase* db = database())
        db->forgetObject(this);
}

// --- Placements

OdGePoint3d KvPlacement::map(const OdGePoint3d& p) const
{
    const QPointF q = xy.map(QPointF(p.x, p.y));
    return {q.x(), q.y(), p.z * zScale + zOffset};
}

KvPlacement KvPlacement::then(const KvPlacement& outer) const
{
    KvPlacement r;
    r.xy = xy * outer.xy;
    r.zScale = zScale * outer.zScale;
    r.zOffset = zOffset * outer.zScale + outer.zOffset;
    return r;
}

double KvPlacement::maxScale() const
{
    const double sx = std::hypot(xy.m11(), xy.m12()), sy = std::hypot(xy.m21(), xy.m22());
    return std::max(sx, sy);
}

// --- Entity extents

namespace {

using KvGeometry::kTwoPi;
using KvGeometry::mapVector;

double normalizedAngle(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

// Adds the elliptic arc c + u cos t + v sin t, t from t0 over sweep, with its extreme points:
// circles, arcs, ellipses and bulges all take this form, also after scaling and rotation.
void addEllipticArc(OdGeExtents3d& e, QPointF c, QPointF u, QPointF v, double t0, double sweep, double z)
{
    auto add = [&](double t) {
        const double ct = std::cos(t), st = std::sin(t);
        e.addPoint({c.x() + u.x() * ct + v.x() * st, c.y() + u.y() * ct + v.y() * st, z});
    };
    add(t0);
    add(t0 + sweep);
    const double extremes[2] = {std::atan2(v.x(), u.x()), std::atan2(v.y(), u.y())};
    for (double base : extremes)
        for (double t : {base, base + M_PI})
            if (sweep >= kTwoPi || normalizedAngle(t - t0) <= sweep)
                add(t);
}

void addCircleArc(OdGeExtents3d& e, const KvPlacement& p, const OdGePoint3d& center, double radius, double t0, double sweep)
{
    const OdGePoint3d c = p.map(center);
    addEllipticArc(e, {c.x, c.y}, mapVector(p.xy, radius, 0), mapVector(p.xy, 0, radius), t0, sweep, c.z);
}

// Adds a chain of vertices whose bulges make arcs of the segments they start.
void addBulgeOutline(OdGeExtents3d& e, const QVector<OdDbPolyline::Vertex>& vertices, bool closed, const KvPlacement& p)
{
    const int n = vertices.size();
    for (int i = 0; i < n; ++i) {
        const OdDbPolyline::Vertex& a = vertices[i];
        e.addPoint(p.map(a.point));
        if (i + 1 == n && !closed)
            continue;
        KvGeometry::BulgeArc arc;
        if (!KvGeometry::bulgeArc(a.point, vertices[(i + 1) % n].point, a.bulge, arc))
            continue;
        const double t0 = arc.sweep >= 0 ? arc.start : arc.start + arc.sweep;
        addCircleArc(e, p, arc.center, arc.radius, t0, std::fabs(arc.sweep));
    }
}

template <class Points>
OdGeExtents3d pointsExtents(const Points& points, const KvPlacement& p)
{
    OdGeExtents3d e;
    for (const OdGePoint3d& point : points)
        e.addPoint(p.map(point));
    return e;
}

// Extents of a block while one measurement runs: blocks measured in their own coordinates are
// kept, blocks being walked are marked (so a block inserting itself adds nothing), and a budget
// bounds how many entities are placed one by one before references fall back to the placed box
// of their block, which keeps blocks nested many levels deep from costing exponential time.
struct ExtentsRun
{
    QHash<const OdDbBlockTableRecord*, OdGeExtents3d> boxes;
    QSet<const OdDbBlockTableRecord*> open;
    qint64 budget = 500000;
    int depth = 0;
};

thread_local ExtentsRun* t_run = nullptr;

class RunScope
{
public:
    RunScope() : m_mine(t_run == nullptr) { if (m_mine) t_run = &m_run; }
    ~RunScope() { if (m_mine) t_run = nullptr; }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;
    ExtentsRun& run() { return *t_run; }

private:
    ExtentsRun m_run;
    bool m_mine;
};

OdGeExtents3d mapBox(const OdGeExtents3d& box, const KvPlacement& p)
{
    OdGeExtents3d e;
    if (!box.isValid())
        return e;
    for (double x : {box.minPoint.x, box.maxPoint.x})
        for (double y : {box.minPoint.y, box.maxPoint.y})
            for (double z : {box.minPoint.z, box.maxPoint.z})
                e.addPoint(p.map({x, y, z}));
    return e;
}

const OdDbBlockTableRecord* referencedBlock(const OdDbBlockReference& ref)
{
    auto* block = dynamic_cast<OdDbBlockTableRecord*>(ref.blockId.openObject());
    return block && !block->isErased() ? block : nullptr;
}

OdGeExtents3d ownBox(ExtentsRun& run, const OdDbBlockTableRecord* block)
{
    auto found = run.boxes.constFind(block);
    if (found != run.boxes.constEnd())
        return *found;
    if (run.open.contains(block) || run.depth >= OdDbBlockReference::kMaxNesting)
        return {};
    // Nested references inside are measured through their own boxes too.
    const qint64 budget = run.budget;
    run.budget = 0;
    run.open.insert(block);
    ++run.depth;
    const OdGeExtents3d box = block->geomExtents();
    --run.depth;
    run.open.remove(block);
    run.budget = budget;
    run.boxes.insert(block, box);
    return box;
}

} // namespace

OdGeExtents3d OdDbEntity::extentsAt(const KvPlacement& placement) const
{
    return mapBox(extents(), placement);
}

OdGeExtents3d OdDbLine::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbLine::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    e.addPoint(p.map(start));
    e.addPoint(p.map(end));
    return e;
}

OdGeExtents3d OdDbCircle::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbCircle::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    addCircleArc(e, p, center, radius, 0, kTwoPi);
    return e;
}

OdGeExtents3d OdDbArc::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbArc::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    addCircleArc(e, p, center, radius, startAngle, KvGeometry::sweep(startAngle, endAngle));
    return e;
}

OdGeExtents3d OdDbEllipse::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbEllipse::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    const OdGePoint3d c = p.map(center);
    const QPointF u = mapVector(p.xy, majorAxis.x, majorAxis.y);
    const QPointF v = mapVector(p.xy, -majorAxis.y * ratio, majorAxis.x * ratio);
    addEllipticArc(e, {c.x, c.y}, u, v, startParam, KvGeometry::sweep(startParam, endParam), c.z);
    return e;
}

OdGeExtents3d OdDbPolyline::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbPolyline::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    addBulgeOutline(e, vertices, closed, p);
    return e;
}

QString OdDbText::plainText() const
{
    QString out;
    out.reserve(text.size());
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('%') && i + 2 < n && text.at(i + 1) == QLatin1Char('%')) {
            const QChar code = text.at(i + 2).toLower();
            const char16_t special = code == QLatin1Char('d') ? u'\u00B0' : code == QLatin1Char('p') ? u'\u00B1'
                                   : code == QLatin1Char('c') ? u'\u2300' : code == QLatin1Char('%') ? u'%' : 0;
            if (special)
                out += QChar(special);
            if (special || code == QLatin1Char('u') || code == QLatin1Char('o')) {
                i += 2;
                continue;
            }
        }
        if (ch == QLatin1Char('\\') && i + 1 < n) {
            const QChar code = text.at(i + 1);
            if (code == QLatin1Char('U') && i + 6 < n && text.at(i + 2) == QLatin1Char('+')) {
                bool ok = false;
                const uint u = text.mid(i + 3, 4).toUInt(&ok, 16);
                if (ok) {
                    out += QChar(char16_t(u));
                    i += 6;
                    continue;
                }
            }
            if (!multiline) {
                out += ch;
                continue;
            }
            ++i;
            switch (code.unicode()) {
            case 'P': case 'N': case 'X': out += QLatin1Char('\n'); break;
            case '~': out += QLatin1Char(' '); break;
            case '\\': case '{': case '}': out += code; break;
            case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': break;
            case 'S': {
                // Stacked fractions show as "a/b".
                const int stop = text.indexOf(QLatin1Char(';'), i + 1);
                const QString stack = text.mid(i + 1, (stop < 0 ? n : stop) - i - 1);
                out += QString(stack).replace(QLatin1Char('^'), QLatin1Char('/')).replace(QLatin1Char('#'), QLatin1Char('/'));
                i = stop < 0 ? n : stop;
                break;
            }
            default: {
                // Font, height, colour, width and the like: a code with its value up to ';'.
                const int stop = text.indexOf(QLatin1Char(';'), i + 1);
                i = stop < 0 ? n : stop;
                break;
            }
            }
            continue;
        }
        if (multiline && (ch == QLatin1Char('{') || ch == QLatin1Char('}')))
            continue;
        out += ch;
    }
    return out;
}

QRectF OdDbText::localBox() const
{
    const QString plain = plainText();
    const QStringList lines = plain.split(QLatin1Char('\n'));
    int longest = 1;
    for (const QString& line : lines)
        longest = std::max(longest, int(line.size()));
    double w = height * 0.8 * longest;
    if (!multiline)
        return QRectF(0, 0, w, height);
    if (width > 0 && w > width)
        w = width;
    const double h = height + (lines.size() - 1) * height * 5 / 3;
    const int a = attachment >= 1 && attachment <= 9 ? attachment - 1 : 0;
    const double left = -(a % 3) * w / 2;
    const double top = (a / 3) * h / 2;
    return QRectF(left, top - h, w, h);
}

OdGeExtents3d OdDbText::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbText::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    const QRectF box = localBox();
    const double c = std::cos(rotation), s = std::sin(rotation);
    for (double x : {box.left(), box.right()})
        for (double y : {box.top(), box.bottom()})
            e.addPoint(p.map({position.x + x * c - y * s, position.y + x * s + y * c, position.z}));
    return e;
}

OdGeExtents3d OdDbPoint::extents() const
{
    OdGeExtents3d e;
    e.addPoint(position);
    return e;
}

OdGeExtents3d OdDbSolid::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbSolid::extentsAt(const KvPlacement& p) const
{
    return pointsExtents(corners, p);
}

OdGeExtents3d OdDbFace::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbFace::extentsAt(const KvPlacement& p) const
{
    return pointsExtents(corners, p);
}

void OdDbSpline::evaluate()
{
    curve = controlPoints.isEmpty() ? KvGeometry::sampleThroughPoints(fitPoints, closed)
                                    : KvGeometry::sampleBSpline(degree, knots, controlPoints, weights);
}

OdGeExtents3d OdDbSpline::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbSpline::extentsAt(const KvPlacement& p) const
{
    return pointsExtents(curve, p);
}

QString OdDbDimension::className() const
{
    static const char* const names[] = {"AcDbRotatedDimension", "AcDbAlignedDimension", "AcDb2LineAngularDimension",
                                        "AcDbDiametricDimension", "AcDbRadialDimension", "AcDb3PointAngularDimension",
                                        "AcDbOrdinateDimension"};
    return QString::fromLatin1(dimensionType >= 0 && dimensionType <= 6 ? names[dimensionType] : "AcDbDimension");
}

OdGeExtents3d OdDbHatch::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbHatch::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e;
    for (const Loop& loop : loops)
        addBulgeOutline(e, loop, true, p);
    return e;
}

OdGeExtents3d OdDbLeader::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbLeader::extentsAt(const KvPlacement& p) const
{
    return pointsExtents(vertices, p);
}

OdGeExtents3d OdDbMline::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbMline::extentsAt(const KvPlacement& p) const
{
    OdGeExtents3d e = pointsExtents(vertices, p);
    for (const QVector<OdGePoint3d>& line : elementLines)
        e.addExt(pointsExtents(line, p));
    return e;
}

QVector<OdGePoint3d> OdDbRasterImage::frame() const
{
    const double w = std::isfinite(width) && width > 0 ? width : 1, h = std::isfinite(height) && height > 0 ? height : 1;
    QVector<QPointF> corners;
    if (clipped && clipBoundary.size() == 2) {
        const QPointF a = clipBoundary[0], b = clipBoundary[1];
        corners = {a, QPointF(b.x(), a.y()), b, QPointF(a.x(), b.y())};
    } else if (clipped && clipBoundary.size() > 2) {
        corners = clipBoundary;
        if (corners.first() == corners.last())
            corners.removeLast();
    } else {
        corners = {QPointF(-0.5, -0.5), QPointF(w - 0.5, -0.5), QPointF(w - 0.5, h - 0.5), QPointF(-0.5, h - 0.5)};
    }
    // Pixel (-0.5, -0.5) is the image's top left corner, and pixel rows go down.
    QVector<OdGePoint3d> points;
    points.reserve(corners.size());
    for (const QPointF& c : corners) {
        const double x = c.x() + 0.5, y = h - 0.5 - c.y();
        points.append({origin.x + u.x * x + v.x * y, origin.y + u.y * x + v.y * y, origin.z + u.z * x + v.z * y});
    }
    return points;
}

OdGeExtents3d OdDbRasterImage::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbRasterImage::extentsAt(const KvPlacement& p) const
{
    return pointsExtents(frame(), p);
}

KvPlacement OdDbBlockReference::placement() const
{
    const OdDbBlockTableRecord* block = referencedBlock(*this);
    const OdGePoint3d base = block ? block->origin : OdGePoint3d{};
    const double c = std::cos(rotation), s = std::sin(rotation);
    const double m11 = c * scaleX, m12 = s * scaleX, m21 = -s * scaleY, m22 = c * scaleY;
    KvPlacement p;
    p.xy = QTransform(m11, m12, m21, m22, position.x - (m11 * base.x + m21 * base.y), position.y - (m12 * base.x + m22 * base.y));
    p.zScale = scaleZ;
    p.zOffset = position.z - scaleZ * base.z;
    return p;
}

OdGeExtents3d OdDbBlockReference::extents() const
{
    return extentsAt(KvPlacement());
}

OdGeExtents3d OdDbBlockReference::extentsAt(const KvPlacement& outer) const
{
    RunScope scope;
    ExtentsRun& run = scope.run();
    const OdDbBlockTableRecord* block = referencedBlock(*this);
    if (!block || run.open.contains(block) || run.depth >= kMaxNesting)
        return {};
    const KvPlacement p = placement().then(outer);
    const qint64 count = qint64(block->entities().size());
    if (run.budget < count)
        return mapBox(ownBox(run, block), p);
    run.budget -= count;
    run.open.insert(block);
    ++run.depth;
    const OdGeExtents3d e = block->geomExtentsAt(p);
    --run.depth;
    run.open.remove(block);
    return e;
}

void RText::setDatabaseDefaults(CKvDatabase* database)
{
    if (!database)
        return;
    layer = database->currentLayer;
    height = database->textSize;
}

OdGeExtents3d RText::extents() const
{
    OdGeExtents3d e;
    e.addPoint(position);
    e.addPoint({position.x + height * 0.8 * std::max(1, int(contents.size())), position.y + height, position.z});
    return e;
}

// --- Block table records

bool OdDbBlockTableRecord::isLayout() const
{
    return name.compare(QLatin1String("*Model_Space"), Qt::CaseInsensitive) == 0
           || name.startsWith(QLatin1String("*Paper_Space"), Qt::CaseInsensitive);
}

OdDbObjectId OdDbBlockTableRecord::appendEntity(std::unique_ptr<OdDbEntity> entity)
{
    if (!entity)
        return {};
    CKvDatabase* db = database();
    OdDbEntity* raw = entity.get();
    raw->ownerId = objectId();
    m_entities.push_back(std::move(entity));
    if (db)
        db->registerObject(raw);
    return raw->objectId();
}

OdGeExtents3d OdDbBlockTableRecord::geomExtents() const
{
    return geomExtentsAt(KvPlacement());
}

OdGeExtents3d OdDbBlockTableRecord::geomExtentsAt(const KvPlacement& placement) const
{
    RunScope scope;
    OdGeExtents3d e;
    const bool walking = scope.run().open.contains(this);
    if (!walking)
        scope.run().open.insert(this);
    for (const auto& entity : m_entities)
        if (!entity->isErased())
            e.addExt(entity->extentsAt(placement));
    if (!walking)
        scope.run().open.remove(this);
    return e;
}

// --- Database

CKvDatabase::CKvDatabase()
{
    clear();
}

CKvDatabase::~CKvDatabase()
{
    m_blocks.clear();
}

void CKvDatabase::clear()
{
    m_blocks.clear();
    m_index.clear();
    m_nextHandle = 1;
    m_layers = {KvLayer{QStringLiteral("0"), 7}};
    m_activeBlock = {};
    m_settings.reset();
    currentLayer = QStringLiteral("0");
    textSize = 0.2;
    linearPrecision = 4;
    angularPrecision = 2;
    addBlock(QStringLiteral("*Model_Space"));
    addBlock(QStringLiteral("*Paper_Space"));
}

void CKvDatabase::registerObject(OdDbObject* object)
{
    if (!object)
        return;
    const std::uint64_t handle = newHandle();
    object->m_id = OdDbObjectId(this, handle);
    if (m_index.size() <= handle)
        m_index.resize(handle + 1, nullptr);
    m_index[handle] = object;
}

void CKvDatabase::forgetObject(const OdDbObject* object)
{
    const std::uint64_t h = object->objectId().handle();
    if (h < m_index.size() && m_index[h] == object)
        m_index[h] = nullptr;
}

OdDbObject* CKvDatabase::getObject(std::uint64_t handle) const
{
    return handle < m_index.size() ? m_index[handle] : nullptr;
}

OdDbObjectId CKvDatabase::addBlock(const QString& name)
{
    auto block = std::make_unique<OdDbBlockTableRecord>();
    block->name = name;
    OdDbBlockTableRecord* raw = block.get();
    m_blocks.push_back(std::move(block));
    registerObject(raw);
    return raw->objectId();
}

OdDbObjectId CKvDatabase::getBlockId(const QString& name) const
{
    for (const auto& b : m_blocks)
        if (!b->isErased() && b->name.compare(name, Qt::CaseInsensitive) == 0)
            return b->objectId();
    return {};
}

OdDbObjectId CKvDatabase::getModelSpaceId() const
{
    return getBlockId(QStringLiteral("*Model_Space"));
}

OdDbObjectId CKvDatabase::getPaperSpaceId() const
{
    return getBlockId(QStringLiteral("*Paper_Space"));
}

int CKvDatabase::layerColor(const QString& layer) const
{
    for (const KvLayer& l : m_layers)
        if (l.name.compare(layer, Qt::CaseInsensitive) == 0)
            return l.colorIndex;
    return 7;
}

bool CKvDatabase::LoadFile(const CKvString& path, const CKvString&, const CKvString&)
{
    clear();
    m_fileName.clear();
    m_lastError.clear();
    QString reason;
    if (!KvDxfReader::readFile(path, *this, &reason)) {
        clear();
        m_lastError = QStringLiteral("Cannot read the drawing \"%1\": %2.").arg(path, reason);
        return false;
    }
    m_fileName = path;
    return true;
}

// --- Drawing settings

namespace {
// The settings the database keeps in members of its own.
enum class Bound { None, CurrentLayer, TextSize, LinearPrecision, AngularPrecision };

Bound boundSetting(const QString& name)
{
    if (name.compare(QLatin1String("CLAYER"), Qt::CaseInsensitive) == 0)
        return Bound::CurrentLayer;
    if (name.compare(QLatin1String("TEXTSIZE"), Qt::CaseInsensitive) == 0)
        return Bound::TextSize;
    if (name.compare(QLatin1String("LUPREC"), Qt::CaseInsensitive) == 0)
        return Bound::LinearPrecision;
    if (name.compare(QLatin1String("AUPREC"), Qt::CaseInsensitive) == 0)
        return Bound::AngularPrecision;
    return Bound::None;
}
} // namespace

bool CKvDatabase::hasSysVar(const QString& name) const
{
    return m_settings.contains(name);
}

bool CKvDatabase::getSysVar(const QString& name, KvVariable* value) const
{
    KvVariable v;
    switch (boundSetting(name)) {
    case Bound::CurrentLayer:
        v = KvVariable::string(currentLayer);
        break;
    case Bound::TextSize:
        v = KvVariable::number(textSize);
        break;
    case Bound::LinearPrecision:
        v = KvVariable::int16(short(linearPrecision));
        break;
    case Bound::AngularPrecision:
        v = KvVariable::int16(short(angularPrecision));
        break;
    case Bound::None:
        return m_settings.get(name, value);
    }
    if (value)
        *value = v;
    return true;
}

bool CKvDatabase::setSysVar(const QString& name, const KvVariable& value)
{
    const Bound bound = boundSetting(name);
    if (bound == Bound::None)
        return m_settings.set(name, value);
    KvVariable v;
    if (!KvDrawingSettings::fits(name, value, &v))
        return false;
    switch (bound) {
    case Bound::CurrentLayer: {
        auto layer = std::find_if(m_layers.begin(), m_layers.end(),
                                  [&](const KvLayer& l) { return l.name.compare(v.text, Qt::CaseInsensitive) == 0; });
        if (layer == m_layers.end())
            return false;
        currentLayer = layer->name;
        break;
    }
    case Bound::TextSize:
        textSize = v.real;
        break;
    case Bound::LinearPrecision:
        linearPrecision = v.integer;
        break;
    case Bound::AngularPrecision:
        angularPrecision = v.integer;
        break;
    case Bound::None:
        break;
    }
    return true;
}

bool CKvDatabase::getSysVarInt16(const QString& name, short* value) const
{
    KvVariable v;
    if (!getSysVar(name, &v) || v.type != KvVariable::Type::Int16)
        return false;
    if (value)
        *value = short(v.integer);
    return true;
}

bool CKvDatabase::setSysVarInt16(const QString& name, short value)
{
    KvVariable v;
    return getSysVar(name, &v) && v.type == KvVariable::Type::Int16 && setSysVar(name, KvVariable::int16(value));
}

QStringList CKvDatabase::sysVarNames() const
{
    return m_settings.names();
}
