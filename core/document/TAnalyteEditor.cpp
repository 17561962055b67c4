#include "TAnalyteEditor.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TLimitModes.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TStatistics.h"

#include <QFile>
#include <algorithm>
#include <map>

QString TAnalyteLine::Text() const
{
    return QStringList { Fields.Name, QString::number(Fields.Levels), Fields.Units, QString::number(Fields.Decimals) }
        .join('\t');
}

TAnalyteEditor::TAnalyteEditor(TQCContext& context)
    : m_context(context)
{
}

void TAnalyteEditor::Load()
{
    m_lines.clear();
    m_deleted.clear();
    for (int i = 0; i < m_context.ListAnalytes.Count(); ++i) {
        TAnalyte* analyte = m_context.ListAnalytes.At(i);
        m_lines.append({ { analyte->Name, analyte->NbLevels, analyte->Units, analyte->Decimals }, analyte });
    }
}

TEditResult TAnalyteEditor::CheckFields(TAnalyteFields& fields, int except) const
{
    // A TAB would split the line's fields and the exchanged texts.
    fields.Name = fields.Name.trimmed().replace('\t', ' ');
    fields.Units = fields.Units.trimmed().replace('\t', ' ');
    fields.Levels = std::clamp(fields.Levels, 1, MaxLevels);
    fields.Decimals = std::clamp(fields.Decimals, 0, 3);
    if (fields.Name.isEmpty())
        return TEditResult::Refuse(TEditResult::Refused, QString::fromLatin1(MsgMissingName));
    const QString key = fields.Name.toUpper();
    for (int i = 0; i < m_lines.size(); ++i)
        if (i != except && m_lines[i].Fields.Name.toUpper() == key)
            return TEditResult::Refuse(TEditResult::Refused, QString::fromLatin1(MsgDuplicateNames));
    return {};
}

TEditResult TAnalyteEditor::CheckLevels(const TAnalyte& analyte, int levels) const
{
    const int stored = LevelsInUse(analyte);
    const QString head = QStringLiteral("You want to reduce the number of QC levels for ") + analyte.Name + '\r';
    const QString tail = QStringLiteral("\rYou must first erase/archive data.");
    if (levels == stored - 1 && LevelHasData(analyte, stored - 1))
        return TEditResult::Refuse(
            TEditResult::LevelsHoldData, head + QStringLiteral("Cannot suppress QC level %1.").arg(stored) + tail);
    if (levels == stored - 2 && (LevelHasData(analyte, 2) || LevelHasData(analyte, 1)))
        return TEditResult::Refuse(
            TEditResult::LevelsHoldData, head + QStringLiteral("Cannot suppress QC3 and QC2 levels.") + tail);
    return {};
}

TEditResult TAnalyteEditor::Add(const TAnalyteFields& fields)
{
    TAnalyteFields line = fields;
    const TEditResult result = CheckFields(line, -1);
    if (result.Ok())
        m_lines.append({ line, nullptr });
    return result;
}

TEditResult TAnalyteEditor::Replace(int index, const TAnalyteFields& fields)
{
    TAnalyteFields line = fields;
    TEditResult result = CheckFields(line, index);
    TAnalyte* analyte = m_lines[index].Analyte;
    if (result.Ok() && analyte)
        result = CheckLevels(*analyte, line.Levels);
    if (result.Ok())
        m_lines[index].Fields = line;
    return result;
}

void TAnalyteEditor::Delete(int index)
{
    if (m_lines[index].Analyte)
        m_deleted.append(m_lines[index].Analyte);
    m_lines.removeAt(index);
}

int TAnalyteEditor::MoveUp(int index)
{
    if (index <= 0)
        return index;
    m_lines.swapItemsAt(index, index - 1);
    return index - 1;
}

int TAnalyteEditor::MoveDown(int index)
{
    if (index >= Count() - 1)
        return index;
    m_lines.swapItemsAt(index, index + 1);
    return index + 1;
}

int TAnalyteEditor::MoveTop(int index)
{
    m_lines.move(index, 0);
    return 0;
}

int TAnalyteEditor::MoveBottom(int index)
{
    m_lines.move(index, Count() - 1);
    return Count() - 1;
}

int TAnalyteEditor::Drop(int source, int target)
{
    // Above the source: inserted at the target; below: right after it. Once the
    // old copy is gone the line sits at the target's index either way.
    m_lines.move(source, target);
    return target;
}

void TAnalyteEditor::Sort()
{
    std::stable_sort(m_lines.begin(), m_lines.end(),
        [](const TAnalyteLine& a, const TAnalyteLine& b) { return a.Fields.Name.toUpper() < b.Fields.Name.toUpper(); });
}

TApplyResult TAnalyteEditor::Apply()
{
    TListAnalytes& list = m_context.ListAnalytes;
    const QJsonObject before = TQCDocument::AnalytesJson(list);
    const TRisks risks = m_context.Risks();
    std::map<TAnalyte*, std::unique_ptr<TAnalyte>> stored;
    QList<TAnalyte*> order; // the stored order, for analytes no line stands for
    while (list.Count() > 0) {
        order.append(list.At(0));
        auto analyte = list.Take(0);
        stored[analyte.get()] = std::move(analyte);
    }
    for (const TAnalyteLine& line : std::as_const(m_lines)) {
        const TAnalyteFields& f = line.Fields;
        if (!line.Analyte) {
            list.Add(std::make_unique<TAnalyte>(f.Name, f.Units, f.Decimals, f.Levels));
            continue;
        }
        auto node = stored.extract(line.Analyte);
        if (node.empty())
            continue;
        TAnalyte& analyte = list.Add(std::move(node.mapped()));
        analyte.Name = f.Name.left(TAnalyte::NameCapacity);
        analyte.Units = f.Units.left(TAnalyte::UnitsCapacity);
        analyte.Decimals = f.Decimals;
        const int old = LevelsInUse(analyte);
        for (int level = old; level < f.Levels; ++level)
            analyte.SerumID[level] = -1;
        if (f.Levels != old) {
            // The common CV pools the levels in use: every level follows.
            analyte.NbLevels = f.Levels;
            RecomputeAll(analyte, risks);
        }
    }
    QList<qint32> archives;
    for (TAnalyte* deleted : std::as_const(m_deleted)) {
        auto node = stored.extract(deleted);
        if (node.empty())
            continue;
        archives += deleted->Archives;
        if (m_context.CurrentAnalyte == deleted)
            m_context.CurrentAnalyte = nullptr;
    }
    // An analyte that no line stands for keeps its place at the end.
    for (TAnalyte* analyte : std::as_const(order)) {
        auto node = stored.extract(analyte);
        if (!node.empty())
            list.Add(std::move(node.mapped()));
    }
    m_deleted.clear();
    Load();

    const TCommitResult commit = m_context.Document().Commit(
        TQCDocument::ListChange(before, TQCDocument::AnalytesJson(list), TChangeKind::AnalyteCreated,
            TChangeKind::AnalyteDeleted, TChangeKind::AnalyteChanged),
        TCommitScope());
    TApplyResult result;
    result.Saved = commit.Ok();
    result.SaveError = commit.Text();
    result.JournalError = commit.JournalError;
    if (result.Saved)
        for (qint32 number : std::as_const(archives))
            QFile::remove(ArchiveFileName(m_context.ProgramFolder(), number));
    return result;
}
