#pragma once

#include "KvPlatformExport.h"

#include <cstddef>
#include <cstdint>

// Status codes of LISP calls and of the host's prompts.
namespace kvrt {
constexpr int Normal = 5100;   // the call worked
constexpr int None = 5000;     // nothing entered
constexpr int Error = -5001;   // the call failed
constexpr int Cancel = -5002;  // cancelled by the user
constexpr int Rejected = -5003;
constexpr int Keyword = -5005; // a keyword instead of a value

// Type codes of argument and result nodes.
constexpr short Real = 5001;
constexpr short Point2d = 5002;
constexpr short Short = 5003;
constexpr short Angle = 5004;
constexpr short String = 5005;
constexpr short EntityName = 5006;
constexpr short PickSet = 5007;
constexpr short Orient = 5008;
constexpr short Point3d = 5009;
constexpr short Long = 5010;
constexpr short Void = 5014;
constexpr short ListBegin = 5016;
constexpr short ListEnd = 5017;
constexpr short DotEnd = 5018;
constexpr short Nil = 5019;
constexpr short Dxf0 = 5020;   // group code 0 (entity type) in filter lists
constexpr short T = 5021;
} // namespace kvrt

// One node of an argument or result chain.
struct kv_resbuf
{
    kv_resbuf* rbnext;
    short restype;
    union {
        double rreal;
        double rpoint[3];
        short rint;
        int32_t rlong;
        char16_t* rstring;
        int64_t rlname[2];
    } resval;
};

// The value a node of a group code (entity data, filter lists) carries in resval.
enum class KvGroupValue { String, Point, Real, Short, Long, Name };
// By the ranges of drawing data: e.g. 0-9 and -4 text, 10-18 points, 38-59 reals, 60-79
// shorts, 90-99 longs, -1 and 330-369 entity names. kvrt::Dxf0 is group 0.
KVPLATFORM_EXPORT KvGroupValue kvGroupValueType(short code);

// Whether nodes of this type own a string in resval.rstring (strings, and the
// string-valued group codes of filter lists).
KVPLATFORM_EXPORT bool kvIsStringType(short type);

// Allocation of node strings: a zero-filled buffer of len characters plus terminator.
KVPLATFORM_EXPORT char16_t* kvAllocString(std::size_t len);
KVPLATFORM_EXPORT char16_t* kvDuplicateString(const char16_t* s);
KVPLATFORM_EXPORT void kvFreeString(char16_t* s);

// Low-level node allocation shared by the LISP context and the engine.
KVPLATFORM_EXPORT kv_resbuf* kvNewNode(short type);
KVPLATFORM_EXPORT void kvFreeChain(kv_resbuf* chain);
KVPLATFORM_EXPORT long kvLiveNodeCount();
