#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvResbuf.h"

#include <QVector>

// How the host finds entities for picks, windows and selection filters.
namespace KvPick {

// Distance in the plan (x, y) from a point to the entity's geometry; texts and entities
// without curves count as their boxes (zero inside).
KVPLATFORM_EXPORT double distanceTo(const OdDbEntity& entity, const OdGePoint3d& point);
// The pick box of a drawing: a small part of its extents (never zero).
KVPLATFORM_EXPORT double pickTolerance(const CKvDatabase& database, const OdDbObjectId& block);
// The entity of the block closest to the point within tolerance (the one drawn last on a tie),
// or a null id.
KVPLATFORM_EXPORT OdDbObjectId entityAt(const CKvDatabase& database, const OdDbObjectId& block, const OdGePoint3d& point,
                                       double tolerance);
// Entities of the block inside the window (crossing: also those the window touches).
KVPLATFORM_EXPORT QVector<OdDbObjectId> entitiesInWindow(const CKvDatabase& database, const OdDbObjectId& block,
                                                        const OdGePoint3d& corner1, const OdGePoint3d& corner2, bool crossing);
// Every live entity of the block, in drawing order.
KVPLATFORM_EXPORT QVector<OdDbObjectId> entitiesOf(const CKvDatabase& database, const OdDbObjectId& block);
// The live entity added last to the block, or a null id.
KVPLATFORM_EXPORT OdDbObjectId lastEntity(const CKvDatabase& database, const OdDbObjectId& block);

// Whether an entity passes a selection filter chain: group 0 (type code 0 or 5020) the
// entity type, 8 the layer, 62 the colour number, 1 the text. Texts are compared without
// regard to case and may list alternatives separated by commas, with * and ? wildcards.
// Other group codes do not restrict the selection.
KVPLATFORM_EXPORT bool matchesFilter(const OdDbEntity& entity, const kv_resbuf* filter);
// A text against one filter pattern as above.
KVPLATFORM_EXPORT bool matchesPattern(const QString& value, const QString& pattern);

} // namespace KvPick
