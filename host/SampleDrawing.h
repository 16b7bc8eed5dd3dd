#pragma once

#include <QString>

class CKvDatabase;
class CKvDocument;
class CKvDocumentManager;

// File > New Sample: a small drawing to try picks and selections on: a frame of lines and two
// circles on layer "Outline", a text, a text with a field and a remote text on layer "Notes".
namespace SampleDrawing {
void fill(CKvDatabase& database);
// A new document holding the sample drawing.
CKvDocument* newDocument(CKvDocumentManager& manager);
// One line per entity: its handle (as typed at a pick, "#1F"), type, layer and where it is.
QString describe(const CKvDatabase& database);
} // namespace SampleDrawing
