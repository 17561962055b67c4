#pragma once
#include <QMap>
#include <QString>
#include <QStringList>

// Reads a desktop entry back the way a desktop does, to check what the set-up wrote.

// The keys of the [Desktop Entry] group with their values unescaped; empty when
// the file cannot be read.
QMap<QString, QString> ReadDesktopEntry(const QString& fileName);
// The arguments of an (unescaped) Exec value, with the quoting undone.
QStringList ExecArguments(const QString& exec);
// The errors and warnings desktop-file-validate gives for the file (empty when
// it is valid); "absent" when the validator is not installed.
QString DesktopFileProblems(const QString& fileName);
