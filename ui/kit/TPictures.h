#pragma once
#include <QImage>
#include <QPixmap>
#include <QString>

// The small pictures shared by the charts, lists and reports, and the two
// cursors of lot dragging, compiled into the program as resources.
class TPictures {
public:
    // Loads, in this order, "PUCEROUGE", "PUCEVERTE", "PUCEJAUNE", "CROIXROUGE"
    // (white made transparent), "COMMENT" (opaque) and the cursors "CURSDRAGLOT"
    // and "CURSNODROPLOT". False when one of them is missing; the others stay
    // loaded.
    bool Load();
    // Frees every picture (shutdown).
    void Free();
    bool IsLoaded() const { return !Comment.isNull(); }

    // The dot or cross of a point status: green within, yellow warning, red
    // action, red cross discarded; null for no value or an unknown status.
    const QImage* StatusPicture(quint8 status) const;

    QImage PuceRouge;
    QImage PuceVerte;
    QImage PuceJaune;
    QImage CroixRouge;
    QImage Comment;
    QPixmap CursDragLot;
    QPixmap CursNoDropLot;
};

// A button glyph of the main window and dialogs ("data", "ok", "exit", ...).
QPixmap ButtonGlyph(const QString& name);
// The picture of the splash window.
QPixmap SplashPicture();
