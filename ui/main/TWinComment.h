#pragma once
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

// The small yellow window that tells the details of a QC point next to it: the
// caption is the run's date and time, then one line per level (with its status
// picture), the comment and the operator. Any key or click closes it. One
// instance is made at start and filled again for each point.
class TWinComment : public QWidget {
    Q_OBJECT
public:
    static constexpr int LineHeight = 17;
    static constexpr int PictureSpace = 20;

    explicit TWinComment(QWidget* parent = nullptr);

    // Empties the lines and forgets the widest one.
    void Clear();
    // Appends a line with its picture (a null pixmap for none).
    void AddCommentLine(const QString& text, const QPixmap& bitmap = QPixmap());

    int LineCount() const { return int(m_lines.size()); }
    QString LineText(int index) const { return m_lines[index].Text; }
    bool LineHasBitmap(int index) const { return !m_lines[index].Bitmap.isNull(); }
    // When a click on the window last closed it (the press's timestamp), 0 before.
    ulong ClosedByPressAt() const { return m_closedByPressAt; }
    // The window's size for the lines held: 17 per line + 28 high, and
    // max(widest + 14, 110) + 14 wide.
    QSize PopupSize() const;

    // Sets the caption, the size for the lines and the top-left corner (screen
    // coordinates), and shows the window without making it modal.
    void ShowAt(const QString& caption, const QPoint& topLeft);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct TLine {
        QString Text;
        QPixmap Bitmap;
    };
    QList<TLine> m_lines;
    int m_largest = 0;
    ulong m_closedByPressAt = 0;
};
