#include "TQCDocument.h"

#include "TAnalyte.h"
#include "TArchive.h"
#include "TDataFile.h"
#include "TLimitModes.h"
#include "TQCContext.h"
#include "TQualityGoals.h"
#include "TSettings.h"
#include "TStatistics.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <algorithm>
#include <cstring>
#include <utility>

Q_LOGGING_CATEGORY(lcDocument, "vantorel.document")

QString TCommitResult::Text() const
{
    QStringList lines;
    for (const TCommitFailure& failure : Failures)
        lines << (failure.Reason.isEmpty() ? failure.Message : failure.Message + '\r' + failure.Reason);
    return lines.join('\r');
}

TQCDocument::TQCDocument(TQCContext& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
}

TQCDocument::~TQCDocument() = default;

TCommitResult TQCDocument::Commit(const TChange& change, const TCommitScope& scope)
{
    return Commit(QList<TChange> { change }, scope);
}

TCommitResult TQCDocument::Commit(const QList<TChange>& changes, const TCommitScope& scope)
{
    Recompute(scope);
    TCommitResult result;
    Write(scope.Files, result, false);
    for (const TChange& change : changes)
        qCDebug(lcDocument).noquote() << "committed change" << int(change.Kind) << change.Analyte << change.Level;
    emit Committed(changes);
    m_unwritten += changes;
    // Only once no file holds an older content than memory are the changes written.
    if (!m_failedFiles)
        HandToJournal(std::exchange(m_unwritten, {}), result);
    return result;
}

TCommitResult TQCDocument::Save(TFiles files)
{
    TCommitResult result;
    Write(files, result, true);
    if (!m_failedFiles)
        HandToJournal(std::exchange(m_unwritten, {}), result);
    return result;
}

void TQCDocument::Recompute(const TCommitScope& scope)
{
    const TRisks risks = m_context.Risks();
    switch (scope.Recompute) {
    case TRecompute::Nothing:
        return;
    case TRecompute::Statistics:
    case TRecompute::StatisticsAndMarks:
        if (!scope.Analyte)
            return;
        RecomputeAll(*scope.Analyte, risks);
        if (scope.Recompute == TRecompute::StatisticsAndMarks)
            ClassifyAll(*scope.Analyte);
        return;
    case TRecompute::EveryAnalyte:
        for (int i = 0; i < m_context.ListAnalytes.Count(); ++i) {
            ::RecomputeAll(m_context.ListAnalytes.Item(i), risks);
            ::ClassifyAll(m_context.ListAnalytes.Item(i));
        }
        return;
    }
}

void TQCDocument::Write(TFiles files, TCommitResult& result, bool wholeQueue)
{
    const auto fail = [&result](TFile file, const char* message, const QString& reason) {
        qCWarning(lcDocument).noquote() << message << '-' << reason;
        result.Failures.append({ file, QString::fromLatin1(message), reason });
    };
    m_failedFiles &= ~files;
    if (files.testFlag(TFile::Data)) {
        QString error;
        if (!SaveData(m_context, DataFileName(m_context), &error))
            fail(TFile::Data, "Cannot save data", error);
    }
    if (files.testFlag(TFile::Queue)) {
        // The queue writes its file at each change; a commit only tries again a write that failed.
        TFifo& fifo = m_context.ListFifo;
        if (fifo.HasStore() && (wholeQueue || !fifo.Synced()) && !fifo.Save())
            fail(TFile::Queue, "Unable to save fifo", fifo.ErrorString());
    }
    if (files.testFlag(TFile::Settings)) {
        QString error;
        if (!SaveConfig(m_context, &error))
            fail(TFile::Settings, "Cannot save the settings", error);
    }
    for (const TCommitFailure& failure : std::as_const(result.Failures))
        m_failedFiles |= failure.File;
}

void TQCDocument::HandToJournal(const QList<TChange>& changes, TCommitResult& result)
{
    if (!m_journal)
        return;
    for (const TChange& change : changes) {
        QString error;
        if (m_journal->Record(change, &error))
            continue;
        qCWarning(lcDocument).noquote() << "change not recorded:" << error;
        if (result.JournalError.isEmpty())
            result.JournalError = error;
    }
}

TCommitResult TQCDocument::StoreRun(TAnalyte& analyte, const TResu0& run, int* index, const QJsonObject& verdict)
{
    const int at = analyte.AddPoint(run);
    if (index)
        *index = at;
    TChange change { TChangeKind::RunStored, analyte.Name, 0, run.Operator, {}, RunJson(run, verdict) };
    return Commit(change, { TFile::Data, TRecompute::Statistics, &analyte });
}

TCommitResult TQCDocument::ReplacePoint(TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content,
    const TResu0& run, int* index, const QJsonObject& verdict)
{
    const int old = FindPoint(analyte, point, content);
    if (old < 0)
        return StoreRun(analyte, run, index, verdict);
    TChange change { TChangeKind::PointCorrected, analyte.Name, 0, run.Operator, PointJson(analyte, content),
        RunJson(run, verdict) };
    analyte.DeletePoint(old);
    const int at = analyte.AddPoint(run);
    if (index)
        *index = at;
    return Commit(change, { TFile::Data, TRecompute::Statistics, &analyte });
}

TCommitResult TQCDocument::QueueRun(TResu0 run)
{
    TChange change { TChangeKind::RunQueued, run.Analyte, 0, run.Operator, {}, RunJson(run) };
    m_context.ListFifo.Push(std::move(run));
    return Commit(change, { TFile::Queue });
}

TCommitResult TQCDocument::QueueCorrection(
    TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content, TResu0 run)
{
    TCommitResult queued = QueueRun(std::move(run));
    const int old = FindPoint(analyte, point, content);
    // A queue that could not be written keeps the point where it is.
    if (old < 0 || !queued.Ok())
        return queued;
    TChange change { TChangeKind::PointCorrected, analyte.Name, 0, QString(), PointJson(analyte, content),
        QJsonObject { { "queued", true } } };
    analyte.DeletePoint(old);
    TCommitResult removed = Commit(change, { TFile::Data, TRecompute::StatisticsAndMarks, &analyte });
    if (removed.JournalError.isEmpty())
        removed.JournalError = queued.JournalError;
    return removed;
}

TCommitResult TQCDocument::RunsAdded(TAnalyte& analyte, const TAnalyte& before, const QString& source)
{
    const QList<TChange> changes = QList<TChange> { { TChangeKind::RunStored, analyte.Name, 0, QString(), {},
                                       { { "runs", PointsNotIn(analyte, before) }, { "source", source } } } }
        + LimitChanges(analyte, TLimitSettings::Take(before));
    return Commit(changes, { TFile::Data, TRecompute::Nothing, &analyte });
}

TCommitResult TQCDocument::RunsQueued(int first, const QString& source)
{
    const TFifo& fifo = m_context.ListFifo;
    QJsonArray runs;
    for (int i = std::max(first, 0); i < fifo.Count(); ++i)
        runs.append(RunJson(fifo.Item(i)));
    const QString analyte = fifo.Count() > first ? fifo.Item(fifo.Count() - 1).Analyte : QString();
    return Commit({ TChangeKind::RunQueued, analyte, 0, QString(), {}, { { "runs", runs }, { "source", source } } },
        { TFile::Queue });
}

TCommitResult TQCDocument::RecallHead()
{
    std::optional<TResu0> head = m_context.ListFifo.Pop();
    if (!head)
        return {};
    return Commit({ TChangeKind::RunRecalled, head->Analyte, 0, head->Operator, RunJson(*head), {} }, { TFile::Queue });
}

TCommitResult TQCDocument::ClearQueue()
{
    const int count = m_context.ListFifo.Count();
    m_context.ListFifo.Clear();
    return Commit({ TChangeKind::QueueCleared, QString(), 0, QString(), { { "runs", count } }, { { "runs", 0 } } },
        { TFile::Queue });
}

TCommitResult TQCDocument::PointsDeleted(TAnalyte& analyte, const TAnalyte& before)
{
    if (analyte.Count() == before.Count())
        return {};
    return Commit({ TChangeKind::PointsDeleted, analyte.Name, 0, QString(),
                      { { "points", PointsNotIn(before, analyte) } }, { { "pointsLeft", analyte.Count() } } },
        { TFile::Data, TRecompute::StatisticsAndMarks, &analyte });
}

TCommitResult TQCDocument::ArchiveLevels(TAnalyte& analyte, const std::array<bool, MaxLevels>& marks, QString* error)
{
    QList<TChange> archived;
    for (int level = 0; level < LevelsInUse(analyte); ++level)
        if (marks[level] && ArchiveLevel(analyte, level, archived, error) == 0)
            break;
    return Commit(archived, TCommitScope());
}

qint32 TQCDocument::ArchiveLevel(TAnalyte& analyte, int level, QList<TChange>& changes, QString* error)
{
    int values = 0;
    for (int i = 0; i < analyte.Count(); ++i)
        values += analyte.Point(i).Values[level].HasValue() ? 1 : 0;
    // The material's name and lot number, as an auditor reads them, beside its internal number.
    const TSerum& material = m_context.ListSerum.FindByID(analyte.SerumID[level]);
    const QJsonObject before { { "materialId", analyte.SerumID[level] }, { "material", material.Name },
        { "lot", material.Lot }, { "values", values } };
    const qint32 number
        = ::ArchiveLevel(analyte, level, m_context.ProgramFolder(), m_context.ListSerum, m_context.Risks(), error);
    if (number != 0)
        changes.append(
            { TChangeKind::LevelArchived, analyte.Name, level + 1, QString(), before, { { "archive", number } } });
    return number;
}

QJsonObject TQCDocument::SettingsJson(TChangeKind kind) const
{
    const TConfigRecord& c = m_context.Config;
    switch (kind) {
    case TChangeKind::RisksChanged:
        return { { "alert", c.AlertRisk }, { "action", c.ActionRisk } };
    case TChangeKind::OperatorsChanged:
        return { { "operators", QJsonArray::fromStringList(m_context.ListOperators) } };
    case TChangeKind::PasswordChanged:
        return { { "passwordSet", !c.Password.isEmpty() } };
    case TChangeKind::BackupOptionsChanged:
        return { { "folder", c.BackupFolder }, { "interval", c.BackupInterval } };
    default:
        return {};
    }
}

QJsonObject TQCDocument::AnalyteJson(TChangeKind kind, const TAnalyte& analyte)
{
    if (kind == TChangeKind::CommonCvChanged)
        return { { "commonCv", analyte.HasOption(aoCommonCV) } };
    QJsonArray numbers;
    for (const qint32 number : analyte.Archives)
        numbers.append(number);
    return { { "archives", numbers } };
}

TCommitResult TQCDocument::CommitSettings(TChangeKind kind, const QJsonObject& before)
{
    const QJsonObject after = SettingsJson(kind);
    const bool risks = kind == TChangeKind::RisksChanged;
    const TCommitScope scope { risks ? TFile::Settings | TFile::Data : TFiles(TFile::Settings),
        risks ? TRecompute::EveryAnalyte : TRecompute::Nothing };
    if (before == after && kind != TChangeKind::PasswordChanged)
        return Commit(QList<TChange>(), scope);
    return Commit({ kind, QString(), 0, QString(), before, after }, scope);
}

TCommitResult TQCDocument::CommitAnalyte(TChangeKind kind, TAnalyte& analyte, const QJsonObject& before)
{
    const QJsonObject after = AnalyteJson(kind, analyte);
    QList<TChange> changes;
    if (before != after)
        changes.append({ kind, analyte.Name, 0, QString(), before, after });
    return Commit(changes, { TFile::Data, TRecompute::Nothing, &analyte });
}

TCommitResult TQCDocument::CommitFile(TChangeKind kind, const QString& file, const QJsonObject& before)
{
    QJsonObject after { { "file", file } };
    if (kind == TChangeKind::Restored)
        after["fileDate"] = QFileInfo(file).lastModified().toString(Qt::ISODate);
    if (kind == TChangeKind::Imported)
        after["analytes"] = AnalytesJson(m_context.ListAnalytes)["analytes"];
    return Commit({ kind, QString(), 0, QString(), before, after },
        { kind == TChangeKind::Imported ? TFiles(TFile::Data) : TFiles() });
}

QList<TChange> TQCDocument::ListChange(
    const QJsonObject& before, const QJsonObject& after, TChangeKind created, TChangeKind deleted, TChangeKind changed)
{
    if (before == after)
        return {};
    const QJsonArray was = before.begin()->toArray(), now = after.begin()->toArray();
    const auto within = [](const QJsonArray& part, const QJsonArray& whole) {
        return std::all_of(part.begin(), part.end(), [&](const QJsonValue& item) { return whole.contains(item); });
    };
    const TChangeKind kind = was.size() < now.size() && within(was, now) ? created
        : was.size() > now.size() && within(now, was)                    ? deleted
                                                                         : changed;
    return { { kind, QString(), 0, QString(), before, after } };
}

int TQCDocument::FindPoint(const TAnalyte& analyte, const TQCPoint* point, const TQCPoint& content)
{
    const int index = analyte.IndexOf(point);
    if (index < 0)
        return -1;
    // The address alone could name a new point that took a deleted one's place.
    char stored[TQCPoint::RecordSize], expected[TQCPoint::RecordSize];
    analyte.Point(index).WriteRecord(stored);
    content.WriteRecord(expected);
    return std::memcmp(stored, expected, sizeof stored) == 0 ? index : -1;
}

namespace {

QJsonArray ValuesJson(const TQCValues& values)
{
    QJsonArray levels;
    for (const TQCValue& cell : values)
        // The single as its shortest decimal form (5.2, not 5.199999809265137).
        levels.append(QJsonObject {
            { "value", QString::number(cell.Value, 'g', 7).toDouble() }, { "status", int(cell.Status) } });
    return levels;
}

} // namespace

QJsonObject TQCDocument::RunJson(const TResu0& run, const QJsonObject& verdict)
{
    QJsonObject fields { { "dateTime", run.DateTime }, { "values", ValuesJson(run.Values) },
        { "operator", run.Operator }, { "comment", run.Comment } };
    for (auto field = verdict.begin(); field != verdict.end(); ++field)
        fields.insert(field.key(), field.value());
    return fields;
}

QJsonObject TQCDocument::PointJson(const TAnalyte& analyte, const TQCPoint& point)
{
    return { { "dateTime", point.DateTime }, { "values", ValuesJson(point.Values) }, { "operator", point.Operator() },
        { "comment", analyte.CommentText(point.CommentID) } };
}

QJsonObject TQCDocument::MaterialsJson(const TListSerum& list)
{
    QJsonArray items;
    for (int i = 0; i < list.Count(); ++i) {
        const TSerum& serum = list.Item(i);
        items.append(QJsonObject { { "id", serum.ID }, { "name", serum.Name }, { "lot", serum.Lot } });
    }
    return { { "materials", items } };
}

QJsonObject TQCDocument::AnalytesJson(const TListAnalytes& list)
{
    QJsonArray items;
    for (int i = 0; i < list.Count(); ++i) {
        const TAnalyte& a = list.Item(i);
        items.append(QJsonObject { { "name", a.Name }, { "units", a.Units }, { "decimals", a.Decimals },
            { "levels", a.NbLevels }, { "lots", QJsonArray { a.SerumID[0], a.SerumID[1], a.SerumID[2] } } });
    }
    return { { "analytes", items } };
}

QJsonArray TQCDocument::PointsNotIn(const TAnalyte& from, const TAnalyte& other)
{
    QHash<QByteArray, int> held;
    QByteArray record(TQCPoint::RecordSize, '\0');
    for (int i = 0; i < other.Count(); ++i) {
        other.Point(i).WriteRecord(record.data());
        ++held[record];
    }
    QJsonArray points;
    for (int i = 0; i < from.Count(); ++i) {
        from.Point(i).WriteRecord(record.data());
        if (held.value(record) > 0)
            --held[record];
        else
            points.append(PointJson(from, from.Point(i)));
    }
    return points;
}

bool StoreGoals(TQCDocument& document, TQualityGoals& goals, const QString& analyte, const TAnalyteGoals& after,
    QString* error, QString* journalError)
{
    const bool before = goals.Goals(analyte).ApplyRecommended;
    goals.SetGoals(analyte, after);
    if (!goals.Save(TQualityGoals::FileName(document.Context().BaseName()), error))
        return false;
    if (before != after.ApplyRecommended) {
        const TCommitResult result
            = document.Commit({ TChangeKind::RulesChanged, analyte, 0, QString(), { { "applyRecommended", before } },
                                  { { "applyRecommended", after.ApplyRecommended } } },
                { TFiles() });
        if (journalError)
            *journalError = result.JournalError;
    }
    return true;
}
