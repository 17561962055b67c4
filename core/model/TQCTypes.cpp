#include "TQCTypes.h"

const char* const LimitModeCaptions[3] = { "Mobile limits", "Locked limits", "Fixed limits" };

QString LimitModeCaption(int mode)
{
    if (mode < 0 || mode > 2)
        return QString();
    return QString::fromLatin1(LimitModeCaptions[mode]);
}
