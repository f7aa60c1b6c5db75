#include "point_pool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <type_traits>
#include <utility>

static_assert(std::is_trivially_copyable_v<FloatPoint> && sizeof(FloatPoint) == 8,
              "the pool moves its points with realloc");

void AdviseHugePages(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
    if (bytes < 4 * kHuge)
        return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

CPointPool::CPointPool(const CPointPool& other) {
    if (other.m_nSize == 0)
        return;
    Resize(other.m_nSize);
    std::memcpy(m_pPoints, other.m_pPoints, other.m_nSize * sizeof(FloatPoint));
    m_nSize = other.m_nSize;
}

CPointPool& CPointPool::operator=(const CPointPool& other) {
    if (this != &other) {
        CPointPool copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CPointPool::CPointPool(CPointPool&& other) noexcept
    : m_pPoints(std::exchange(other.m_pPoints, nullptr)), m_nSize(std::exchange(other.m_nSize, 0)),
      m_nCapacity(std::exchange(other.m_nCapacity, 0)) {}

CPointPool& CPointPool::operator=(CPointPool&& other) noexcept {
    if (this != &other) {
        std::free(m_pPoints);
        m_pPoints = std::exchange(other.m_pPoints, nullptr);
        m_nSize = std::exchange(other.m_nSize, 0);
        m_nCapacity = std::exchange(other.m_nCapacity, 0);
    }
    return *this;
}

CPointPool::~CPointPool() {
    std::free(m_pPoints);
}

void CPointPool::Resize(std::size_t capacity) {
    if (capacity > kMaxPoints)
        throw std::bad_alloc();
    if (capacity == 0) {
        Clear();
        return;
    }
    // realloc moves large blocks by remapping their pages, so neither growing
    // nor shrinking a large pool needs twice its memory.
    void* p = std::realloc(m_pPoints, capacity * sizeof(FloatPoint));
    if (!p)
        throw std::bad_alloc();
    if (capacity > m_nCapacity)
        AdviseHugePages(p, capacity * sizeof(FloatPoint));
    m_pPoints = static_cast<FloatPoint*>(p);
    m_nCapacity = capacity;
}

void CPointPool::Reserve(std::size_t total) {
    if (total > m_nCapacity)
        Resize(total);
}

FloatPoint* CPointPool::Append(std::size_t count) {
    if (count > kMaxPoints - m_nSize)
        throw std::bad_alloc();
    const std::size_t needed = m_nSize + count;
    if (needed > m_nCapacity)
        Resize(std::max(needed, std::min(kMaxPoints, m_nCapacity + m_nCapacity / 2 + 16)));
    FloatPoint* at = m_pPoints + m_nSize;
    m_nSize = needed;
    return at;
}

void CPointPool::ShrinkToFit() {
    if (m_nCapacity > m_nSize)
        Resize(m_nSize);
}

void CPointPool::Clear() {
    std::free(m_pPoints);
    m_pPoints = nullptr;
    m_nSize = 0;
    m_nCapacity = 0;
}
