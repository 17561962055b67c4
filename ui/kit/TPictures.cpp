#include "TPictures.h"

#include "TQCTypes.h"

// Resources live in a static library: make sure its initialiser is linked in.
// (Outside any namespace, as the resource macro requires.)
static void InitResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(vantorel);
        done = true;
    }
}

namespace {

QImage LoadPicture(const QString& name, bool whiteTransparent)
{
    QImage image(QStringLiteral(":/pictures/%1.png").arg(name));
    if (image.isNull() || !whiteTransparent)
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
    }
    return image;
}

} // namespace

bool TPictures::Load()
{
    InitResources();
    PuceRouge = LoadPicture(QStringLiteral("PUCEROUGE"), true);
    PuceVerte = LoadPicture(QStringLiteral("PUCEVERTE"), true);
    PuceJaune = LoadPicture(QStringLiteral("PUCEJAUNE"), true);
    CroixRouge = LoadPicture(QStringLiteral("CROIXROUGE"), true);
    Comment = LoadPicture(QStringLiteral("COMMENT"), false);
    CursDragLot = QPixmap(QStringLiteral(":/cursors/CURSDRAGLOT.png"));
    CursNoDropLot = QPixmap(QStringLiteral(":/cursors/CURSNODROPLOT.png"));
    return !PuceRouge.isNull() && !PuceVerte.isNull() && !PuceJaune.isNull() && !CroixRouge.isNull()
        && !Comment.isNull() && !CursDragLot.isNull() && !CursNoDropLot.isNull();
}

void TPictures::Free() { *this = TPictures(); }

const QImage* TPictures::StatusPicture(quint8 status) const
{
    switch (status) {
    case psWithin:
        return &PuceVerte;
    case psHighWarning:
    case psLowWarning:
        return &PuceJaune;
    case psHighAction:
    case psLowAction:
        return &PuceRouge;
    case psDiscarded:
        return &CroixRouge;
    default:
        return nullptr;
    }
}

QPixmap ButtonGlyph(const QString& name)
{
    InitResources();
    return QPixmap(QStringLiteral(":/glyphs/%1.png").arg(name));
}

QPixmap SplashPicture()
{
    InitResources();
    return QPixmap(QStringLiteral(":/pictures/splash.png"));
}
