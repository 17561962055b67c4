#pragma once
#include <QList>
#include <QString>

// One lot of a control material (36 bytes in the data file).
struct TSerum {
    static constexpr int RecordSize = 36;
    static constexpr int NameCapacity = 15;
    static constexpr int LotCapacity = 10;

    qint32 ID = -1;
    qint32 EraseMark = 0;
    QString Name;
    QString Lot;

    // Upper-cased Name + Lot, the list's sort key.
    QString SortKey() const { return (Name + Lot).toUpper(); }
    bool operator==(const TSerum&) const = default;
};

// The control materials, kept sorted by SortKey; an entry whose key equals an
// existing one goes after it.
class TListSerum {
public:
    // Adds Name (cut to 15) and Lot (cut to 10) under the next id; returns the new id.
    qint32 Add(const QString& name, const QString& lot);
    // Appends an entry as read from a file (the file keeps the list's order).
    void AddLoaded(const TSerum& serum) { m_items.append(serum); }
    // The entry with this id, or the built-in "Unknown" entry (ID -1, empty lot).
    const TSerum& FindByID(qint32 id) const;
    // Index of the entry with this id, or -1.
    int IndexOfID(qint32 id) const;
    void RemoveAt(int index) { m_items.removeAt(index); }
    void Clear();

    int Count() const { return int(m_items.size()); }
    const TSerum& Item(int index) const { return m_items[index]; }
    TSerum& Item(int index) { return m_items[index]; }
    qint32 NextID() const { return m_nextId; }
    void SetNextID(qint32 id) { m_nextId = id; }

    static const TSerum& Unknown();

    bool operator==(const TListSerum&) const = default;

private:
    void InsertSorted(const TSerum& serum);

    QList<TSerum> m_items;
    qint32 m_nextId = 0;
};
