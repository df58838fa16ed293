#include "graphics.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QResource>

#include "ready_picture.h"

namespace quabe {

namespace {

const QSize kButton(32, 32);

QString Indexed(const char* stem, int index) {
    return QStringLiteral("%1%2.gif").arg(QLatin1String(stem)).arg(index);
}

// A PNG wanted before the first paint, ready to draw with its transparency kept
// (ready_picture.h); null when missing.
QImage ReadyWithAlpha(const QString& stem) {
    const QResource ready(QStringLiteral(":/ready/") + stem + QStringLiteral(".raw"));
    return UnpackReadyPicture(ready.uncompressedData(), QImage::Format_ARGB32_Premultiplied);
}

// The larger icons, decoded from their PNGs, by the format their name gives:
// probing the content would load every image plugin of the system first.
QImage ReadShipped(const QString& name) {
    QImageReader reader(QStringLiteral(":/pictures/") + name, QFileInfo(name).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

void AddIcon(QIcon& icon, const QImage& picture) {
    if (!picture.isNull()) icon.addPixmap(QPixmap::fromImage(picture));
}

}  // namespace

QImage ShippedPicture(const QString& name, QSize expected) {
    const QResource ready(QStringLiteral(":/ready/") + QFileInfo(name).completeBaseName() +
                          QStringLiteral(".raw"));
    QImage picture = UnpackReadyPicture(ready.uncompressedData());
    if (picture.isNull()) {
        picture = QImage(expected, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    return picture;
}

QPixmap LoadPicture(const QString& name, QSize expected) {
    return QPixmap::fromImage(ShippedPicture(name, expected));
}

const QPixmap& PictureSeries::operator[](int index) const {
    if (pictures_.empty()) {
        for (int i = 0; i < count_; ++i) pictures_.push_back(LoadPicture(Indexed(stem_, i), size_));
    }
    return pictures_.at(static_cast<size_t>(index));
}

const QPixmap& LazyPicture::operator*() const {
    if (picture_.isNull()) picture_ = LoadPicture(QLatin1String(name_), size_);
    return picture_;
}

// Only what the first paint shows is read here; every other picture when first wanted.
Graphics::Graphics() {
    Window = ShippedPicture(QStringLiteral("frmMain.gif"), QSize(690, 457));

    // The hand's finger tip is its hot spot; without the picture the system's hand serves.
    const QImage hand = ReadyWithAlpha(QStringLiteral("hand"));
    Hand =
        hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(QPixmap::fromImage(hand), 12, 1);
    AddIcon(Icon, ReadyWithAlpha(QStringLiteral("icon32")));
}

const std::array<QImage, 7>& Graphics::BuiltInPieces() const {
    if (builtInPieces_[0].isNull()) {
        for (int k = 0; k < 7; ++k)
            builtInPieces_[k] = ShippedPicture(Indexed("pctPiece", k), kButton);
    }
    return builtInPieces_;
}

QIcon Graphics::AllIconSizes() {
    QIcon icon;
    AddIcon(icon, ReadyWithAlpha(QStringLiteral("icon32")));
    for (int size : {48, 64, 128, 256})
        AddIcon(icon, ReadShipped(QStringLiteral("icon%1.png").arg(size)));
    return icon;
}

}  // namespace quabe
