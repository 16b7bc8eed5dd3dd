#include "kernel/KvResbuf.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {
std::atomic<long> g_liveNodes{0};
}

KvGroupValue kvGroupValueType(short code)
{
    auto in = [code](int first, int last) { return code >= first && code <= last; };
    if (code == kvrt::Dxf0 || code == -4 || in(0, 9) || code == 100 || code == 102 || code == 105 || in(300, 309)
        || in(390, 399) || in(410, 419) || in(430, 439) || in(470, 481) || code == 999 || in(1000, 1009))
        return KvGroupValue::String;
    if (in(10, 18) || in(110, 112) || code == 210 || in(1010, 1013))
        return KvGroupValue::Point;
    if (in(38, 59) || in(140, 149) || in(460, 469) || in(1040, 1042))
        return KvGroupValue::Real;
    if (in(90, 99) || in(420, 429) || in(440, 449) || code == 1071)
        return KvGroupValue::Long;
    if (code == -1 || code == -2 || in(330, 369))
        return KvGroupValue::Name;
    return KvGroupValue::Short;
}

bool kvIsStringType(short type)
{
    if (type == kvrt::String)
        return true;
    // Codes of LISP values carry no group value; group codes stay below them.
    if (type >= 5000 && type != kvrt::Dxf0)
        return false;
    return kvGroupValueType(type) == KvGroupValue::String;
}

char16_t* kvAllocString(std::size_t len)
{
    if (len > (std::size_t(1) << 28))
        return nullptr;
    return static_cast<char16_t*>(std::calloc(len + 1, sizeof(char16_t)));
}

char16_t* kvDuplicateString(const char16_t* s)
{
    std::size_t n = 0;
    if (s)
        while (s[n])
            ++n;
    char16_t* copy = kvAllocString(n);
    if (copy && n)
        std::memcpy(copy, s, n * sizeof(char16_t));
    return copy;
}

void kvFreeString(char16_t* s)
{
    std::free(s);
}

kv_resbuf* kvNewNode(short type)
{
    auto* node = static_cast<kv_resbuf*>(std::calloc(1, sizeof(kv_resbuf)));
    if (node) {
        node->restype = type;
        ++g_liveNodes;
    }
    return node;
}

void kvFreeChain(kv_resbuf* chain)
{
    while (chain) {
        kv_resbuf* next = chain->rbnext;
        if (kvIsStringType(chain->restype))
            std::free(chain->resval.rstring);
        std::free(chain);
        --g_liveNodes;
        chain = next;
    }
}

long kvLiveNodeCount()
{
    return g_liveNodes.load();
}
