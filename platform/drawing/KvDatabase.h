#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDrawingSettings.h"
#include "kernel/KvString.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QVector>
#include <cstdint>
#include <memory>
#include <vector>

class CKvDatabase;
class OdDbObject;
class OdDbBlockTableRecord;

struct OdGePoint3d
{
    double x = 0, y = 0, z = 0;
};

// Axis-aligned box; an empty box starts at (1e20, -1e20) so that any point extends it.
struct KVPLATFORM_EXPORT OdGeExtents3d
{
    OdGePoint3d minPoint{1e20, 1e20, 1e20};
    OdGePoint3d maxPoint{-1e20, -1e20, -1e20};
    bool isValid() const { return minPoint.x <= maxPoint.x && minPoint.y <= maxPoint.y; }
    void addPoint(const OdGePoint3d& p);
    void addExt(const OdGeExtents3d& e);
};

// Where the coordinates of a block land in the drawing: a plane map (scale, rotation, mirror,
// translation) plus a scale and offset for z. Identity for the top-level record.
struct KVPLATFORM_EXPORT KvPlacement
{
    QTransform xy;
    double zScale = 1, zOffset = 0;
    OdGePoint3d map(const OdGePoint3d& p) const;
    // This placement followed by `outer` (a nested block inside its parent's placement).
    KvPlacement then(const KvPlacement& outer) const;
    // The larger of the two axis scales: how much a length grows at most.
    double maxScale() const;
};

// Identifies an object of a database by its handle; null when it has no database.
class KVPLATFORM_EXPORT OdDbObjectId
{
public:
    OdDbObjectId() = default;
    OdDbObjectId(CKvDatabase* database, std::uint64_t handle) : m_database(database), m_handle(handle) {}
    bool isNull() const { return m_database == nullptr || m_handle == 0; }
    std::uint64_t handle() const { return m_handle; }
    CKvDatabase* database() const { return m_database; }
    OdDbObject* openObject() const;
    bool operator==(const OdDbObjectId& o) const { return m_database == o.m_database && m_handle == o.m_handle; }
    bool operator!=(const OdDbObjectId& o) const { return !(*this == o); }

private:
    CKvDatabase* m_database = nullptr;
    std::uint64_t m_handle = 0;
};

// Any object of a drawing database.
class KVPLATFORM_EXPORT OdDbObject
{
public:
    virtual ~OdDbObject();
    OdDbObjectId objectId() const { return m_id; }
    CKvDatabase* database() const { return m_id.database(); }
    bool isErased() const { return m_erased; }
    void setErased(bool erased) { m_erased = erased; }
    // Fields (dynamic text) attached to the object.
    bool hasFields() const { return m_hasFields; }
    void setHasFields(bool has) { m_hasFields = has; }
    // The class name as the drawing library reports it, e.g. "AcDbLine".
    virtual QString className() const = 0;

private:
    friend class CKvDatabase;
    OdDbObjectId m_id;
    bool m_erased = false;
    bool m_hasFields = false;
};

// Entities: a layer, a colour index (256 by layer, 0 by block) and their geometry.
class KVPLATFORM_EXPORT OdDbEntity : public OdDbObject
{
public:
    QString layer = QStringLiteral("0");
    int colorIndex = 256;
    OdDbObjectId ownerId;
    // The DXF type name ("LINE", "TEXT", ...), as selection filters (group 0) see it.
    virtual QString dxfName() const = 0;
    // Extents of the entity in its block's coordinates (inserts: of the referenced block, transformed).
    virtual OdGeExtents3d extents() const = 0;
    // Extents of the entity placed by `placement`. Curves are bounded exactly under rotation and
    // scaling; the default maps the corners of extents(), which entities without curves may keep.
    virtual OdGeExtents3d extentsAt(const KvPlacement& placement) const;
};

class KVPLATFORM_EXPORT OdDbLine : public OdDbEntity
{
public:
    OdGePoint3d start, end;
    QString className() const override { return QStringLiteral("AcDbLine"); }
    QString dxfName() const override { return QStringLiteral("LINE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

class KVPLATFORM_EXPORT OdDbCircle : public OdDbEntity
{
public:
    OdGePoint3d center;
    double radius = 0;
    QString className() const override { return QStringLiteral("AcDbCircle"); }
    QString dxfName() const override { return QStringLiteral("CIRCLE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// Angles in radians, counter-clockwise from start to end.
class KVPLATFORM_EXPORT OdDbArc : public OdDbEntity
{
public:
    OdGePoint3d center;
    double radius = 0, startAngle = 0, endAngle = 0;
    QString className() const override { return QStringLiteral("AcDbArc"); }
    QString dxfName() const override { return QStringLiteral("ARC"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

class KVPLATFORM_EXPORT OdDbEllipse : public OdDbEntity
{
public:
    OdGePoint3d center, majorAxis; // majorAxis relative to center
    double ratio = 1, startParam = 0, endParam = 6.283185307179586;
    QString className() const override { return QStringLiteral("AcDbEllipse"); }
    QString dxfName() const override { return QStringLiteral("ELLIPSE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// Lightweight and old-style polylines; bulge per vertex for arc segments (the tangent of a
// quarter of the segment's included angle, positive counter-clockwise).
class KVPLATFORM_EXPORT OdDbPolyline : public OdDbEntity
{
public:
    struct Vertex
    {
        OdGePoint3d point;
        double bulge = 0;
    };
    QVector<Vertex> vertices;
    bool closed = false;
    bool lightweight = true;
    QString className() const override { return lightweight ? QStringLiteral("AcDbPolyline") : QStringLiteral("AcDb2dPolyline"); }
    QString dxfName() const override { return lightweight ? QStringLiteral("LWPOLYLINE") : QStringLiteral("POLYLINE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// Single-line text (TEXT: position is the left end of the base line) and multiline text
// (MTEXT: position is the attachment point, 1 top left ... 9 bottom right, lines split at \P).
class KVPLATFORM_EXPORT OdDbText : public OdDbEntity
{
public:
    OdGePoint3d position;
    double height = 1, rotation = 0;
    QString text;           // as stored, MTEXT formatting codes included
    bool multiline = false; // MTEXT
    double width = 0;       // MTEXT reference width
    int attachment = 1;     // MTEXT attachment point
    // The text without MTEXT formatting, lines separated by '\n'.
    QString plainText() const;
    // The box the text occupies before rotation, relative to position with y up: x() is the
    // left edge, y() the bottom edge. Widths are estimated from the character count.
    QRectF localBox() const;
    QString className() const override { return multiline ? QStringLiteral("AcDbMText") : QStringLiteral("AcDbText"); }
    QString dxfName() const override { return multiline ? QStringLiteral("MTEXT") : QStringLiteral("TEXT"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

class KVPLATFORM_EXPORT OdDbPoint : public OdDbEntity
{
public:
    OdGePoint3d position;
    QString className() const override { return QStringLiteral("AcDbPoint"); }
    QString dxfName() const override { return QStringLiteral("POINT"); }
    OdGeExtents3d extents() const override;
};

class KVPLATFORM_EXPORT OdDbSolid : public OdDbEntity
{
public:
    OdGePoint3d corners[4];
    QString className() const override { return QStringLiteral("AcDbSolid"); }
    QString dxfName() const override { return QStringLiteral("SOLID"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

class KVPLATFORM_EXPORT OdDbBlockReference : public OdDbEntity
{
public:
    // Deepest nesting of references followed when measuring or drawing; deeper ones add nothing.
    static constexpr int kMaxNesting = 32;
    OdDbObjectId blockId;
    OdGePoint3d position;
    double scaleX = 1, scaleY = 1, scaleZ = 1, rotation = 0;
    // How the referenced block's coordinates land in this reference's block (base point moved
    // to position, scaled, rotated). Identity when the block is missing.
    KvPlacement placement() const;
    QString className() const override { return QStringLiteral("AcDbBlockReference"); }
    QString dxfName() const override { return QStringLiteral("INSERT"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A three- or four-sided face (3DFACE), drawn as its edges. A triangle repeats its third corner.
class KVPLATFORM_EXPORT OdDbFace : public OdDbEntity
{
public:
    OdGePoint3d corners[4];
    int invisibleEdges = 0; // bit i set: the edge from corner i to the next is not drawn
    QString className() const override { return QStringLiteral("AcDbFace"); }
    QString dxfName() const override { return QStringLiteral("3DFACE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A B-spline (degree, knots, control points, weights when rational), or a curve through fit
// points when it has no control points. evaluate() computes the points along it that are
// measured and drawn; call it again after changing the definition.
class KVPLATFORM_EXPORT OdDbSpline : public OdDbEntity
{
public:
    int degree = 3;
    bool closed = false;
    QVector<double> knots;
    QVector<OdGePoint3d> controlPoints;
    QVector<double> weights; // one per control point, or none
    QVector<OdGePoint3d> fitPoints;
    QVector<OdGePoint3d> curve;
    void evaluate();
    QString className() const override { return QStringLiteral("AcDbSpline"); }
    QString dxfName() const override { return QStringLiteral("SPLINE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A dimension, shown by the anonymous block (*D...) that holds its lines, arrows and text. The
// block is placed as a reference at the origin would place it, so it measures and draws as one.
class KVPLATFORM_EXPORT OdDbDimension : public OdDbBlockReference
{
public:
    int dimensionType = 0; // 0 rotated, 1 aligned, 2 angular, 3 diameter, 4 radius, 5 angular 3-point, 6 ordinate
    OdGePoint3d definitionPoint, textPosition;
    QString text; // "<>" or empty: the measurement
    QString className() const override;
    QString dxfName() const override { return QStringLiteral("DIMENSION"); }
};

// A hatch: closed boundary loops (lines, circular arcs as bulges; elliptic and spline edges as
// points along them), filled when solid, otherwise drawn as its boundaries.
class KVPLATFORM_EXPORT OdDbHatch : public OdDbEntity
{
public:
    using Loop = QVector<OdDbPolyline::Vertex>;
    QVector<Loop> loops;
    bool solidFill = false;
    QString patternName;
    QString className() const override { return QStringLiteral("AcDbHatch"); }
    QString dxfName() const override { return QStringLiteral("HATCH"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A leader: its path from the arrowhead's point on.
class KVPLATFORM_EXPORT OdDbLeader : public OdDbEntity
{
public:
    QVector<OdGePoint3d> vertices;
    QString className() const override { return QStringLiteral("AcDbLeader"); }
    QString dxfName() const override { return QStringLiteral("LEADER"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A multiline: its vertices and the lines of its elements, each offset along the vertices'
// miters. Without element lines the vertices are drawn.
class KVPLATFORM_EXPORT OdDbMline : public OdDbEntity
{
public:
    QVector<OdGePoint3d> vertices;
    QVector<QVector<OdGePoint3d>> elementLines;
    bool closed = false;
    QString className() const override { return QStringLiteral("AcDbMline"); }
    QString dxfName() const override { return QStringLiteral("MLINE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A raster image, shown as its frame: its clip boundary when it is clipped, else its outline.
// The image lies on origin + u * x + v * y for x and y in pixels.
class KVPLATFORM_EXPORT OdDbRasterImage : public OdDbEntity
{
public:
    OdGePoint3d origin, u{1, 0, 0}, v{0, 1, 0};
    double width = 1, height = 1; // in pixels
    bool clipped = false;
    QVector<QPointF> clipBoundary; // pixel coordinates from the top left corner; two points: a rectangle
    // The frame's corners in drawing coordinates.
    QVector<OdGePoint3d> frame() const;
    QString className() const override { return QStringLiteral("AcDbRasterImage"); }
    QString dxfName() const override { return QStringLiteral("IMAGE"); }
    OdGeExtents3d extents() const override;
    OdGeExtents3d extentsAt(const KvPlacement& placement) const override;
};

// A wipeout: an area masked by the background, framed by its boundary (always clipped).
class KVPLATFORM_EXPORT OdDbWipeout : public OdDbRasterImage
{
public:
    OdDbWipeout() { clipped = true; }
    QString className() const override { return QStringLiteral("AcDbWipeout"); }
    QString dxfName() const override { return QStringLiteral("WIPEOUT"); }
};

// Remote text: contents read from a file, or an expression evaluated when displayed.
class KVPLATFORM_EXPORT RText : public OdDbEntity
{
public:
    OdGePoint3d position;
    double height = 0.2, rotation = 0;
    QString contents;
    bool expression = false;
    void setDatabaseDefaults(CKvDatabase* database);
    QString className() const override { return QStringLiteral("RText"); }
    QString dxfName() const override { return QStringLiteral("RTEXT"); }
    OdGeExtents3d extents() const override;
};

// A block definition: model space, paper spaces, named and anonymous blocks.
class KVPLATFORM_EXPORT OdDbBlockTableRecord : public OdDbObject
{
public:
    QString name;
    OdGePoint3d origin;
    int flags = 0; // 1 anonymous, 4 external reference, as drawing files store them
    QString className() const override { return QStringLiteral("AcDbBlockTableRecord"); }
    bool isLayout() const;
    bool isAnonymous() const { return ((flags & 1) != 0 || name.startsWith(QLatin1Char('*'))) && !isLayout(); }

    const std::vector<std::unique_ptr<OdDbEntity>>& entities() const { return m_entities; }
    // Appends an entity (taking it over) and gives it a handle; returns its id.
    OdDbObjectId appendEntity(std::unique_ptr<OdDbEntity> entity);
    // Geometric extents of the non-erased entities, nested inserts included. A block that inserts
    // itself (directly or not) adds nothing the second time round.
    OdGeExtents3d geomExtents() const;
    // The same with every entity placed by `placement`.
    OdGeExtents3d geomExtentsAt(const KvPlacement& placement) const;

private:
    std::vector<std::unique_ptr<OdDbEntity>> m_entities;
};

struct KvLayer
{
    QString name;
    int colorIndex = 7;
    bool off = false;    // not shown (drawing files store a negative colour)
    bool frozen = false; // not shown, not regenerated
};

// A drawing: layers, the block table (in table order) and its entities.
class KVPLATFORM_EXPORT CKvDatabase
{
public:
    CKvDatabase();
    ~CKvDatabase();
    CKvDatabase(const CKvDatabase&) = delete;
    CKvDatabase& operator=(const CKvDatabase&) = delete;

    // Reads a drawing file (ASCII DXF, recognised by its content whatever the file is called):
    // header settings, layers, blocks and their entities. Replaces what the database held.
    // Returns false and leaves the database as a new one when the file is missing, not DXF or
    // damaged; lastError() then says why in a sentence for the user. The code page and
    // password are not needed for DXF.
    bool LoadFile(const CKvString& path, const CKvString& codePage = CKvString(), const CKvString& password = CKvString());
    // Why the last LoadFile failed; empty after a success.
    QString lastError() const { return m_lastError; }
    CKvString fileName() const { return m_fileName; }
    void setFileName(const CKvString& name) { m_fileName = name; }

    // Block table, in table order (erased records included; callers skip them).
    const std::vector<std::unique_ptr<OdDbBlockTableRecord>>& blockTable() const { return m_blocks; }
    OdDbObjectId getBlockId(const QString& name) const; // case-insensitive, skips erased
    OdDbObjectId addBlock(const QString& name);
    OdDbObjectId getModelSpaceId() const;
    OdDbObjectId getPaperSpaceId() const;
    // The current space (model space unless the host switched).
    OdDbObjectId GetActiveBlockId() const { return m_activeBlock.isNull() ? getModelSpaceId() : m_activeBlock; }
    void setActiveBlockId(const OdDbObjectId& id) { m_activeBlock = id; }

    QVector<KvLayer>& layers() { return m_layers; }
    const QVector<KvLayer>& layers() const { return m_layers; }
    int layerColor(const QString& layer) const;
    // Defaults for new entities (current layer, text size). They are also the settings CLAYER
    // and TEXTSIZE.
    QString currentLayer = QStringLiteral("0");
    double textSize = 0.2;
    // Display precision of linear and angular values (decimal places): LUPREC and AUPREC.
    int linearPrecision = 4;
    int angularPrecision = 2;

    // --- Drawing settings (header variables), named without "$", case ignored
    bool hasSysVar(const QString& name) const;
    bool getSysVar(const QString& name, KvVariable* value) const;
    // False when the value does not fit the setting (KvDrawingSettings), or CLAYER would name
    // no layer of the drawing. An unknown name is added.
    bool setSysVar(const QString& name, const KvVariable& value);
    // A 16-bit setting; false when the drawing has none of that name and type, or refuses it.
    bool getSysVarInt16(const QString& name, short* value) const;
    bool setSysVarInt16(const QString& name, short value);
    QStringList sysVarNames() const;

    OdDbObject* getObject(std::uint64_t handle) const;
    std::uint64_t newHandle() { return m_nextHandle++; }
    void registerObject(OdDbObject* object);
    void forgetObject(const OdDbObject* object);

    // Grouped changes (one undo step in a real host) and graphics flush.
    void StartGroupedChange() { ++m_groupDepth; }
    void EndGroupedChange() { if (m_groupDepth > 0) --m_groupDepth; }
    int groupDepth() const { return m_groupDepth; }
    void FlushGraphics() { ++m_flushCount; }
    int flushCount() const { return m_flushCount; }

private:
    friend class KvDxfReader; // clears what a failed read built
    void clear();

    std::vector<std::unique_ptr<OdDbBlockTableRecord>> m_blocks;
    QVector<KvLayer> m_layers;
    std::vector<OdDbObject*> m_index; // by handle; owned elsewhere
    std::uint64_t m_nextHandle = 1;
    OdDbObjectId m_activeBlock;
    CKvString m_fileName;
    QString m_lastError;
    KvDrawingSettings m_settings;
    int m_groupDepth = 0;
    int m_flushCount = 0;
};
