#pragma once
#include "TQCTypes.h"

#include <QString>
#include <deque>
#include <optional>

// The queue of held-back results, first in first out. The queue owns its
// records. When it has a file name, every change (Push, Pop, Clear) rewrites
// that file atomically, so a held-back run survives a crash; without one (tests,
// read-only tools) it lives in memory only.
class TFifo {
public:
    // The file that follows the queue; empty = none. Setting it writes nothing.
    void SetFileName(const QString& fileName) { m_fileName = fileName; }

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

    // Replaces the queue with the file's records. A missing, cut or unsound file
    // gives an empty queue and false (ErrorString() says why).
    bool Load();
    // Writes the queue to the file (an empty queue leaves an empty file). False
    // when there is no file name or the write failed; the previous file stays.
    bool Save();

    // True when the file holds the queue as it is in memory (always true without
    // a file name): false after a write that failed, until one succeeds.
    bool Synced() const { return m_synced; }
    const QString& ErrorString() const { return m_error; }

private:
    bool Changed();

    std::deque<TResu0> m_records;
    QString m_fileName;
    bool m_synced = true;
    QString m_error;
};
