#include "TListSerum.h"

const TSerum& TListSerum::Unknown()
{
    static const TSerum unknown { -1, 0, QStringLiteral("Unknown"), QString() };
    return unknown;
}

void TListSerum::InsertSorted(const TSerum& serum)
{
    const QString key = serum.SortKey();
    int index = int(m_items.size());
    while (index > 0 && m_items[index - 1].SortKey() > key)
        --index;
    m_items.insert(index, serum);
}

qint32 TListSerum::Add(const QString& name, const QString& lot)
{
    TSerum serum;
    serum.ID = m_nextId++;
    serum.Name = name.left(TSerum::NameCapacity);
    serum.Lot = lot.left(TSerum::LotCapacity);
    InsertSorted(serum);
    return serum.ID;
}

int TListSerum::IndexOfID(qint32 id) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i].ID == id)
            return i;
    return -1;
}

const TSerum& TListSerum::FindByID(qint32 id) const
{
    const int index = IndexOfID(id);
    return index < 0 ? Unknown() : m_items[index];
}

void TListSerum::Clear()
{
    m_items.clear();
    m_nextId = 0;
}
