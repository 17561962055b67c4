#include "TOperatorList.h"

#include <algorithm>

namespace {
// Alphabetical order without regard to case.
bool OperatorBefore(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }
}

void SortOperators(QStringList& codes) { std::stable_sort(codes.begin(), codes.end(), OperatorBefore); }

QStringList OperatorsFromCells(const QStringList& cells)
{
    QStringList codes;
    for (const QString& cell : cells) {
        const QString code = cell.trimmed();
        if (!code.isEmpty())
            codes.append(code);
    }
    SortOperators(codes);
    return codes;
}

QStringList DeletedOperators(const QStringList& stored, const QStringList& cells)
{
    QStringList deleted;
    for (int i = 0; i < stored.size(); ++i)
        if (i >= cells.size() || cells[i].trimmed().isEmpty())
            deleted.append(stored[i]);
    return deleted;
}

int OperatorGridRows(int codeCount) { return codeCount < 15 ? 16 : codeCount + 1; }

int InsertSorted(QStringList& list, const QString& text)
{
    const int index = int(std::upper_bound(list.begin(), list.end(), text, OperatorBefore) - list.begin());
    list.insert(index, text);
    return index;
}
