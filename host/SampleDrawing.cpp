#include "SampleDrawing.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"

#include <QStringList>
#include <memory>

namespace {
OdDbBlockTableRecord* modelSpace(CKvDatabase& database)
{
    return dynamic_cast<OdDbBlockTableRecord*>(database.getModelSpaceId().openObject());
}

void addLayer(CKvDatabase& database, const QString& name, int color)
{
    for (const KvLayer& layer : database.layers())
        if (layer.name.compare(name, Qt::CaseInsensitive) == 0)
            return;
    KvLayer layer;
    layer.name = name;
    layer.colorIndex = color;
    database.layers().append(layer);
}
} // namespace

namespace SampleDrawing {

void fill(CKvDatabase& database)
{
    OdDbBlockTableRecord* space = modelSpace(database);
    if (!space)
        return;
    addLayer(database, QStringLiteral("Outline"), 1);
    addLayer(database, QStringLiteral("Notes"), 3);

    const OdGePoint3d corners[4] = {{0, 0, 0}, {100, 0, 0}, {100, 60, 0}, {0, 60, 0}};
    for (int i = 0; i < 4; ++i) {
        auto line = std::make_unique<OdDbLine>();
        line->start = corners[i];
        line->end = corners[(i + 1) % 4];
        line->layer = QStringLiteral("Outline");
        space->appendEntity(std::move(line));
    }
    for (double x : {30.0, 70.0}) {
        auto circle = std::make_unique<OdDbCircle>();
        circle->center = {x, 30, 0};
        circle->radius = 10;
        circle->layer = QStringLiteral("Outline");
        space->appendEntity(std::move(circle));
    }
    auto title = std::make_unique<OdDbText>();
    title->position = {5, 64, 0};
    title->height = 4;
    title->text = QStringLiteral("Korvane sample");
    title->layer = QStringLiteral("Notes");
    space->appendEntity(std::move(title));

    auto dated = std::make_unique<OdDbText>();
    dated->position = {5, -8, 0};
    dated->height = 3;
    dated->text = QStringLiteral("Saved: %<\\AcVar SaveDate \\f \"d.M.yyyy\">%");
    dated->layer = QStringLiteral("Notes");
    dated->setHasFields(true);
    space->appendEntity(std::move(dated));

    auto remote = std::make_unique<RText>();
    remote->setDatabaseDefaults(&database);
    remote->position = {60, 64, 0};
    remote->height = 3;
    remote->contents = QStringLiteral("notes.txt");
    remote->layer = QStringLiteral("Notes");
    space->appendEntity(std::move(remote));
}

CKvDocument* newDocument(CKvDocumentManager& manager)
{
    static int counter = 0;
    CKvDocument* document = manager.NewDocument(QStringLiteral("Sample%1.dwg").arg(++counter));
    if (document && document->GetKvDatabase())
        fill(*document->GetKvDatabase());
    return document;
}

QString describe(const CKvDatabase& database)
{
    QStringList lines;
    const auto* space = dynamic_cast<const OdDbBlockTableRecord*>(database.getObject(database.getModelSpaceId().handle()));
    if (!space)
        return QString();
    for (const auto& entity : space->entities()) {
        if (!entity || entity->isErased())
            continue;
        const OdGeExtents3d e = entity->extents();
        QString where;
        if (e.isValid())
            where = QStringLiteral("%1,%2 to %3,%4")
                        .arg(e.minPoint.x, 0, 'g', 6)
                        .arg(e.minPoint.y, 0, 'g', 6)
                        .arg(e.maxPoint.x, 0, 'g', 6)
                        .arg(e.maxPoint.y, 0, 'g', 6);
        lines << QStringLiteral("  #%1  %2 on %3%4  %5")
                     .arg(QString::number(entity->objectId().handle(), 16).toUpper(), entity->dxfName(), entity->layer,
                          entity->hasFields() ? QStringLiteral(" (field)") : QString(), where);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace SampleDrawing
