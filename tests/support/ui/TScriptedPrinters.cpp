#include "TScriptedPrinters.h"

#include "TPdfCanvas.h"

std::unique_ptr<TPrintCanvas> TScriptedPrinters::ChoosePrinter(const QString& jobTitle, QWidget*)
{
    JobTitles.append(jobTitle);
    if (m_cancels > 0) {
        --m_cancels;
        return nullptr;
    }
    return std::make_unique<TPdfCanvas>(m_file);
}
