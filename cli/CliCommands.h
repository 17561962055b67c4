#pragma once
#include <QStringList>
#include <QTextStream>

// One command of the companion: its arguments (after the command word), the
// streams for output and errors. Returns the exit status (0 success, 1 failure
// with a one-line reason written to err).
using TCliCommand = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

// Value of "--name VALUE" in args, or fallback when absent; `present` tells
// whether the option was given.
QString CliOption(
    const QStringList& args, const QString& name, const QString& fallback = QString(), bool* present = nullptr);
