#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>

class TListAnalytes;
class TListSerum;

// A small model touching every field of the data file: two control materials (one with a
// non-ASCII name); "Glucose" with three points (a fixed, a locked and an unused level; an empty
// cell holding NaN, a discarded one infinity, unused bytes, operator bytes past the code's
// length; two comments, non-ASCII), two archive numbers, Options 5; an empty one-level "Calcium".
void FillSampleModel(TListSerum& serums, TListAnalytes& analytes);

// The data file of that model, built field by field from the file layout, with the given final
// version ("30" gives 75-byte analyte headers). `offsets` receives the offsets of the fields it names.
QByteArray SampleImage(const char* version = "32", QMap<QString, int>* offsets = nullptr);

// Empty when both lists hold the same materials and the same analytes as the data file stores
// them (all but the leftover bounds of level 1 in the header); else where they differ.
QString ListDifference(const TListSerum& actualSerums, const TListAnalytes& actual, const TListSerum& expectedSerums,
    const TListAnalytes& expected);

// The data file the writer makes of the lists; "<not written>" when it refuses them.
QByteArray DataFileBytes(const TListSerum& serums, const TListAnalytes& analytes);

// The two contents the crash test alternates between: 0 is the sample model, 1 the sample with
// three more analytes of 4000 random points each.
void FillCrashModel(int variant, TListSerum& serums, TListAnalytes& analytes);
