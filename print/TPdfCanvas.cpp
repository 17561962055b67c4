#include "TPdfCanvas.h"

#include "TAtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>

TPdfTarget::TPdfTarget(const QString& fileName, int resolution, QPageSize::PageSizeId paper)
    : FileName(fileName)
    , Writer(std::make_unique<QPdfWriter>(&Content))
{
    Writer->setResolution(resolution);
    Writer->setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    Writer->setCreator(QStringLiteral("Vantorel"));
}

TPdfTarget::~TPdfTarget() = default;

TPdfCanvas::TPdfCanvas(const QString& fileName, int resolution, QPageSize::PageSizeId paper)
    : TPdfTarget(fileName, resolution, paper)
    , TPainterCanvas(*Writer)
{
}

TPdfCanvas::~TPdfCanvas() = default;

bool TPdfCanvas::BeginDoc(const QString& jobTitle, TOrientation orientation)
{
    // A folder that is not there fails at once rather than after the whole document.
    if (!QFileInfo(FileName).absoluteDir().exists()) {
        m_error = QStringLiteral("No such file or directory");
        return false;
    }
    if (!Content.open(QIODevice::WriteOnly) || !TPainterCanvas::BeginDoc(jobTitle, orientation)) {
        m_error = QStringLiteral("cannot start the PDF document");
        return false;
    }
    return true;
}

bool TPdfCanvas::EndDoc()
{
    if (!TPainterCanvas::EndDoc()) {
        m_error = QStringLiteral("cannot finish the PDF document");
        return false;
    }
    Content.close();
    QString error;
    if (WriteFileAtomically(FileName, Content.data(), &error))
        return true;
    // The callers name the file themselves: keep the system's reason.
    const QString named = QStringLiteral("Cannot write %1: ").arg(FileName);
    m_error = error.startsWith(named) ? error.mid(named.size()) : error;
    return false;
}
