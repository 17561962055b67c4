#pragma once
#include <QString>

// Shortcuts to the program for the current user, as freedesktop desktop entries:
// one on the desktop and the "Laboratory QC" group in the user's applications
// folder, holding the program, its user manual and its read-me.

// The text of the desktop entry that opens `target`: the program itself when it
// is an executable file, else a document opened by the desktop's default viewer
// (xdg-open). `name` is the entry's shown name; the working folder is the
// target's folder.
QString DesktopEntryText(const QString& name, const QString& target);

// Writes the entry for `target` to `shortcutFile` (replacing one already there),
// named after the file, executable so that desktops trust it. False when the
// file cannot be written; *error (when given) says why.
[[nodiscard]] bool CreateShortcut(const QString& target, const QString& shortcutFile, QString* error = nullptr);

// desktopFolder + "/Vantorel.desktop" for the program file; the folder is made
// when missing.
[[nodiscard]] bool CreateDesktopShortcut(
    const QString& programFile, const QString& desktopFolder, QString* error = nullptr);

// The folder programsFolder + "/Laboratory QC" (an existing one is kept) and in
// it, in this order, "Programme Vantorel.desktop" (the program file), "User
// manual.desktop" and "Read me.desktop" (the documents of the same names in
// documentFolder, made even when those files are absent). Stops at the first
// failure; the entries already made stay.
[[nodiscard]] bool CreateStartMenuEntries(
    const QString& programFile, const QString& documentFolder, const QString& programsFolder, QString* error = nullptr);
