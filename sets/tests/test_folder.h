#pragma once
// Program folders made up for one test: set folders holding real GIF pictures.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace quabe::testing {

// Writes `image` (at most 256 colours) as a GIF89a; pixels of colour `transparent` are
// marked transparent. Returns false when giflib fails.
bool WriteGif(const QString& path, const QImage& image, std::optional<QRgb> transparent = {});

// The colour of kind 1..6 in the sets these tests write.
QRgb PieceColor(int kind);

class TestFolder {
  public:
    QString Path() const { return dir_.path(); }
    QString PathOf(const QString& relativePath) const { return dir_.filePath(relativePath); }

    // A complete set in folder `name`: Piece0 filled with `boardColor`, the kinds in
    // PieceColor, every picture `size` pixels square; Title.txt holds `titleText`.
    void AddSet(const QString& name, const QByteArray& titleText, QRgb boardColor = 0xFF000040,
                int size = 32);
    void WriteFile(const QString& relativePath, const QByteArray& bytes);
    void Remove(const QString& relativePath);
    // Puts a symbolic link to `target` in place of the file `relativePath`.
    void Link(const QString& relativePath, const QString& target);
    // A FIFO no one writes to, named `relativePath`; its full path.
    QString MakeFifo(const QString& relativePath);

  private:
    QTemporaryDir dir_;
};

}  // namespace quabe::testing
