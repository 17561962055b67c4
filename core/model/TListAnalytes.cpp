#include "TListAnalytes.h"
#include "TAnalyte.h"

#include <algorithm>

TListAnalytes::TListAnalytes(const TListAnalytes& other) { *this = other; }
TListAnalytes::TListAnalytes(TListAnalytes&&) noexcept = default;
TListAnalytes& TListAnalytes::operator=(TListAnalytes&&) noexcept = default;
TListAnalytes::~TListAnalytes() = default;

TAnalyte& TListAnalytes::Add(TAnalyte analyte) { return Add(std::make_unique<TAnalyte>(std::move(analyte))); }

void TListAnalytes::Clear() { m_items.clear(); }

TListAnalytes& TListAnalytes::operator=(const TListAnalytes& other)
{
    if (this == &other)
        return *this;
    m_items.clear();
    for (const auto& item : other.m_items)
        m_items.push_back(std::make_unique<TAnalyte>(*item));
    return *this;
}

int TListAnalytes::IndexOf(const TAnalyte* analyte) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == analyte)
            return int(i);
    return -1;
}

TAnalyte& TListAnalytes::Add(std::unique_ptr<TAnalyte> analyte)
{
    m_items.push_back(std::move(analyte));
    return *m_items.back();
}

void TListAnalytes::Delete(int index) { m_items.erase(m_items.begin() + index); }

void TListAnalytes::Move(int from, int to)
{
    auto item = std::move(m_items[size_t(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + std::clamp(to, 0, Count()), std::move(item));
}

std::unique_ptr<TAnalyte> TListAnalytes::Take(int index)
{
    auto item = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
    return item;
}

TAnalyte* TListAnalytes::FindByName(const QString& name)
{
    const QString key = name.toUpper();
    for (auto& item : m_items)
        if (item->Name.toUpper() == key)
            return item.get();
    return nullptr;
}

const TAnalyte* TListAnalytes::FindByName(const QString& name) const
{
    return const_cast<TListAnalytes*>(this)->FindByName(name);
}

void TListAnalytes::AnalytesUsingSerum(qint32 id, QList<TAnalyte*>& result)
{
    for (auto& item : m_items) {
        const int levels = std::clamp(int(item->NbLevels), 0, MaxLevels);
        for (int l = 0; l < levels; ++l) {
            if (item->SerumID[l] == id) {
                result.append(item.get());
                break;
            }
        }
    }
}
