#pragma once
#include <QList>
#include <QString>

// One comment of an analyte.
struct TIDString {
    qint32 ID = 0;
    QString Text;
    bool operator==(const TIDString&) const = default;
};

// An analyte's comments. Entries are only appended, so ids ascend along the list.
class TListIDString {
public:
    // Appends text under a new id and returns the id; equal texts get their own ids.
    qint32 Add(const QString& text);
    // Index of the entry with this id (search by halving), or -1.
    int IndexOfID(qint32 id) const;
    // The text for an id; empty for -1 or an unknown id.
    QString GetText(qint32 id) const;
    void Clear();

    int Count() const { return int(m_items.size()); }
    const TIDString& Item(int index) const { return m_items[index]; }
    qint32 NextID() const { return m_nextId; }

    // Used by the file reader: appends an entry as read, ids must ascend.
    void AppendLoaded(qint32 id, const QString& text) { m_items.append({ id, text }); }
    void SetNextID(qint32 id) { m_nextId = id; }

    bool operator==(const TListIDString&) const = default;

private:
    QList<TIDString> m_items;
    qint32 m_nextId = 0;
};
