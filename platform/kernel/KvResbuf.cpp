#include "kernel/KvResbuf.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace {
std::atomic<long> g_liveNodes{0};
}

bool kvIsStringType(short type)
{
    if (type == kvrt::String || type == kvrt::Dxf0)
        return true;
    // Group codes of filter lists that carry text.
    return (type >= 0 && type <= 9) || type == 100 || type == 102 || (type >= 300 && type <= 309)
           || (type >= 410 && type <= 419) || (type >= 430 && type <= 439) || (type >= 470 && type <= 479)
           || type == 999 || (type >= 1000 && type <= 1009);
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
