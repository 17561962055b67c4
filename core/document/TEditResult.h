#pragma once
#include <QString>
#include <QStringList>

// What an editor's command ended with: done, or refused with the text the user
// is shown. The kind tells the window which box to show.
struct TEditResult {
    enum TKind {
        Done,
        Refused, // a field is missing or duplicates another line
        LevelsHoldData, // fewer levels asked for than hold stored values
        NotUsed, // no analyte uses the lot: there is nothing to erase
    };
    TKind Kind = Done;
    QString Text;

    bool Ok() const { return Kind == Done; }
    static TEditResult Refuse(TKind kind, const QString& text) { return { kind, text }; }
};

// What closing an editor with OK did to the stored data.
struct TApplyResult {
    // Archive files that could not be written; their levels kept their data.
    QStringList ArchiveErrors;
    // False when the data file could not be written; SaveError is what the
    // window shows (the program's message and the system's reason).
    bool Saved = true;
    QString SaveError;
    // The audit trail's reason when it could not record the change (kept all the same).
    QString JournalError;
};
