#pragma once
#include "TChange.h"
#include "TEditResult.h"

#include <QList>
#include <QString>
#include <functional>

class TQCContext;
struct TSerum;

// One line of the control-material editor: a material's name and lot, the id
// of the stored lot it stands for (-1 for one added in the window) and the
// erase mark (the change asks for the lot's data to be archived and erased).
struct TSerumLine {
    QString Name;
    QString Lot;
    qint32 ID = -1;
    bool Erase = false;

    // Name TAB lot, as the list shows it and sorts it.
    QString Text() const { return Name + '\t' + Lot; }
};

// The working copy of the control-material editor: the lines sorted by their
// text without regard to case, and the stored lots removed from it. ListSerum
// and the analytes are not touched before Apply.
class TSerumEditor {
public:
    static constexpr const char* MsgMissingName = "Missing name";
    static constexpr const char* MsgDuplicates = "Duplicates";

    explicit TSerumEditor(TQCContext& context);

    // One line per stored lot, no erase mark; forgets the deleted ones.
    void Load();

    int Count() const { return int(m_lines.size()); }
    const TSerumLine& Line(int index) const { return m_lines[index]; }

    // Adds a new lot at its sorted place, stored in *index. Refused for an empty
    // name, or a name and lot that another line already holds (case ignored).
    TEditResult Add(const QString& name, const QString& lot, int* index);
    // Changes a line's name and lot; the stored lot keeps its id and its
    // analytes. The line moves to its sorted place (*index) without erase mark.
    TEditResult Replace(int index, const QString& name, const QString& lot, int* newIndex);
    // The same with the erase mark: the data measured with the lot are archived
    // at Apply. Refused (NotUsed) for a stored lot that no analyte uses; a line
    // added in the window has no data and is simply changed.
    TEditResult ReplaceAndErase(int index, const QString& name, const QString& lot, int* newIndex);
    // Removes a line; its stored lot is deleted at Apply.
    void Delete(int index);

    // The names of the analytes whose levels in use take the line's lot.
    QStringList UsedBy(int index) const;
    // Why a line cannot be deleted (the analytes using it), or empty.
    QString DeleteRefusal(int index) const;
    QString DeleteQuestion(int index) const;
    QString UsedByText(int index) const;

    // Applies the working list: deleted lots first, then every line in order -
    // new lots added, changed ones renamed in place; for a line with the erase
    // mark `confirm` is asked, and on yes every level that takes the lot and
    // holds data is archived before the lot is renamed (on no the lot stays as
    // it was). Then writes the data file.
    TApplyResult Apply(const std::function<bool(const QString& question)>& confirm);

private:
    TEditResult CheckFields(QString& name, QString& lot, int except) const;
    int InsertSorted(const TSerumLine& line);
    void ChangeAndErase(TSerum& serum, const TSerumLine& line, const std::function<bool(const QString&)>& confirm,
        TApplyResult& result);

    TQCContext& m_context;
    QList<TSerumLine> m_lines;
    QList<qint32> m_deleted;
    QList<TChange> m_archived; // the levels archived by Apply, committed with the materials
};
