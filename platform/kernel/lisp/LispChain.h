#pragma once

#include "LispValue.h"
#include "kernel/KvResbuf.h"

namespace kvlisp {

// Appends the nodes of one value to a chain the way a host hands arguments to external
// functions: lists of 2 or 3 numbers become points, integers 5003 or 5010 by size, other
// lists 5016 ... 5017 (a dotted pair puts 5018 between its two parts). Returns false with
// a message when the value cannot be converted (too many nodes, no memory); the nodes
// appended so far stay in the chain for the caller to free.
class ChainWriter
{
public:
    static constexpr long DefaultMaxNodes = 4000000;
    explicit ChainWriter(long maxNodes = DefaultMaxNodes) : m_budget(maxNodes), m_maxNodes(maxNodes) {}
    ~ChainWriter();
    ChainWriter(const ChainWriter&) = delete;
    ChainWriter& operator=(const ChainWriter&) = delete;

    bool append(const Ref& value, QString* error);
    // The chain built so far; the caller owns it afterwards.
    kv_resbuf* take();

private:
    kv_resbuf* node(short type);
    bool atom(const Ref& v);

    kv_resbuf* m_head = nullptr;
    kv_resbuf* m_tail = nullptr;
    long m_budget;
    long m_maxNodes;
    bool m_failed = false;
    bool m_badType = false;
};

// Reads one value (an atom, or a list from 5016 to its 5017) starting at *node and moves
// *node past it (*found tells whether there was a value at all); a chain that ends before the list is closed closes it there. Group-code
// nodes (codes below 5000) read as (code . value), as entity data lists do.
Ref readChainValue(const kv_resbuf** node, bool* found = nullptr);
// Every value of a chain, as the elements of one list.
Ref readChainList(const kv_resbuf* chain);

} // namespace kvlisp
