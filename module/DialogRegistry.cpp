#include "module/DialogRegistry.h"

#include "kernel/KvSystemServices.h"

#include <QDialog>
#include <vector>

namespace {
std::vector<DocumentDialogRecord>& registry()
{
    static std::vector<DocumentDialogRecord> records;
    return records;
}
} // namespace

void DialogRegistry::appendRecord(CKvDocument* document)
{
    DocumentDialogRecord record;
    record.document = document;
    registry().push_back(record);
}

void DialogRegistry::removeRecord(CKvDocument* document)
{
    auto& records = registry();
    for (auto it = records.begin(); it != records.end(); ++it) {
        if (it->document != document)
            continue;
        for (QPointer<QDialog>& slot : it->dialogs) {
            if (QDialog* dialog = slot.data()) {
                dialog->hide();
                delete dialog;
            }
            slot.clear();
        }
        it->document = nullptr;
        records.erase(it);
        return;
    }
}

int DialogRegistry::recordCount()
{
    return int(registry().size());
}

const DocumentDialogRecord* DialogRegistry::record(int index)
{
    const auto& records = registry();
    return (index >= 0 && index < int(records.size())) ? &records[std::size_t(index)] : nullptr;
}

const DocumentDialogRecord* DialogRegistry::recordFor(const CKvDocument* document)
{
    for (const DocumentDialogRecord& r : registry())
        if (r.document == document)
            return &r;
    return nullptr;
}

QDialog* DialogRegistry::dialogFor(DialogSlot slot, Factory create)
{
    CKvDocument* active = ACTIVE_DOCUMENT();
    const int index = int(slot);
    if (!active || index < 0 || index >= DialogSlotCount || !create)
        return nullptr;
    QDialog* found = nullptr;
    for (DocumentDialogRecord& r : registry()) {
        if (r.document != active)
            continue;
        QPointer<QDialog>& dialog = r.dialogs[std::size_t(index)];
        if (dialog.isNull()) {
            CKvSystemServices* services = GetKvSystemServices();
            dialog = create(services ? services->GetMainWindow() : nullptr);
        }
        found = dialog.data();
    }
    return found;
}
