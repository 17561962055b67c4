#pragma once
#include "TEditResult.h"

#include <QList>
#include <QString>

class TAnalyte;
class TQCContext;

// The fields of the analytes editor.
struct TAnalyteFields {
    QString Name;
    int Levels = 3;
    QString Units = QStringLiteral("mmol/l");
    int Decimals = 0;
};

// One line of the analytes editor's working list, and the stored analyte it
// stands for (none for an analyte added in the window).
struct TAnalyteLine {
    TAnalyteFields Fields;
    TAnalyte* Analyte = nullptr;

    // Name, levels, units and decimals joined by TABs, as the list shows them.
    QString Text() const;
};

// The working copy of the analytes editor: lines in the order the analytes
// will have, and the stored analytes removed from it. ListAnalytes is not
// touched before Apply.
class TAnalyteEditor {
public:
    static constexpr const char* MsgMissingName = "Missing name";
    static constexpr const char* MsgDuplicateNames = "Duplicate names";

    explicit TAnalyteEditor(TQCContext& context);

    // One line per stored analyte, in order; forgets the deleted ones.
    void Load();

    int Count() const { return int(m_lines.size()); }
    const TAnalyteLine& Line(int index) const { return m_lines[index]; }

    // Appends a new analyte; refused for an empty name or one that equals,
    // ignoring case, the name of a line.
    TEditResult Add(const TAnalyteFields& fields);
    // Replaces a line by the fields (its own name excepted from the duplicate
    // check). A stored analyte keeps at least the levels that hold values:
    // dropping one that does is refused with the text to show.
    TEditResult Replace(int index, const TAnalyteFields& fields);
    // Removes a line; its stored analyte is deleted with its archives at Apply.
    void Delete(int index);

    // Moves a line; each returns the line's new index.
    int MoveUp(int index);
    int MoveDown(int index);
    int MoveTop(int index);
    int MoveBottom(int index);
    // A line dragged onto another: dropped above its old place it goes to the
    // target's place, below it right after the target. Returns its new index.
    int Drop(int source, int target);
    // Sorts the lines by upper-cased name, in plain character-code order.
    void Sort();

    // Makes ListAnalytes the working list: renamed and re-dimensioned analytes
    // (levels taken in lose their lot and are computed), new ones created,
    // deleted ones destroyed (CurrentAnalyte cleared when it was one of them).
    // Writes the data file, then deletes the deleted analytes' archive files;
    // when the data file cannot be written the archive files are kept, so that
    // an analyte read back from the old file still finds them.
    TApplyResult Apply();

private:
    // The refusal of a line built from fields, or Done; `except` is the line being replaced.
    TEditResult CheckFields(TAnalyteFields& fields, int except) const;
    TEditResult CheckLevels(const TAnalyte& analyte, int levels) const;

    TQCContext& m_context;
    QList<TAnalyteLine> m_lines;
    QList<TAnalyte*> m_deleted;
};
