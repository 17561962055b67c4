#pragma once
#include "TChange.h"
#include "TQCTypes.h"

#include <QFlags>
#include <QJsonArray>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <array>

class TAnalyte;
class TListAnalytes;
class TListSerum;
class TQCContext;
class TQualityGoals;
struct TAnalyteGoals;
struct TQCPoint;

Q_DECLARE_LOGGING_CATEGORY(lcDocument)

// The files a commit writes.
enum class TFile {
    Data = 0x1, // BaseName + ".qcf": analytes, control materials, points
    Queue = 0x2, // BaseName + ".fif": the held-back runs
    Settings = 0x4, // BaseName + ".cfr": settings and operator codes
};
Q_DECLARE_FLAGS(TFiles, TFile)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFiles)

// What a commit recomputes before it writes.
enum class TRecompute {
    Nothing,
    Statistics, // the analyte's statistics and limits (the stored marks stay as judged)
    StatisticsAndMarks, // ... and every stored point classified again
    EveryAnalyte, // statistics and marks of every analyte (the risks changed)
};

// What one commit does besides handing its changes on.
struct TCommitScope {
    TFiles Files = TFile::Data;
    TRecompute Recompute = TRecompute::Nothing;
    TAnalyte* Analyte = nullptr; // the analyte Statistics and StatisticsAndMarks work on
};

// One file a commit could not write: the program's text and the system's reason.
struct TCommitFailure {
    TFile File = TFile::Data;
    QString Message; // "Cannot save data", "Unable to save fifo", "Cannot save the settings"
    QString Reason; // e.g. "No space left on device"
};

// How a commit ended. The change is kept in memory whatever happened to the
// files; a file that failed keeps its previous content and is written again by
// the next commit that touches it.
struct [[nodiscard]] TCommitResult {
    QList<TCommitFailure> Failures;
    // Set when the journal could not record the changes (the commit still holds).
    QString JournalError;

    bool Ok() const { return Failures.isEmpty(); }
    // What a window shows: each failure's message, its reason on the next line.
    QString Text() const;
};

// The owner of "a change was accepted": recompute what depends on it, write the
// files it touches, tell the windows (Committed) and hand the change to the
// journal once the files hold it. The document works on the lists of its
// context; whoever changes them in memory commits through here, so that no
// failure of a write can be dropped. Failures are logged in the category
// "vantorel.document".
class TQCDocument : public QObject {
    Q_OBJECT
public:
    explicit TQCDocument(TQCContext& context, QObject* parent = nullptr);
    ~TQCDocument() override;

    TQCContext& Context() const { return m_context; }
    // The journal that receives each committed change (not owned; nullptr = none).
    void SetJournal(TChangeJournal* journal) { m_journal = journal; }
    TChangeJournal* Journal() const { return m_journal; }

    // Commits changes already made to the lists: recomputes as the scope says,
    // writes its files, emits Committed, then hands the changes to the journal
    // unless a file's last write failed (they then wait until every such file
    // was written again by a later commit or Save).
    TCommitResult Commit(const TChange& change, const TCommitScope& scope = TCommitScope());
    TCommitResult Commit(const QList<TChange>& changes, const TCommitScope& scope);
    // Writes the files as they are in memory, without a change (exit, end of session).
    TCommitResult Save(TFiles files);

    // Adds an accepted run to the analyte at its date position, recomputes and
    // writes the data file (RunStored). *index receives the new point's index;
    // `verdict` (the rules that fired, whether it was accepted) joins the record of the change.
    TCommitResult StoreRun(
        TAnalyte& analyte, const TResu0& run, int* index = nullptr, const QJsonObject& verdict = QJsonObject());
    // Replaces a stored point by its corrected run in one step: the point leaves
    // and the run comes in with the same write (PointCorrected). A point that is
    // no longer stored (found by address and content) is left alone and the run
    // is stored as a new one.
    TCommitResult ReplacePoint(TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content, const TResu0& run,
        int* index = nullptr, const QJsonObject& verdict = QJsonObject());
    // Puts a run at the tail of the queue (RunQueued); the queue file follows.
    TCommitResult QueueRun(TResu0 run);
    // Sends a corrected run to the queue and only then removes the stored point
    // (PointCorrected): after a crash between the two the point is in both.
    TCommitResult QueueCorrection(TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content, TResu0 run);

    // Runs added to the analyte by a window (import, paste, random runs; `source`
    // names it): RunStored with the runs `before` did not hold, then the levels
    // whose limits the addition changed (random runs put them back to mobile).
    TCommitResult RunsAdded(TAnalyte& analyte, const TAnalyte& before, const QString& source);
    // Runs a window put at the tail of the queue (random runs; `source` names it):
    // RunQueued with the runs from index `first` on.
    TCommitResult RunsQueued(int first, const QString& source);
    // Takes the run at the head of the queue (RunRecalled, the run before); nothing when it is empty.
    TCommitResult RecallHead();
    // Empties the queue (QueueCleared, how many runs before and after).
    TCommitResult ClearQueue();
    // Deletions made in the analyte's points (PointsDeleted: the points `before` held that are
    // gone, and how many are left); nothing when none was deleted.
    TCommitResult PointsDeleted(TAnalyte& analyte, const TAnalyte& before);

    // Erases and archives the marked levels, one LevelArchived each (the lot and the
    // points before, the archive number after), and writes the data file at once:
    // the erased points must not come back beside their archive after a crash. The
    // first level that cannot be archived stops there, its reason in *error.
    TCommitResult ArchiveLevels(TAnalyte& analyte, const std::array<bool, MaxLevels>& marks, QString* error);
    // Erases and archives one level and appends its LevelArchived change to `changes`, for
    // the caller to commit; the archive number, or 0 with the reason in *error.
    qint32 ArchiveLevel(TAnalyte& analyte, int level, QList<TChange>& changes, QString* error);

    // A setting as the journal records it for a change of that kind: the risks
    // (RisksChanged), the operator codes (OperatorsChanged), whether a password is
    // set, never its value (PasswordChanged), the backup folder and interval
    // (BackupOptionsChanged); an analyte's common-CV switch (CommonCvChanged) and
    // archive numbers (ArchiveDeleted).
    QJsonObject SettingsJson(TChangeKind kind) const;
    static QJsonObject AnalyteJson(TChangeKind kind, const TAnalyte& analyte);
    // Commits a setting changed in memory, `before` taken with SettingsJson (the
    // risks recompute every analyte). An unchanged setting (the password
    // excepted: its value is not seen) is written without an entry.
    TCommitResult CommitSettings(TChangeKind kind, const QJsonObject& before);
    // The same for an analyte's setting, `before` taken with AnalyteJson.
    TCommitResult CommitAnalyte(TChangeKind kind, TAnalyte& analyte, const QJsonObject& before);
    // A file's road: a backup made (BackupMade, its file), a restore (Restored, the
    // file and its date; nothing written, the files came back), a version-2 import
    // (Imported, the file and the analytes; `before` the analytes before it).
    TCommitResult CommitFile(TChangeKind kind, const QString& file, const QJsonObject& before = QJsonObject());

    // An editor's change of a list (AnalytesJson or MaterialsJson before and after):
    // none when nothing changed, `created` when it only added items, `deleted` when
    // it only removed some, else `changed`.
    static QList<TChange> ListChange(const QJsonObject& before, const QJsonObject& after, TChangeKind created,
        TChangeKind deleted, TChangeKind changed);

    // The fields of a run or a stored point as the journal records them.
    static QJsonObject RunJson(const TResu0& run, const QJsonObject& verdict = QJsonObject());
    static QJsonObject PointJson(const TAnalyte& analyte, const TQCPoint& point);
    // The control materials (id, name, lot) and the analytes (name, units,
    // decimals, levels, lots) as the journal records an editor's before and after.
    static QJsonObject MaterialsJson(const TListSerum& list);
    static QJsonObject AnalytesJson(const TListAnalytes& list);
    // The points of `from` that `other` does not hold (compared by content), as
    // the journal records them: the points a deletion took, or an import added.
    static QJsonArray PointsNotIn(const TAnalyte& from, const TAnalyte& other);
    // The index of a stored point found by address and content, or -1.
    static int FindPoint(const TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content);

signals:
    // After every commit, whether its files were written or not: the lists have
    // changed, so the windows follow.
    void Committed(const QList<TChange>& changes);

private:
    void Recompute(const TCommitScope& scope);
    void Write(TFiles files, TCommitResult& result, bool wholeQueue);
    void HandToJournal(const QList<TChange>& changes, TCommitResult& result);

    TQCContext& m_context;
    TChangeJournal* m_journal = nullptr;
    // Changes committed in memory while a file could not be written, and the
    // files whose last write failed: the changes reach the journal once none is left.
    QList<TChange> m_unwritten;
    TFiles m_failedFiles;
};

// Stores an analyte's goals in the goals file of the document's folder. A change
// between the recommended rules and the full multirule is then committed through
// the document (RulesChanged, before and after). False with the reason in *error
// when the file could not be written (nothing is committed); *journalError gets
// the journal's reason when the change could not be recorded.
bool StoreGoals(TQCDocument& document, TQualityGoals& goals, const QString& analyte, const TAnalyteGoals& after,
    QString* error, QString* journalError = nullptr);
