#pragma once
#include <QString>
#include <QStringList>

// Shortcuts to the program for the current user, as freedesktop desktop entries:
// one on the desktop and the "Laboratory QC" submenu of the applications menu,
// holding the program, its user manual and its read-me.

// The text of the desktop entry that opens `target`: the program itself when it
// is an executable file, else a document opened by the desktop's default viewer
// (xdg-open) with an icon of its kind. `name` is the entry's shown name; the
// working folder is the target's folder. An entry of the "Laboratory QC"
// submenu (`inGroup`) carries no category, so it shows in that submenu only.
QString DesktopEntryText(const QString& name, const QString& target, bool inGroup = false);

// Writes the entry for `target` to `shortcutFile` (replacing one already there),
// named after the file, executable so that desktops trust it. False when the
// file cannot be written; *error (when given) says why.
[[nodiscard]] bool CreateShortcut(
    const QString& target, const QString& shortcutFile, QString* error = nullptr, bool inGroup = false);

// desktopFolder + "/Vantorel.desktop" for the program file; the folder is made
// when missing.
[[nodiscard]] bool CreateDesktopShortcut(
    const QString& programFile, const QString& desktopFolder, QString* error = nullptr);

// Where the applications menu of the current user is described.
struct TMenuFolders {
    QString Programs; // the applications folder (~/.local/share/applications)
    QString MergedMenus; // menus merged into the applications menu (~/.config/menus/applications-merged)
    QString Directories; // the submenus' names and icons (~/.local/share/desktop-directories)
    // The desktop-file id of the program's own entry in a system applications
    // folder (an installed copy), empty when there is none.
    QString InstalledEntry;
};

// The current user's folders, and the installed entry of `programFile` if any.
TMenuFolders UserMenuFolders(const QString& programFile);

// The id of the entry "vantorel.desktop" of one of `systemFolders` whose Exec
// runs `programFile` (by its path, or by its name found on the PATH); empty
// when no folder holds one.
QString InstalledEntryId(const QString& programFile, const QStringList& systemFolders);

// The folder Programs + "/Laboratory QC" (an existing one is kept) and in it, in
// this order, "Programme Vantorel.desktop" (the program file; not made for an
// installed copy, whose own entry stands in the submenu instead), "User
// manual.desktop" and "Read me.desktop" (the documents of the same names in
// documentFolder, made even when those files are absent); then the submenu
// "Laboratory QC" that holds them: "vantorel-laboratory-qc.directory" in
// Directories and "vantorel-laboratory-qc.menu" in MergedMenus. Stops at the
// first failure; the files already made stay.
[[nodiscard]] bool CreateStartMenuEntries(
    const QString& programFile, const QString& documentFolder, const TMenuFolders& folders, QString* error = nullptr);
