#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvResbuf.h"

#include <QString>
#include <memory>

class OdDbEntity;

// A selection filter chain as the host's selection reads it, compiled once and tested on
// every candidate entity. Each node is a test of one group code, holding the value its
// code carries (kvGroupValueType): text for 0 (or kvrt::Dxf0) the entity type, 8 the layer,
// 1 the text contents and 2 the block name; a short for 62 the colour number; a real for 40
// the radius or text height. Texts are compared without regard to case and may list
// alternatives separated by commas, with * and ? wildcards. Tests of other group codes are
// not restricted by this stand-in (it keeps no such data) and pass.
//
// Group -4 nodes combine tests: "<AND" … "AND>", "<OR" … "OR>" (one test or more),
// "<NOT" one test "NOT>" and "<XOR" two tests "XOR>", nested to any depth; the chain itself
// is an AND of its items. A -4 relational operator ("=", "!=", "/=", "<>", "<", "<=", ">",
// ">=", "*", "&", "&=") applies to the test right after it; texts take only the equality
// ones and "*". Anything else (an unknown operator, a group never closed, a NOT of two tests,
// a node whose value does not fit its code) makes the filter invalid: it then selects nothing.
class KVPLATFORM_EXPORT KvSelectionFilter
{
public:
    // A null chain is the empty filter, which every entity passes.
    explicit KvSelectionFilter(const kv_resbuf* chain);
    ~KvSelectionFilter();
    KvSelectionFilter(const KvSelectionFilter&) = delete;
    KvSelectionFilter& operator=(const KvSelectionFilter&) = delete;

    bool isValid() const { return m_error.isEmpty(); }
    // Why the chain is no filter; empty when valid.
    QString error() const { return m_error; }
    // False for every entity when the filter is invalid.
    bool matches(const OdDbEntity& entity) const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
    QString m_error;
};
