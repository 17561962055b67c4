#pragma once
#include <QJsonObject>
#include <QString>

// The kinds of accepted change to the stored QC records and settings. Every
// commit of the document names one, so that whoever keeps a record of changes
// (the audit trail) sees each of them once.
enum class TChangeKind {
    RunStored, // a run stored: entry, queue recall, random points, import, paste
    RunQueued, // a run sent to the queue
    RunRecalled, // a run taken back from the queue
    QueueCleared, // the queue emptied
    PointsDeleted, // points deleted in the data table
    PointCorrected, // a point's values corrected
    LimitsLocked, // a level's limits locked on a date interval
    LimitsFixed, // a level's limits fixed to given values
    LimitsMobile, // a level's limits back to mobile
    CommonCvChanged, // the common-CV switch
    RisksChanged, // the statistical risks
    LevelArchived, // a level erased and archived
    ArchiveDeleted, // an archive file deleted
    AnalyteCreated,
    AnalyteChanged,
    AnalyteDeleted,
    MaterialCreated,
    MaterialChanged,
    MaterialDeleted,
    LotAssigned, // lot assignments of an analyte's levels
    OperatorsChanged,
    PasswordChanged, // never the password's value
    BackupOptionsChanged,
    BackupMade,
    Restored, // a restore, from which file and its date
    Imported, // a version-2 import
    RulesChanged, // the rules an analyte applies
    SettingsChanged, // any other setting
};

// One accepted change: what, where, by whom, and the values before and after
// as structured fields.
struct TChange {
    TChangeKind Kind = TChangeKind::SettingsChanged;
    QString Analyte; // empty where the change has no analyte
    int Level = 0; // 1 to 3, or 0 where the change has no level
    QString OperatorCode; // empty where the change has none
    QJsonObject Before;
    QJsonObject After;
};

// Receives each change after the document has committed it (the data file is
// written first). Implemented by the audit trail.
class TChangeJournal {
public:
    virtual ~TChangeJournal() = default;
    // Records one committed change. False, with the reason in *error, when it
    // could not be recorded; the change itself stays committed.
    virtual bool Record(const TChange& change, QString* error) = 0;
};
