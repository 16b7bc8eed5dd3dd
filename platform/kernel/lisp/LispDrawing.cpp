// The drawing as LISP code reads it: the block table (tblnext, tblsearch), entities one by
// one (entnext) and an entity's data as a list of group codes (entget). Only reading: the
// routines that use them write what they found to state files and drawing files.
#include "LispDrawing.h"

#include "LispBuiltins.h"
#include "LispInterp.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"

#include <algorithm>

namespace kvlisp {

namespace {

CKvDatabase* documentDatabase(const Call& c)
{
    CKvLispContext* context = c.interp().context();
    CKvDocument* document = context ? context->document() : nullptr;
    return document ? document->GetKvDatabase() : nullptr;
}

Ref pair(int code, Ref value)
{
    return cons(makeInt(code), std::move(value));
}

Ref point(const OdGePoint3d& p)
{
    ListBuilder b;
    b.append(makeReal(p.x));
    b.append(makeReal(p.y));
    b.append(makeReal(p.z));
    return b.take();
}

// (code x y z): a point under its group code, as entity data lists hold them.
Ref pointPair(int code, const OdGePoint3d& p)
{
    return cons(makeInt(code), point(p));
}

Ref entityName(const OdDbObjectId& id)
{
    int64_t name[2] = {0, 0};
    if (CKvAPI::GetADSName(id, name) != kvrt::Normal)
        return Ref();
    return makeName(Type::EntityName, name[0], name[1]);
}

// The entity an entity-name argument names, or null for a name that is stale or made up.
const OdDbEntity* entityArg(const Call& c, int i)
{
    const Ref& v = c.arg(i);
    if (!isType(v, Type::EntityName))
        c.badType("lentityp", i);
    const auto* name = static_cast<const NameObj*>(v.get());
    OdDbObjectId id;
    if (CKvAPI::GetObjectId(name->words, id) != kvrt::Normal)
        return nullptr;
    return dynamic_cast<const OdDbEntity*>(id.openObject());
}

// The first entity of `entities` from `from` on that is not erased.
const OdDbEntity* liveFrom(const std::vector<std::unique_ptr<OdDbEntity>>& entities, std::size_t from)
{
    for (std::size_t i = from; i < entities.size(); ++i)
        if (entities[i] && !entities[i]->isErased())
            return entities[i].get();
    return nullptr;
}

// Where `entity` stands in its record. Entities get their handles as they are appended, so
// a record's entities are in handle order and a binary search finds it; a record built in
// another order is searched from the start.
std::size_t positionOf(const std::vector<std::unique_ptr<OdDbEntity>>& entities, const OdDbEntity* entity)
{
    const std::uint64_t handle = entity->objectId().handle();
    const auto at = std::lower_bound(entities.begin(), entities.end(), handle,
                                     [](const std::unique_ptr<OdDbEntity>& e, std::uint64_t h) {
                                         return (e ? e->objectId().handle() : 0) < h;
                                     });
    if (at != entities.end() && at->get() == entity)
        return std::size_t(at - entities.begin());
    for (std::size_t i = 0; i < entities.size(); ++i)
        if (entities[i].get() == entity)
            return i;
    return entities.size();
}

// A block table entry as tblnext and tblsearch give it: type, name, flags, base point and,
// when the block holds entities, its first entity (-2).
Ref blockData(const OdDbBlockTableRecord& record)
{
    ListBuilder b;
    b.append(pair(0, makeString(QStringLiteral("BLOCK"))));
    b.append(pair(2, makeString(record.name)));
    b.append(pair(70, makeInt(record.flags)));
    b.append(pointPair(10, record.origin));
    if (const OdDbEntity* first = liveFrom(record.entities(), 0))
        if (Ref name = entityName(first->objectId()))
            b.append(pair(-2, std::move(name)));
    return b.take();
}

// Block records a routine walks: named and anonymous blocks, not the spaces of layouts.
bool isListedBlock(const OdDbBlockTableRecord* record)
{
    return record && !record->isErased() && !record->isLayout();
}

bool isBlockTable(const Call& c)
{
    return c.strArg(0).compare(QLatin1String("BLOCK"), Qt::CaseInsensitive) == 0;
}

Ref fnTblnext(Call& c)
{
    const bool blocks = isBlockTable(c);
    CKvDatabase* database = documentDatabase(c);
    if (!blocks || !database)
        return Ref();
    int& cursor = c.interp().tableCursors()[QStringLiteral("BLOCK")];
    if (c.arg(1) || cursor < 0)
        cursor = 0;
    const auto& table = database->blockTable();
    while (std::size_t(cursor) < table.size()) {
        const OdDbBlockTableRecord* record = table[std::size_t(cursor++)].get();
        if (isListedBlock(record))
            return blockData(*record);
    }
    return Ref();
}

Ref fnTblsearch(Call& c)
{
    const bool blocks = isBlockTable(c);
    const QString& name = c.strArg(1);
    CKvDatabase* database = documentDatabase(c);
    if (!blocks || !database)
        return Ref();
    const auto* record = dynamic_cast<const OdDbBlockTableRecord*>(database->getBlockId(name).openObject());
    return isListedBlock(record) ? blockData(*record) : Ref();
}

Ref fnEntnext(Call& c)
{
    if (!c.arg(0)) {
        CKvDatabase* database = documentDatabase(c);
        const auto* space =
            database ? dynamic_cast<const OdDbBlockTableRecord*>(database->getModelSpaceId().openObject()) : nullptr;
        const OdDbEntity* first = space ? liveFrom(space->entities(), 0) : nullptr;
        return first ? entityName(first->objectId()) : Ref();
    }
    const OdDbEntity* entity = entityArg(c, 0);
    const auto* owner = entity ? dynamic_cast<const OdDbBlockTableRecord*>(entity->ownerId.openObject()) : nullptr;
    if (!owner)
        return Ref();
    const OdDbEntity* next = liveFrom(owner->entities(), positionOf(owner->entities(), entity) + 1);
    return next ? entityName(next->objectId()) : Ref();
}

void appendVertices(ListBuilder& b, const OdDbPolyline& polyline)
{
    b.append(pair(90, makeInt(polyline.vertices.size())));
    b.append(pair(70, makeInt(polyline.closed ? 1 : 0)));
    for (const OdDbPolyline::Vertex& v : polyline.vertices) {
        b.append(pointPair(10, v.point));
        if (v.bulge != 0)
            b.append(pair(42, makeReal(v.bulge)));
    }
}

Ref fnEntget(Call& c)
{
    const OdDbEntity* entity = entityArg(c, 0);
    if (!entity)
        return Ref();
    ListBuilder b;
    b.append(pair(-1, c.arg(0)));
    b.append(pair(0, makeString(entity->dxfName())));
    b.append(pair(5, makeString(QString::number(entity->objectId().handle(), 16).toUpper())));
    b.append(pair(8, makeString(entity->layer)));
    if (entity->colorIndex != 256)
        b.append(pair(62, makeInt(entity->colorIndex)));

    if (const auto* insert = dynamic_cast<const OdDbBlockReference*>(entity)) {
        const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(insert->blockId.openObject());
        b.append(pair(2, makeString(block ? block->name : QString())));
        b.append(pointPair(10, insert->position));
        b.append(pair(41, makeReal(insert->scaleX)));
        b.append(pair(42, makeReal(insert->scaleY)));
        b.append(pair(43, makeReal(insert->scaleZ)));
        b.append(pair(50, makeReal(insert->rotation)));
    } else if (const auto* line = dynamic_cast<const OdDbLine*>(entity)) {
        b.append(pointPair(10, line->start));
        b.append(pointPair(11, line->end));
    } else if (const auto* arc = dynamic_cast<const OdDbArc*>(entity)) {
        b.append(pointPair(10, arc->center));
        b.append(pair(40, makeReal(arc->radius)));
        b.append(pair(50, makeReal(arc->startAngle)));
        b.append(pair(51, makeReal(arc->endAngle)));
    } else if (const auto* circle = dynamic_cast<const OdDbCircle*>(entity)) {
        b.append(pointPair(10, circle->center));
        b.append(pair(40, makeReal(circle->radius)));
    } else if (const auto* polyline = dynamic_cast<const OdDbPolyline*>(entity)) {
        // Old-style polylines list their vertices here too, not as entities of their own.
        appendVertices(b, *polyline);
    } else if (const auto* text = dynamic_cast<const OdDbText*>(entity)) {
        b.append(pair(1, makeString(text->text)));
        b.append(pointPair(10, text->position));
        b.append(pair(40, makeReal(text->height)));
        b.append(pair(50, makeReal(text->rotation)));
    }
    return b.take();
}

const BuiltinDef g_drawingBuiltins[] = {
    {"tblnext", fnTblnext, 1, 2},
    {"tblsearch", fnTblsearch, 2, 3},
    {"entnext", fnEntnext, 0, 1},
    {"entget", fnEntget, 1, 2},
};

} // namespace

const BuiltinDef* drawingBuiltins(std::size_t* count)
{
    *count = sizeof g_drawingBuiltins / sizeof *g_drawingBuiltins;
    return g_drawingBuiltins;
}

} // namespace kvlisp
