// Selection, coordinates and dragging of the LISP context: the host side of the LISP
// input calls, answered through the document's user-input service.
#include "kernel/KvLispContext.h"

#include "kernel/KvDocument.h"
#include "kernel/KvPick.h"
#include "kernel/KvSelectionFilter.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"

#include <QCoreApplication>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("CKvLispContext", text);
}

QString promptText(const char16_t* const prompts[2], int index, const char* fallback)
{
    if (prompts && prompts[index])
        return QString::fromUtf16(prompts[index]);
    return tr(fallback);
}
} // namespace

int CKvLispContext::Select(const CKvString& mode, const char16_t* const prompts[2], const double* point,
                           const kv_resbuf* filter, int64_t selectionSet[2])
{
    if (selectionSet)
        selectionSet[0] = selectionSet[1] = 0;
    CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    CKvUserIO* io = m_document ? m_document->GetUserIO() : nullptr;
    if (!db || !io || !selectionSet)
        return kvrt::Error;

    // Modes as a host's selection call knows them; a leading "_" marks the English name.
    QString m = mode.trimmed().toUpper();
    if (m.startsWith(QLatin1Char('_')))
        m.remove(0, 1);
    const KvSelectionFilter compiled(filter);
    if (!compiled.isValid())
        return kvrt::Error;
    const OdDbObjectId block = db->GetActiveBlockId();
    auto set = std::make_shared<CKvSelectionSet>(m_document);
    auto takeFiltered = [&](const QVector<OdDbObjectId>& ids) {
        for (const OdDbObjectId& id : ids) {
            const auto* entity = dynamic_cast<const OdDbEntity*>(id.openObject());
            if (entity && !entity->isErased() && compiled.matches(*entity))
                set->Add(id);
        }
        return set->Count() > 0 ? kvrt::Normal : kvrt::None;
    };

    int status = kvrt::Error;
    if (m == QLatin1String("X")) {
        // The whole drawing: model space and paper space.
        QVector<OdDbObjectId> all = KvPick::entitiesOf(*db, db->getModelSpaceId());
        all += KvPick::entitiesOf(*db, db->getPaperSpaceId());
        status = takeFiltered(all);
    } else if (m == QLatin1String("L")) {
        const OdDbObjectId last = KvPick::lastEntity(*db, block);
        status = takeFiltered(last.isNull() ? QVector<OdDbObjectId>() : QVector<OdDbObjectId>{last});
    } else if (m == QLatin1String("P")) {
        status = takeFiltered(m_document->PreviousSelection());
    } else if (m == QLatin1String("I")) {
        status = kvrt::None; // nothing is ever selected before a command here
    } else if (point && (m.isEmpty() || m == QLatin1String(":S") || m == QLatin1String(":E"))) {
        // A selection at a point: what is there, without a prompt.
        const OdDbObjectId id = KvPick::entityAt(*db, block, {point[0], point[1], point[2]}, KvPick::pickTolerance(*db, block));
        status = takeFiltered(id.isNull() ? QVector<OdDbObjectId>() : QVector<OdDbObjectId>{id});
    } else if (m.isEmpty() || m == QLatin1String(":S") || m == QLatin1String(":E") || m == QLatin1String("+.:S")
               || m == QLatin1String(":S:E") || m == QLatin1String(":E:S")) {
        const bool single = m.contains(QLatin1String(":S"));
        status = io->GetSelectionFiltered(set.get(), promptText(prompts, 0, "Select objects: "),
                                          promptText(prompts, 1, "Remove objects: "), filter, single);
    }
    if (status == kvrt::Normal) {
        set->PostPick(true);
        m_document->KeepSelectionSet(set, selectionSet);
    }
    return status;
}

int CKvLispContext::TranslatePoint(const double in[3], int from, int to, double out[3])
{
    if (!in || !out)
        return kvrt::Error;
    if (from < 0 || from > 1 || to < 0 || to > 1) {
        for (int i = 0; i < 3; ++i)
            out[i] = in[i];
        return kvrt::Error;
    }
    const double* origin = m_document ? m_document->UcsOrigin() : nullptr;
    double result[3];
    for (int i = 0; i < 3; ++i) {
        double v = in[i];
        if (origin && from == 1 && to == 0)
            v += origin[i];
        else if (origin && from == 0 && to == 1)
            v -= origin[i];
        result[i] = v;
    }
    // in and out may be the same array.
    for (int i = 0; i < 3; ++i)
        out[i] = result[i];
    return kvrt::Normal;
}

int CKvLispContext::InitGet(int flags, const CKvString& keywords)
{
    m_initGetFlags = flags;
    m_initGetKeywords = keywords;
    return kvrt::Normal;
}

int CKvLispContext::DragPrepare(int code, const kv_resbuf* basePoint)
{
    CKvUserIO* io = m_document ? m_document->GetUserIO() : nullptr;
    if (!io)
        return kvrt::Error;
    if (!basePoint || (basePoint->restype != kvrt::Point3d && basePoint->restype != kvrt::Point2d)) {
        io->PrepareDrag(code, nullptr);
        return kvrt::Error;
    }
    double base[3] = {basePoint->resval.rpoint[0], basePoint->resval.rpoint[1],
                      basePoint->restype == kvrt::Point3d ? basePoint->resval.rpoint[2] : 0.0};
    io->PrepareDrag(code, base);
    return kvrt::Normal;
}

int CKvLispContext::DragSelection(const int64_t selectionSet[2], const CKvString& prompt, int,
                                  KvDragCallback callback, double out[3])
{
    if (out)
        out[0] = out[1] = out[2] = 0;
    CKvUserIO* io = m_document ? m_document->GetUserIO() : nullptr;
    const auto set = (m_document && selectionSet) ? m_document->FindSelectionSet(selectionSet) : nullptr;
    // The keywords of this context's set-up hold for this one input.
    const QStringList words = m_initGetKeywords.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_initGetFlags = 0;
    m_initGetKeywords.clear();
    if (!io || !set)
        return kvrt::Error;
    CKvKeywordArray keywords;
    for (const QString& w : words)
        keywords.Add(w, w);
    double base[3] = {0, 0, 0};
    const bool hasBase = io->dragPrepared();
    if (hasBase)
        TranslatePoint(io->dragBase(), 1, 0, base);
    auto transform = [callback](const double point[3], double matrix[4][4]) {
        return callback && callback(point, matrix) == kvrt::Normal;
    };
    return io->DragEntities(set->ids(), prompt, hasBase ? base : nullptr, keywords, transform, out);
}

int CKvLispContext::DragEnd()
{
    if (CKvUserIO* io = m_document ? m_document->GetUserIO() : nullptr)
        io->EndDrag();
    return kvrt::Normal;
}
