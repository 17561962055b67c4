#include "TFifo.h"

#include "TFifoFile.h"

bool TFifo::Changed()
{
    if (m_fileName.isEmpty()) {
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
    TFifoReader reader;
    if (m_fileName.isEmpty() || !reader.ReadFile(m_fileName, m_records)) {
        m_error = m_fileName.isEmpty() ? QStringLiteral("No queue file") : reader.ErrorString();
        m_records.clear();
        return false;
    }
    m_error.clear();
    m_synced = true;
    return true;
}

bool TFifo::Save()
{
    if (m_fileName.isEmpty()) {
        m_error = QStringLiteral("No queue file");
        return false;
    }
    TFifoWriter writer;
    m_synced = writer.WriteFile(m_fileName, m_records);
    m_error = writer.ErrorString();
    return m_synced;
}
