#pragma once
#include "TClock.h"
#include "TConfigRecord.h"
#include "TFifo.h"
#include "TListAnalytes.h"
#include "TListSerum.h"
#include "TRandom.h"

#include <QString>
#include <QStringList>
#include <memory>

class TQCDocument;

// The objects the whole program shares, from start-up to shutdown: the lists,
// the current analyte, the settings, and the clock and random seams. The
// program owns one; each test makes its own.
class TQCContext {
public:
    // A context on the system clock with a generator seeded from it.
    TQCContext();
    // A context on the given clock (owned) and seed.
    TQCContext(std::unique_ptr<TClock> clock, quint64 seed);
    ~TQCContext();

    TListAnalytes ListAnalytes;
    TListSerum ListSerum;
    TAnalyte* CurrentAnalyte = nullptr;
    TFifo ListFifo;
    QStringList ListOperators;
    TConfigRecord Config;
    bool FirstStart = false;

    TClock& Clock() const { return *m_clock; }
    TRandom& Random() { return m_random; }
    TRisks Risks() const { return Config.Risks(); }

    // The program folder, ending with a separator, and BaseName = folder + "Vantorel".
    const QString& ProgramFolder() const { return m_programFolder; }
    QString BaseName() const { return m_programFolder + QStringLiteral("Vantorel"); }
    void SetProgramFolder(const QString& folder);

    // The one owner of accepted changes to these lists: commits, writes, tells.
    TQCDocument& Document() const { return *m_document; }

private:
    std::unique_ptr<TQCDocument> m_document;
    std::unique_ptr<TClock> m_clock;
    TRandom m_random;
    QString m_programFolder;
};
