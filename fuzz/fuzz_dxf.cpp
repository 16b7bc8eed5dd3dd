// DXF drawings: any bytes read into a drawing database, every block measured, and model
// space, paper space, blocks and single entities drawn as previews. Checks that a file the
// reader refuses leaves the database as a new one with a reason given, that the settings read
// from the header hold values they accept, and that every preview has the size asked for.

#include "FuzzSupport.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvDxfReader.h"
#include "kernel/KvSystemServices.h"

#include <QImage>

namespace {

bool isNew(const CKvDatabase& db)
{
    if (db.blockTable().size() != 2 || db.layers().size() != 1)
        return false;
    for (const auto& block : db.blockTable())
        if (!block->entities().empty())
            return false;
    return true;
}

// Previews are not asked for more often than this per drawing: enough to reach every kind
// of entity a small input holds, few enough to keep each input fast.
constexpr int kMaxPreviews = 24;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    // The module draws previews inside the host's application, where texts use fonts.
    fuzz::ensureWidgetApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CKvDatabase db;
    QString reason;
    if (!KvDxfReader::readData(fuzz::bytes(data, size), db, &reason)) {
        FUZZ_CHECK(isNew(db));
        FUZZ_CHECK(!reason.isEmpty());
        return 0;
    }

    // Whatever the header set is a value its setting takes again.
    for (const QString& name : db.sysVarNames()) {
        KvVariable value;
        FUZZ_CHECK(db.getSysVar(name, &value));
        FUZZ_CHECK(db.setSysVar(name, value));
    }

    // A placement that rotates, mirrors and scales unevenly, so curves are bounded the hard way.
    KvPlacement placement;
    placement.xy.rotate(33).scale(-2, 0.5).translate(10, -3);
    placement.zScale = 3;
    for (const auto& block : db.blockTable()) {
        block->geomExtents();
        block->geomExtentsAt(placement);
    }

    CKvPreviewRenderer renderer;
    auto render = [&](const OdDbObjectId& id, const QSize& size) {
        const QImage image = renderer.Render(&db, {id}, size);
        FUZZ_CHECK(image.size() == size);
    };
    render(db.getModelSpaceId(), QSize(64, 64));
    render(db.getPaperSpaceId(), QSize(64, 48));
    const QImage both = renderer.Render(&db, {db.getModelSpaceId(), db.getPaperSpaceId()}, QSize(40, 40));
    FUZZ_CHECK(both.size() == QSize(40, 40));

    int previews = 0;
    for (const auto& block : db.blockTable()) {
        if (previews++ >= kMaxPreviews)
            break;
        if (!block->isErased())
            render(block->objectId(), QSize(24, 24));
        for (const auto& entity : block->entities()) {
            if (previews++ >= kMaxPreviews)
                break;
            entity->extents();
            render(entity->objectId(), QSize(16, 16));
        }
    }
    return 0;
}
