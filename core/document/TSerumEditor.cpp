#include "TSerumEditor.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TLimitModes.h"
#include "TQCContext.h"
#include "TQCDocument.h"

#include <utility>

namespace {

QString NameAndLot(const QString& name, const QString& lot) { return name + QStringLiteral(" (") + lot + ')'; }

// The analytes whose levels in use take the lot.
QList<TAnalyte*> AnalytesUsing(TQCContext& context, qint32 id)
{
    QList<TAnalyte*> analytes;
    if (id >= 0)
        context.ListAnalytes.AnalytesUsingSerum(id, analytes);
    return analytes;
}

} // namespace

TSerumEditor::TSerumEditor(TQCContext& context)
    : m_context(context)
{
}

void TSerumEditor::Load()
{
    m_lines.clear();
    m_deleted.clear();
    for (int i = 0; i < m_context.ListSerum.Count(); ++i) {
        TSerum& serum = m_context.ListSerum.Item(i);
        serum.EraseMark = 0;
        InsertSorted({ serum.Name, serum.Lot, serum.ID, false });
    }
}

int TSerumEditor::InsertSorted(const TSerumLine& line)
{
    const QString text = line.Text();
    int index = Count();
    while (index > 0 && m_lines[index - 1].Text().compare(text, Qt::CaseInsensitive) > 0)
        --index;
    m_lines.insert(index, line);
    return index;
}

TEditResult TSerumEditor::CheckFields(QString& name, QString& lot, int except) const
{
    // A TAB would split the line into other fields.
    name = name.trimmed().replace('\t', ' ');
    lot = lot.trimmed().replace('\t', ' ');
    if (name.isEmpty())
        return TEditResult::Refuse(TEditResult::Refused, QString::fromLatin1(MsgMissingName));
    const QString text = name + '\t' + lot;
    for (int i = 0; i < Count(); ++i)
        if (i != except && m_lines[i].Text().compare(text, Qt::CaseInsensitive) == 0)
            return TEditResult::Refuse(TEditResult::Refused, QString::fromLatin1(MsgDuplicates));
    return {};
}

TEditResult TSerumEditor::Add(const QString& name, const QString& lot, int* index)
{
    QString n = name, l = lot;
    const TEditResult result = CheckFields(n, l, -1);
    if (result.Ok())
        *index = InsertSorted({ n, l, -1, false });
    return result;
}

TEditResult TSerumEditor::Replace(int index, const QString& name, const QString& lot, int* newIndex)
{
    QString n = name, l = lot;
    const TEditResult result = CheckFields(n, l, index);
    if (result.Ok()) {
        const TSerumLine line = m_lines.takeAt(index);
        *newIndex = InsertSorted({ n, l, line.ID, false });
    }
    return result;
}

TEditResult TSerumEditor::ReplaceAndErase(int index, const QString& name, const QString& lot, int* newIndex)
{
    QString n = name, l = lot;
    const TEditResult result = CheckFields(n, l, index);
    if (!result.Ok())
        return result;
    const qint32 id = m_lines[index].ID;
    if (id >= 0 && AnalytesUsing(m_context, id).isEmpty()) {
        const TSerum& old = m_context.ListSerum.FindByID(id);
        return TEditResult::Refuse(TEditResult::NotUsed,
            QStringLiteral("The old control material ") + NameAndLot(old.Name, old.Lot)
                + QStringLiteral(
                    " is not used for any analyte.\rNo data to erase. Press the button <Replace in list>."));
    }
    m_lines.removeAt(index);
    *newIndex = InsertSorted({ n, l, id, id >= 0 });
    return result;
}

void TSerumEditor::Delete(int index)
{
    if (m_lines[index].ID >= 0)
        m_deleted.append(m_lines[index].ID);
    m_lines.removeAt(index);
}

QStringList TSerumEditor::UsedBy(int index) const
{
    QStringList names;
    for (const TAnalyte* analyte : AnalytesUsing(m_context, m_lines[index].ID))
        names.append(analyte->Name);
    return names;
}

QString TSerumEditor::DeleteRefusal(int index) const
{
    const QStringList names = UsedBy(index);
    if (names.isEmpty())
        return QString();
    const TSerumLine& line = m_lines[index];
    return QStringLiteral("Impossible to delete ") + NameAndLot(line.Name, line.Lot)
        + QStringLiteral(".\rThis control material is used by : \r- ") + names.join(QStringLiteral("\r- "));
}

QString TSerumEditor::DeleteQuestion(int index) const
{
    return QStringLiteral("Delete the control material ") + NameAndLot(m_lines[index].Name, m_lines[index].Lot) + '.';
}

QString TSerumEditor::UsedByText(int index) const
{
    QString text = QStringLiteral("Analytes controled by ") + NameAndLot(m_lines[index].Name, m_lines[index].Lot)
        + QStringLiteral(" : ");
    for (const QString& name : UsedBy(index))
        text += QStringLiteral("\r   - ") + name;
    return text;
}

void TSerumEditor::ChangeAndErase(
    TSerum& serum, const TSerumLine& line, const std::function<bool(const QString&)>& confirm, TApplyResult& result)
{
    const QList<TAnalyte*> analytes = AnalytesUsing(m_context, serum.ID);
    if (!analytes.isEmpty()) {
        QString question = QStringLiteral("Delete data and archive statistics of ") + NameAndLot(serum.Name, serum.Lot)
            + QStringLiteral(" in the analyte(s) :");
        for (const TAnalyte* analyte : analytes)
            question += QStringLiteral("\r - ") + analyte->Name;
        if (!confirm(question))
            return;
        bool archived = true;
        for (TAnalyte* analyte : analytes) {
            for (int level = 0; level < LevelsInUse(*analyte); ++level) {
                if (analyte->SerumID[level] != serum.ID || !LevelHasData(*analyte, level))
                    continue;
                QString error;
                // Archived under the old name and lot, which the archive's header names.
                if (m_context.Document().ArchiveLevel(*analyte, level, m_archived, &error) == 0) {
                    result.ArchiveErrors.append(error);
                    archived = false;
                }
            }
        }
        // Data that could not be archived stay under the lot they were measured with.
        if (!archived)
            return;
    }
    serum.Name = line.Name.left(TSerum::NameCapacity);
    serum.Lot = line.Lot.left(TSerum::LotCapacity);
    serum.EraseMark = 1;
}

TApplyResult TSerumEditor::Apply(const std::function<bool(const QString& question)>& confirm)
{
    TListSerum& list = m_context.ListSerum;
    const QJsonObject before = TQCDocument::MaterialsJson(list);
    TApplyResult result;
    for (qint32 id : std::as_const(m_deleted))
        if (const int index = list.IndexOfID(id); index >= 0)
            list.RemoveAt(index);
    for (const TSerumLine& line : std::as_const(m_lines)) {
        if (line.ID < 0) {
            list.Add(line.Name, line.Lot);
            continue;
        }
        const int index = list.IndexOfID(line.ID);
        if (index < 0)
            continue;
        TSerum& serum = list.Item(index);
        if (line.Erase) {
            ChangeAndErase(serum, line, confirm, result);
            continue;
        }
        serum.Name = line.Name.left(TSerum::NameCapacity);
        serum.Lot = line.Lot.left(TSerum::LotCapacity);
        serum.EraseMark = 0;
    }
    m_deleted.clear();
    // The levels archived on the way, then the materials.
    const TCommitResult commit = m_context.Document().Commit(std::exchange(m_archived, {})
            + TQCDocument::ListChange(before, TQCDocument::MaterialsJson(list), TChangeKind::MaterialCreated,
                TChangeKind::MaterialDeleted, TChangeKind::MaterialChanged),
        TCommitScope());
    result.Saved = commit.Ok();
    result.SaveError = commit.Text();
    result.JournalError = commit.JournalError;
    return result;
}
