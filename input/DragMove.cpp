// acet-ss-drag-move: drags a selection set from a base point and answers where it was put down.
#include "input/InputSupport.h"
#include "input/PromptNotation.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "kernel/KvLispContext.h"
#include "kernel/KvUserIO.h"

#include <QCoreApplication>

using InputSupport::Host;

namespace {

// The base point of the drag (world), shared by all documents and calls: a call without a
// base point of its own drags from the last one given.
double g_dragBase[3] = {0, 0, 0};

constexpr int kDragPrepareCode = 8;
constexpr int kDragKeywordFlags = 97;

// Shows the entities moved from the base point to the cursor.
int dragTransform(const double point[3], double matrix[4][4])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            matrix[r][c] = r == c ? 1.0 : 0.0;
    for (int r = 0; r < 3; ++r)
        matrix[r][3] = point[r] - g_dragBase[r];
    return kvrt::Normal;
}

} // namespace

namespace kvlisp {

int acet_ss_drag_move()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    int64_t selectionSet[2] = {0, 0};
    if (args.nextSelectionSet(selectionSet) != LispArgs::Ok || args.atEnd() || !ready)
        return kvrt::Normal;

    CKvString prompt = QCoreApplication::translate("Korvane", "\nSpecify last point:");
    CKvString keywordText;
    double userBase[3] = {0, 0, 0};
    const bool newBase = args.nextPoint(userBase, true) == LispArgs::Ok;
    if (newBase && !args.atEnd()) {
        if (args.peekType() == kvrt::String)
            args.nextString(prompt);
        else
            args.skip(); // nil or anything else: the default prompt
        args.skip(); // one further argument, not read
        if (args.peekType() == kvrt::Short)
            args.skip(); // cursor
        if (args.peekType() == kvrt::String)
            args.nextString(keywordText);
    }

    // The base goes to the drag in user coordinates and is kept in world coordinates. Without
    // a new one the kept world point is used as it is (translating it again would move it by
    // the user coordinate system's offset on every call).
    double worldBase[3] = {g_dragBase[0], g_dragBase[1], g_dragBase[2]};
    if (newBase)
        host.context->TranslatePoint(userBase, 1, 0, worldBase);
    else
        host.context->TranslatePoint(worldBase, 0, 1, userBase);
    kv_resbuf* baseNode = host.context->NewNode(kvrt::Point3d);
    if (baseNode)
        for (int i = 0; i < 3; ++i)
            baseNode->resval.rpoint[i] = userBase[i];
    host.context->DragPrepare(kDragPrepareCode, baseNode);
    host.context->ReleaseChain(baseNode);
    for (int i = 0; i < 3; ++i)
        g_dragBase[i] = worldBase[i];

    const PromptNotation notation = PromptNotation::parse(PromptNotation::withoutLineBreaks(prompt));
    CKvStringArray keywords;
    for (const QString& k : notation.keywords)
        keywords.append(k);
    host.userIO->InitGet(0, keywords, keywords);
    const CKvString composed = host.userIO->ComposePromptPoint(notation.message, nullptr);
    host.context->InitGet(kDragKeywordFlags, keywordText);

    double out[3] = {0, 0, 0};
    const int status = host.context->DragSelection(selectionSet, composed, 0, &dragTransform, out);
    if (status == kvrt::Normal)
        host.context->ReturnPoint(out, true);
    else if (status == kvrt::String) // the user typed text instead of a point
        host.context->ReturnString(host.userIO->GetKeywordText());
    else
        host.context->ReturnNil();
    args.release();
    host.context->DragEnd();
    return kvrt::Normal;
}

} // namespace kvlisp
