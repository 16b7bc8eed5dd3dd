#pragma once

#include <QPointer>
#include <array>

class CKvDocument;
class QDialog;
class QWidget;

// Slots of a document's dialogs, one per dialog class.
enum class DialogSlot {
    Breakline = 0,
    ConvertNotes = 1,
    EditTextCase = 2,
    ExportSettings = 3,
    GetBlockInfo = 4,
    ImportBlockAttributes = 5,
    LispExplorer = 6,
    MakeLineStyle = 7,
    NumberText = 8,
    PatternHatch = 9,
    ReplaceBlock = 10,
    ReplaceBlockToXref = 11,
    TextFrame = 12,
    TextMask = 13,
    ExchangedDimensionStyle = 14,
    ShowLinks = 15,
    DrawOrderColor = 16,
    RedefinePaths = 17,
    MergeSheets = 18,
    ExportInfo = 19,
    EditAlias = 20,
    MakeShape = 21,
    MultiViewSetup = 22,
    ImportDimensionStyle = 23,
};
constexpr int DialogSlotCount = 24;

// The dialogs of one attached document, created on first use and kept until it detaches.
struct DocumentDialogRecord
{
    // Guarded pointers: should the host destroy its main window (the dialogs' parent)
    // first, the record sees the dialogs gone instead of keeping dangling pointers.
    std::array<QPointer<QDialog>, DialogSlotCount> dialogs;
    CKvDocument* document = nullptr;
};

// One record per attached document, in the order the documents were attached.
namespace DialogRegistry {
using Factory = QDialog* (*)(QWidget* parent);

void appendRecord(CKvDocument* document);
void removeRecord(CKvDocument* document);
int recordCount();
const DocumentDialogRecord* record(int index);
const DocumentDialogRecord* recordFor(const CKvDocument* document);

// The dialog of the slot for the active document, created with the host's main window as
// parent on first use; null when the active document has no record.
QDialog* dialogFor(DialogSlot slot, Factory create);

template <class T>
T* dialogFor(DialogSlot slot)
{
    // A slot holds the class its dialog function made; anything else is no dialog of T.
    return qobject_cast<T*>(dialogFor(slot, [](QWidget* parent) -> QDialog* { return new T(parent); }));
}
} // namespace DialogRegistry
