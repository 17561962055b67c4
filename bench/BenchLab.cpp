#include "BenchLab.h"
#include "TAnalyte.h"

#include "TRandom.h"

TListAnalytes MakeBenchLab(int analytes, int points, quint64 seed)
{
    TRandom random(seed);
    TListAnalytes lab;
    const double means[3] = { 3.0, 5.5, 12.0 };
    for (int a = 0; a < analytes; ++a) {
        TAnalyte& analyte = lab.Add(TAnalyte(QString("Analyte %1").arg(a), "mmol/L", 2, 3));
        analyte.ReservePoints(points);
        for (int i = 0; i < points; ++i) {
            TQCPoint point;
            point.DateTime = 42000.0 + i / 3.0;
            for (int l = 0; l < 3; ++l) {
                point.Values[l].Status = psWithin;
                point.Values[l].Value = float(random.Gaussian(means[l] * 0.03, means[l]));
            }
            point.SetOperator("AB");
            analyte.AppendLoadedPoint(point);
        }
    }
    return lab;
}
