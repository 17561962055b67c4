#include "TUtils.h"

#include "TRandom.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>
#include <numbers>

void SplitTabs(const QString& text, QStringList& list) { list.append(text.split(QChar('\t'))); }

double Gaussian(TRandom& random, double sd, double mean)
{
    double u1 = random.Next();
    while (u1 <= 0.0)
        u1 = random.Next();
    const double u2 = random.Next();
    return std::sqrt(-2.0 * std::log(u1)) * std::sin(2.0 * std::numbers::pi * u2) * sd + mean;
}

bool DiskPresent(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    // Writable in fact, not only by its permission bits (a read-only mount says otherwise).
    QTemporaryFile probe(info.absoluteFilePath() + "/.vantorel-probe-XXXXXX");
    return probe.open();
}
