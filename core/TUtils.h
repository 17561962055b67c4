#pragma once
#include <QString>
#include <QStringList>

class TRandom;

// Appends the TAB-separated fields of text to list; k TABs give k + 1 fields.
void SplitTabs(const QString& text, QStringList& list);

// A normally distributed number (Box-Muller). A draw of u1 = 0 is drawn again.
double Gaussian(TRandom& random, double sd, double mean);

// True when the backup folder exists and can be written (the "disk in the drive").
bool DiskPresent(const QString& folder);
