#pragma once
#include <QStringList>

// The operator codes: kept in alphabetical order without regard to case,
// duplicates accepted, each code at most TQCPoint::OperatorCapacity characters.

// Inserts text into a list kept sorted without regard to case; equal texts are
// kept, a new one after those already there. Returns the index given to it.
int InsertSorted(QStringList& list, const QString& text);

// Sorts codes alphabetically ignoring case; equal codes keep their order.
void SortOperators(QStringList& codes);

// The codes of a list edited in place: the trimmed non-empty cells, sorted.
QStringList OperatorsFromCells(const QStringList& cells);

// The stored codes whose cell, at the same position, was left empty.
QStringList DeletedOperators(const QStringList& stored, const QStringList& cells);

// The rows of the operators grid: 16 for fewer than 15 codes, else one more than
// the codes, so that an empty row always lies below the list.
int OperatorGridRows(int codeCount);
