#include "TPdfCanvas.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

TPdfTarget::TPdfTarget(const QString& fileName, int resolution, QPageSize::PageSizeId paper)
    : File(std::make_unique<QSaveFile>(fileName))
    , Writer(std::make_unique<QPdfWriter>(File.get()))
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
    if (!File->open(QIODevice::WriteOnly)) {
        m_error = File->errorString();
        return false;
    }
    if (!TPainterCanvas::BeginDoc(jobTitle, orientation)) {
        m_error = QStringLiteral("cannot start the PDF document");
        File->cancelWriting();
        return false;
    }
    return true;
}

bool TPdfCanvas::EndDoc()
{
    const bool ended = TPainterCanvas::EndDoc();
    if (!ended || File->error() != QFileDevice::NoError) {
        m_error = ended ? File->errorString() : QStringLiteral("cannot finish the PDF document");
        File->cancelWriting();
        return false;
    }
    if (!File->commit()) {
        m_error = File->errorString();
        return false;
    }
    return true;
}
