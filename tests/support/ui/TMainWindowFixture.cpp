#include "TMainWindowFixture.h"
#include "TAnalyte.h"

#include "TArchive.h"
#include "TDataFile.h"
#include "TFifoFile.h"
#include "TStatistics.h"
#include "TestHelpers.h"

#include <QApplication>
#include <QMouseEvent>

static QString AnalytesText(const TListAnalytes& list)
{
    QString text;
    for (int i = 0; i < list.Count(); ++i) {
        const TAnalyte& a = list.Item(i);
        text += a.Name + '\n' + AsText(a);
        for (int l = 0; l < MaxLevels; ++l)
            text += QString("%1 %2 %3\n").arg(a.LimitMode[l]).arg(a.LockEnd[l]).arg(a.ReferenceStats[l].Mean);
    }
    return text;
}

bool TMainWindowFixture::Reset()
{
    Win.reset(); // before the context it works on
    PrnCharts.reset();
    Context = MakeTestContext();
    Context->Config.LastBackupDate = Today();
    Context->Config.ShowAboutAtStart = false;
    for (const char* lot : { "111", "222", "333" })
        Context->ListSerum.Add(QString("Lyphocheck %1").arg(lot[0]), lot);
    Dialogs = TScriptedDialogs();
    Screen = { 1024, 768, 96 };
    m_dir = std::make_unique<QTemporaryDir>();
    Context->SetProgramFolder(m_dir->path());
    Context->ListFifo.SetStore(FifoFileStore(Context->BaseName() + ".fif"));
    return m_dir->isValid() && (m_pictures.IsLoaded() || m_pictures.Load());
}

TWinMain& TMainWindowFixture::Show()
{
    Win = std::make_unique<TWinMain>(*Context, Dialogs, m_pictures);
    Win->WinValidCQ = (Valid = std::make_unique<TWinValidCQ>(*Context, Dialogs)).get();
    Win->WinImport = (Import = std::make_unique<TWinImport>(*Context, Dialogs)).get();
    Win->WinAbout = (About = std::make_unique<TWinAbout>()).get();
    Win->WinComment = (Comment = std::make_unique<TWinComment>()).get();
    Printers = std::make_unique<TQtPrinterService>(Dialogs);
    Win->WinPrnCharts = (PrnCharts = std::make_unique<TWinPrnCharts>(*Context, Dialogs, *Printers)).get();
    Win->UpdateCommands();
    Win->ScreenMetrics = [this] { return Screen; };
    Win->ShowMainWindow();
    return *Win;
}

TAnalyte& TMainWindowFixture::AddAnalyte(const QString& name, int levels, const QList<QList<double>>& values)
{
    TAnalyte& a = AddDailyAnalyte(*Context, name, levels, 0, Today());
    for (int i = 0; i < values.size(); ++i)
        a.AddPoint(MakeResult(
            Today() - 73 + i + 0.5, values[i].value(0, NAN), values[i].value(1, NAN), values[i].value(2, NAN)));
    RecomputeAll(a, Context->Risks());
    ClassifyAll(a);
    return a;
}

void TMainWindowFixture::Press(int index, Qt::KeyboardModifiers keys, int y, Qt::MouseButton button)
{
    const QPointF at(
        PointX(index, Win->ChartView().First), y >= 0 ? y : DateAxisY(Context->CurrentAnalyte->NbLevels) + 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, Win->PBox->mapToGlobal(at), button, button, keys);
    QApplication::sendEvent(Win->PBox, &press);
}

bool TMainWindowFixture::DataFileAsInMemory() const
{
    auto saved = MakeTestContext();
    return LoadData(*saved, DataFileName(*Context))
        && AnalytesText(saved->ListAnalytes) == AnalytesText(Context->ListAnalytes);
}

QString TMainWindowFixture::Snapshot() const
{
    QString shot = AnalytesText(Context->ListAnalytes) + QString("queue %1\n").arg(Context->ListFifo.Count());
    for (const QFileInfo& file : QDir(m_dir->path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        shot += QString("%1 %2\n").arg(file.fileName()).arg(file.size());
    return shot;
}

int TMainWindowFixture::PointY() const { return FirstBandTop(Context->CurrentAnalyte->NbLevels) + 60; }
