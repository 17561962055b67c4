#pragma once
#include <QList>
#include <QString>
#include <memory>
#include <vector>

class TAnalyte;

// The analytes in the user's order. The list owns them; each analyte keeps its
// address while it is in the list.
class TListAnalytes {
public:
    TListAnalytes() = default;
    TListAnalytes(const TListAnalytes& other);
    TListAnalytes& operator=(const TListAnalytes& other);
    TListAnalytes(TListAnalytes&&) noexcept;
    TListAnalytes& operator=(TListAnalytes&&) noexcept;
    ~TListAnalytes();

    int Count() const { return int(m_items.size()); }
    TAnalyte& Item(int index) { return *m_items[size_t(index)]; }
    const TAnalyte& Item(int index) const { return *m_items[size_t(index)]; }
    TAnalyte* At(int index) { return m_items[size_t(index)].get(); }
    int IndexOf(const TAnalyte* analyte) const;

    // Appends and takes ownership; returns the stored analyte.
    TAnalyte& Add(std::unique_ptr<TAnalyte> analyte);
    TAnalyte& Add(TAnalyte analyte);
    void Delete(int index);
    void Move(int from, int to);
    // Hands an analyte out of the list, with its ownership.
    std::unique_ptr<TAnalyte> Take(int index);
    void Clear();

    // The first analyte whose name equals name without regard to case, or null.
    TAnalyte* FindByName(const QString& name);
    const TAnalyte* FindByName(const QString& name) const;
    // Appends to result every analyte that uses the lot id on one of its levels.
    void AnalytesUsingSerum(qint32 id, QList<TAnalyte*>& result);

private:
    std::vector<std::unique_ptr<TAnalyte>> m_items;
};
