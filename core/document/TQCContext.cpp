#include "TQCContext.h"
#include "TAnalyte.h"
#include "TQCDocument.h"

#include <QDir>

TQCContext::TQCContext()
    : m_document(std::make_unique<TQCDocument>(*this))
    , m_clock(std::make_unique<TClock>())
    , m_random(quint64(m_clock->Now().toMSecsSinceEpoch()))
{
}

TQCContext::TQCContext(std::unique_ptr<TClock> clock, quint64 seed)
    : m_document(std::make_unique<TQCDocument>(*this))
    , m_clock(std::move(clock))
    , m_random(seed)
{
}

TQCContext::~TQCContext() = default;

void TQCContext::SetProgramFolder(const QString& folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith('/'))
        path += '/';
    m_programFolder = path;
}
