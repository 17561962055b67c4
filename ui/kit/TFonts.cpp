#include "TFonts.h"

#include <QFontDatabase>
#include <QStringList>

QFont WindowFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies(QStringList { QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), font.family() });
    font.setPointSize(8);
    return font;
}
