#pragma once
#include "TQCPoint.h"

#include <memory>
#include <new>
#include <type_traits>
#include <vector>

// Storage for an analyte's points: blocks of many points each, so that a point
// never moves once stored and a long series costs one allocation instead of one
// per point. A freed place is taken again by the next new point; the blocks are
// given back together by Clear() or with the pool.
class TPointPool {
public:
    static_assert(std::is_trivially_copyable_v<TQCPoint> && std::is_trivially_destructible_v<TQCPoint>,
        "points are copied into raw storage and never destroyed one by one");

    TPointPool() = default;
    TPointPool(const TPointPool&) = delete;
    TPointPool& operator=(const TPointPool&) = delete;
    TPointPool(TPointPool&& other) noexcept;
    TPointPool& operator=(TPointPool&& other) noexcept;

    // A copy of `value` in a place of its own, which it keeps until Free() or Clear().
    TQCPoint* New(const TQCPoint& value)
    {
        TQCPoint* place;
        if (!m_free.empty()) {
            place = m_free.back();
            m_free.pop_back();
        } else {
            if (m_next == m_end)
                Grow();
            place = m_next++;
        }
        ++m_live;
        return new (place) TQCPoint(value);
    }
    // Gives the place of a point that New() returned back for a later New().
    void Free(TQCPoint* point);
    // Makes room for `count` more points at once, so that as many New() calls
    // allocate nothing.
    void Reserve(int count);
    // Frees every place at once: every point held is gone.
    void Clear();

    // Places holding a point, and places given back or left over that wait for one.
    int LiveCount() const { return m_live; }
    int FreeCount() const { return int(m_free.size()); }
    // Places allocated in all blocks.
    qint64 Capacity() const { return m_capacity; }

private:
    struct TBlockDeleter {
        void operator()(TQCPoint* block) const;
    };
    using TBlock = std::unique_ptr<TQCPoint, TBlockDeleter>;

    // The first block of a pool grown point by point; later blocks grow with the pool.
    static constexpr int SmallestBlock = 16;

    void AddBlock(int size);
    void Grow();

    std::vector<TBlock> m_blocks;
    std::vector<TQCPoint*> m_free; // places given back, taken again last in first out
    TQCPoint* m_next = nullptr; // the first unused place of the newest block
    TQCPoint* m_end = nullptr; // the end of the newest block
    qint64 m_capacity = 0;
    int m_live = 0;
};
