#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvString.h"

#include <cstdint>

// How the host reads what the user types at a prompt: points, numbers, handles and
// keywords. No widgets: the command line, scripts and tests share it.
namespace KvInputText {

// A point as typed, in user coordinates unless relative: "x,y", "x,y,z", "@" (the base point
// itself), "@dx,dy[,dz]" relative to the base point, "dist<angle" and "@dist<angle" (angle in
// degrees). userOrigin is where the user coordinate system's origin lies in the world;
// base is a world point. The result is a world point. False for anything else.
KVPLATFORM_EXPORT bool parsePoint(const QString& text, const double base[3], const double userOrigin[3], double out[3]);
// A real number in the C locale ("2.5", "-3", "1e3"); false for anything else, and for
// infinities and NaN.
KVPLATFORM_EXPORT bool parseReal(const QString& text, double& out);
// A whole number that fits 16 bits signed, as the host's integer prompt takes it.
KVPLATFORM_EXPORT bool parseInteger(const QString& text, int& out);
// An entity handle as typed: "#" and hexadecimal digits ("#1F"). False otherwise.
KVPLATFORM_EXPORT bool parseHandle(const QString& text, std::uint64_t& out);

// A translated keyword's local text may be "shown text,typed text" (". for none,."): the part
// before the last comma is shown in the prompt, the part after it is what selects the keyword.
// A keyword whose local text is its global name is a name as it stands, commas and all
// ("Enter to 0,0"): shown whole and typed whole.
KVPLATFORM_EXPORT QString keywordShown(const CKvKeyword& keyword);
KVPLATFORM_EXPORT QString keywordTyped(const CKvKeyword& keyword);

enum class KeywordMatch { None, Unique, Ambiguous };
// Which keyword the text selects: an exact match of the global name or the typed text (any
// case), else the single keyword whose shown text begins with it (any case). Empty keywords
// are never selected. *index receives the keyword's position.
KVPLATFORM_EXPORT KeywordMatch matchKeyword(const QString& text, const CKvKeywordArray& keywords, int* index);

// Numbers as prompts show them.
KVPLATFORM_EXPORT QString formatNumber(double value, int decimals);
} // namespace KvInputText
