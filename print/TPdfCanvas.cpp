#include "TPdfCanvas.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

TPdfTarget::TPdfTarget(const QString& fileName, int resolution)
    : File(std::make_unique<QSaveFile>(fileName))
    , Writer(std::make_unique<QPdfWriter>(File.get()))
{
    Writer->setResolution(resolution);
    Writer->setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    Writer->setCreator(QStringLiteral("Vantorel"));
}

TPdfTarget::~TPdfTarget() = default;

TPdfCanvas::TPdfCanvas(const QString& fileName, int resolution)
    : TPdfTarget(fileName, resolution)
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
