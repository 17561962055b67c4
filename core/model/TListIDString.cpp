#include "TListIDString.h"

qint32 TListIDString::Add(const QString& text)
{
    const qint32 id = m_nextId++;
    m_items.append({ id, text });
    return id;
}

int TListIDString::IndexOfID(qint32 id) const
{
    int low = 0;
    int high = int(m_items.size()) - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const qint32 found = m_items[middle].ID;
        if (found == id)
            return middle;
        if (found < id)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

QString TListIDString::GetText(qint32 id) const
{
    if (id == -1)
        return QString();
    const int index = IndexOfID(id);
    return index < 0 ? QString() : m_items[index].Text;
}

void TListIDString::Clear() { m_items.clear(); }
