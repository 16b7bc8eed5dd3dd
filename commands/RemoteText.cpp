// CreateRtext: one remote text (contents from a file, or an expression) in the current space.
#include "module/HostServices.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"

#include <memory>

namespace kvlisp {

int CreateRtext()
{
    CKvDocument* document = HostServices::activeDocument();
    CKvLispContext* context = document ? document->GetLispContext() : nullptr;
    LispArgs args(context);
    CKvString source, expression;
    double rotation = 0, height = 0;
    if (args.nextString(source) != LispArgs::Ok || args.nextReal(rotation) != LispArgs::Ok
        || args.nextReal(height) != LispArgs::Ok || args.nextString(expression) != LispArgs::Ok)
        return kvrt::Normal;
    args.release();
    CKvDatabase* database = document->GetKvDatabase();
    if (!database)
        return kvrt::Normal;

    database->StartGroupedChange();
    auto text = std::make_unique<RText>();
    text->setDatabaseDefaults(database);
    text->contents = source;
    text->rotation = rotation;
    text->height = height;
    // Expression mode shows the expression; file mode the file named by the source.
    text->expression = !expression.isEmpty();
    if (text->expression)
        text->contents = expression;
    OdDbObjectId id;
    if (auto* space = dynamic_cast<OdDbBlockTableRecord*>(database->GetActiveBlockId().openObject()))
        id = space->appendEntity(std::move(text));
    database->EndGroupedChange();
    if (id.isNull())
        return kvrt::Normal;
    database->FlushGraphics();

    int64_t name[2] = {0, 0};
    if (CKvAPI::GetADSName(id, name) == kvrt::Normal)
        context->ReturnEntityName(name);
    return kvrt::Normal;
}

} // namespace kvlisp
