#pragma once

// The outline points of every block of a map in one array: a town of a million
// blocks is one allocation instead of a million, read and written in bulk. A
// block names its part by offset and count.

#include "geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>

class CPointPool {
public:
    // Offsets are 32-bit: no map file can hold more points than this.
    static constexpr std::size_t kMaxPoints = UINT32_MAX;

    CPointPool() = default;
    CPointPool(const CPointPool& other);
    CPointPool& operator=(const CPointPool& other);
    CPointPool(CPointPool&& other) noexcept;
    CPointPool& operator=(CPointPool&& other) noexcept;
    ~CPointPool();

    std::size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    const FloatPoint* data() const { return m_pPoints; }
    // The `count` points from `first`; empty when they are not all in the pool.
    std::span<const FloatPoint> Span(std::uint32_t first, std::uint32_t count) const {
        if (std::uint64_t{first} + count > m_nSize)
            return {};
        return {m_pPoints + first, count};
    }

    // Room for `total` points without moving them; throws std::bad_alloc.
    void Reserve(std::size_t total);
    // Makes room for `count` more points at the end and returns where they go;
    // they hold no values until written. Throws std::bad_alloc past kMaxPoints
    // or when memory runs out, leaving the pool as it was.
    FloatPoint* Append(std::size_t count);
    // Gives back what Reserve took beyond the points in use.
    void ShrinkToFit();
    void Clear();

private:
    void Resize(std::size_t capacity);

    FloatPoint* m_pPoints = nullptr;
    std::size_t m_nSize = 0;
    std::size_t m_nCapacity = 0;
};

// Asks for huge pages over the whole 2 MiB pages inside a large fresh buffer
// (nothing for small ones, nothing where the system has no such request):
// opening or writing a large town then takes a few dozen page faults instead
// of tens of thousands.
void AdviseHugePages(void* buffer, std::size_t bytes);
