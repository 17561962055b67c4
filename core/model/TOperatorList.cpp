#include "TOperatorList.h"

#include <algorithm>

void SortOperators(QStringList& codes)
{
    std::stable_sort(codes.begin(), codes.end(),
        [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
}

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
