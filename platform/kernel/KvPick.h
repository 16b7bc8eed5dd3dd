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

// A text against a selection filter pattern: compared without regard to case, alternatives
// separated by commas, with * and ? wildcards.
KVPLATFORM_EXPORT bool matchesPattern(const QString& value, const QString& pattern);

} // namespace KvPick
