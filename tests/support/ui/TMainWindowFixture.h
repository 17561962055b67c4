#pragma once
#include "TDates.h"
#include "TPictures.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TScriptedDialogs.h"
#include "TTestRegistry.h"
#include "TWinAbout.h"
#include "TWinComment.h"
#include "TWinImport.h"
#include "TWinMain.h"
#include "TWinPrnCharts.h"
#include "TWinValidCQ.h"

#include <QTemporaryDir>
#include <QTest>

// The main window under test with its validation, import, About and pop-up windows, the scripted
// dialogs, a context on the fixed clock with three control materials and a temporary folder.
class TMainWindowFixture {
public:
    // A fresh context and folder, no window; false when they cannot be had.
    bool Reset();
    // The window made as the program makes it, then shown (start-up checks included).
    TWinMain& Show();
    template <class TWindow> TWinMain& ShowWith(TWindow* TWinMain::*slot, TWindow& window)
    {
        TWinMain& win = Show();
        win.*slot = &window;
        win.UpdateCommands();
        return win;
    }

    static double Today() { return DateToDayCount(QDate(2026, 3, 15)); }
    // An analyte of one point a day from 2026-01-01 noon with these values (NaN: none).
    TAnalyte& AddAnalyte(const QString& name, int levels, const QList<QList<double>>& values);
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    // A press on the charts at the point `index`, below the date axis unless a height is given.
    void Press(int index, Qt::KeyboardModifiers keys = {}, int y = -1, Qt::MouseButton button = Qt::LeftButton);
    int PointY() const; // in the first band
    // Whether the data file holds the analytes (points and limits) as they are in memory.
    bool DataFileAsInMemory() const;
    // What a refused command leaves alone: the analytes, the queue, the folder's files.
    QString Snapshot() const;

    const TPictures& Pictures() const { return m_pictures; }

    std::unique_ptr<TQCContext> Context;
    TScriptedDialogs Dialogs;
    TScreenMetrics Screen;
    std::unique_ptr<TWinMain> Win;
    std::unique_ptr<TWinValidCQ> Valid;
    std::unique_ptr<TWinImport> Import;
    std::unique_ptr<TWinAbout> About;
    std::unique_ptr<TWinComment> Comment;
    std::unique_ptr<TQtPrinterService> Printers;
    std::unique_ptr<TWinPrnCharts> PrnCharts;

private:
    TPictures m_pictures;
    std::unique_ptr<QTemporaryDir> m_dir;
};

// The base of the test classes on the main window (with Qt Test and the registration they need):
// a fresh fixture before each test.
class TMainWindowTest : public QObject {
    Q_OBJECT
protected:
    TMainWindowFixture f;
private slots:
    void init() { QVERIFY(f.Reset()); }
};
