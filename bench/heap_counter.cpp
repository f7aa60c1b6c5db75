#include "heap_counter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::int64_t> g_bytes{0};

} // namespace

std::int64_t HeapBytes() {
    return g_bytes;
}

void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    g_bytes += static_cast<std::int64_t>(malloc_usable_size(p));
    return p;
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void operator delete(void* p) noexcept {
    if (p)
        g_bytes -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}

void operator delete[](void* p) noexcept {
    operator delete(p);
}

void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}
