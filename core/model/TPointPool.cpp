#include "TPointPool.h"

#include <algorithm>
#include <new>
#include <utility>

TPointPool::TPointPool(TPointPool&& other) noexcept
    : m_blocks(std::move(other.m_blocks))
    , m_free(std::move(other.m_free))
    , m_next(std::exchange(other.m_next, nullptr))
    , m_end(std::exchange(other.m_end, nullptr))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_live(std::exchange(other.m_live, 0))
{
    other.m_blocks.clear();
    other.m_free.clear();
}

TPointPool& TPointPool::operator=(TPointPool&& other) noexcept
{
    if (this == &other)
        return *this;
    m_blocks = std::move(other.m_blocks);
    m_free = std::move(other.m_free);
    other.m_blocks.clear();
    other.m_free.clear();
    m_next = std::exchange(other.m_next, nullptr);
    m_end = std::exchange(other.m_end, nullptr);
    m_capacity = std::exchange(other.m_capacity, 0);
    m_live = std::exchange(other.m_live, 0);
    return *this;
}

void TPointPool::TBlockDeleter::operator()(TQCPoint* block) const { ::operator delete(static_cast<void*>(block)); }

void TPointPool::AddBlock(int size)
{
    // The unused rest of the newest block is kept for later points.
    for (; m_next != m_end; ++m_next)
        m_free.push_back(m_next);
    // Raw storage: each place is constructed when a point is stored in it.
    auto* block = static_cast<TQCPoint*>(::operator new(sizeof(TQCPoint) * size_t(size)));
    m_blocks.emplace_back(block);
    m_next = block;
    m_end = block + size;
    m_capacity += size;
}

void TPointPool::Grow()
{
    // A quarter of what the pool holds: few blocks for a long series, and at
    // most a fifth of the places unused at the end of the newest.
    AddBlock(int(std::max<qint64>(SmallestBlock, m_capacity / 4)));
}

void TPointPool::Free(TQCPoint* point)
{
    m_free.push_back(point);
    --m_live;
}

void TPointPool::Reserve(int count)
{
    const qint64 room = qint64(m_free.size()) + (m_end - m_next);
    if (count <= room)
        return;
    AddBlock(int(count - room));
}

void TPointPool::Clear()
{
    m_blocks.clear();
    m_free.clear();
    m_next = nullptr;
    m_end = nullptr;
    m_capacity = 0;
    m_live = 0;
}
