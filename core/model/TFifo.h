#pragma once
#include "TQCTypes.h"

#include <QString>
#include <deque>
#include <memory>
#include <optional>

// Where the queue keeps its records between runs (the queue file, see
// FifoFileStore). Both calls report failure by false and a reason in `*error`.
class TFifoStore {
public:
    virtual ~TFifoStore() = default;
    // Reads every record into `records`, left as it was on failure.
    virtual bool Read(std::deque<TResu0>& records, QString* error) = 0;
    // Writes every record; on failure the previous copy stays.
    virtual bool Write(const std::deque<TResu0>& records, QString* error) = 0;
};

// The queue of held-back results, first in first out. The queue owns its
// records. When it has a store, every change (Push, Pop, Clear) rewrites the
// store, so a held-back run survives a crash; without one (tests, read-only
// tools) it lives in memory only.
class TFifo {
public:
    // The store that follows the queue; null = none. Setting it writes nothing.
    void SetStore(std::shared_ptr<TFifoStore> store) { m_store = std::move(store); }
    bool HasStore() const { return m_store != nullptr; }

    // Appends a result at the tail. Returns Synced().
    bool Push(TResu0 record);
    // Detaches the head result and hands it over; none when the queue is empty
    // (the file is then left alone).
    std::optional<TResu0> Pop();
    // Frees every record. Returns Synced().
    bool Clear();
    int Count() const { return int(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }
    // The record at index (0 = head, the next one Pop gives).
    const TResu0& Item(int index) const { return m_records[size_t(index)]; }

    // Replaces the queue with the store's records. A missing, cut or unsound file
    // gives an empty queue and false (ErrorString() says why).
    bool Load();
    // Writes the queue to the store (an empty queue leaves an empty file). False
    // when there is no store or the write failed; the previous file stays.
    [[nodiscard]] bool Save();

    // True when the store holds the queue as it is in memory (always true without
    // a store): false after a write that failed, until one succeeds.
    bool Synced() const { return m_synced; }
    const QString& ErrorString() const { return m_error; }

private:
    bool Changed();

    std::deque<TResu0> m_records;
    std::shared_ptr<TFifoStore> m_store;
    bool m_synced = true;
    QString m_error;
};
