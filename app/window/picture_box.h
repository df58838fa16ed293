#pragma once
// The window's controls: a picture box shows one picture at its natural size
// on black; a drawing box keeps a retained image that the game paints into.
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace quabe {

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    enum class Kind {
        Box,          // black background, keeps its own size
        FitsPicture,  // black background, takes the picture's size
        Image,        // windowless image: no background, takes the picture's size
    };
    PictureBox(QWidget* parent, Kind kind);

    void SetPicture(const QPixmap& picture);
    // The shipped picture `name`, read only when the box is first shown or asked
    // for its picture: most boxes of the other screens are never needed in a game.
    // A box in view takes it at once.
    void SetPictureSource(const QString& name, QSize expected);
    const QPixmap& Picture();
    void Click() { emit clicked(); }  // what a click does; a key's or a reader's way in

  signals:
    void clicked();                                // left press and release on the box
    void mouseDown(int button, QPointF position);  // any press: 1 left, 2 right, 4 middle

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void LoadSource();

    Kind kind_;
    QPixmap picture_;
    QString source_;
    QSize expected_;
    bool leftDown_ = false;
};

// A picture box that is drawn into: the board and the high-score table.
// Positions are in units of 1/15 pixel, the game's layout scale.
class DrawingBox : public PictureBox {
    Q_OBJECT
  public:
    static constexpr int kUnitsPerPixel = 15;

    DrawingBox(QWidget* parent, QSize size);

    void SetImageSize(QSize size);  // the image follows the box's size, cleared
    void Fill(QRgb rgb);            // background colour: erases everything drawn
    void PaintPicture(const QImage& picture, int x, int y);
    void PaintPicture(const QPixmap& picture, int x, int y);
    // Null, and the box black, until something is drawn: a board not yet played on
    // holds no image.
    QImage& Image() { return image_; }

  signals:
    void keyPressed(int code);  // character code: 13 Enter, 8 Backspace, else the typed character

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QImage& Drawn();

    QSize imageSize_;
    QImage image_;
};

// Pixels for a position in layout units.
inline int UnitsToPixels(double units) {
    return static_cast<int>(std::lround(units / DrawingBox::kUnitsPerPixel));
}

// The character code a key press delivers to the table: Enter and Return give 13,
// Backspace 8, anything else the first character it types (0 when it types none).
int KeyCode(int key, const QString& text);

}  // namespace quabe
