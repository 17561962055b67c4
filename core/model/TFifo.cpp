#include "TFifo.h"

bool TFifo::Changed()
{
    if (!m_store) {
        m_synced = true;
        return true;
    }
    return Save();
}

bool TFifo::Push(TResu0 record)
{
    m_records.push_back(std::move(record));
    return Changed();
}

std::optional<TResu0> TFifo::Pop()
{
    if (m_records.empty())
        return std::nullopt;
    TResu0 head = std::move(m_records.front());
    m_records.pop_front();
    Changed();
    return head;
}

bool TFifo::Clear()
{
    m_records.clear();
    return Changed();
}

bool TFifo::Load()
{
    m_records.clear();
    if (!m_store) {
        m_error = QStringLiteral("No queue file");
        return false;
    }
    if (!m_store->Read(m_records, &m_error)) {
        m_records.clear();
        return false;
    }
    m_error.clear();
    m_synced = true;
    return true;
}

bool TFifo::Save()
{
    if (!m_store) {
        m_error = QStringLiteral("No queue file");
        return false;
    }
    m_error.clear();
    m_synced = m_store->Write(m_records, &m_error);
    return m_synced;
}
