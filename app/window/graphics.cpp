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

// The PNGs, read by the format their name gives: probing the content would load
// every image plugin of the system first.
QImage ReadShipped(const QString& name) {
    QImageReader reader(QStringLiteral(":/pictures/") + name, QFileInfo(name).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

void AddIcon(QIcon& icon, int size) {
    const QImage picture = ReadShipped(QStringLiteral("icon%1.png").arg(size));
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

Graphics::Graphics() {
    Window = ShippedPicture(QStringLiteral("frmMain.gif"), QSize(690, 457));
    for (int k = 0; k < 7; ++k) {
        BuiltInPieces[k] = ShippedPicture(Indexed("pctPiece", k), kButton);
    }
    Pieces = BuiltInPieces;
    OnePlayer = LoadPicture(QStringLiteral("pct1Player.gif"), kButton);
    TwoPlayers = LoadPicture(QStringLiteral("pct2Player.gif"), kButton);
    SoundOn = LoadPicture(QStringLiteral("pctSoundOn.gif"), kButton);
    SoundOff = LoadPicture(QStringLiteral("pctSoundOff.gif"), kButton);
    Yes = LoadPicture(QStringLiteral("pctYes.gif"), QSize(50, 25));
    No = LoadPicture(QStringLiteral("pctNo.gif"), QSize(38, 25));
    Fire = LoadPicture(QStringLiteral("pctFire.gif"), kButton);
    Mine = LoadPicture(QStringLiteral("pctMine.gif"), kButton);
    Black = LoadPicture(QStringLiteral("pctBlack.gif"), kButton);

    // The hand's finger tip is its hot spot; without the picture the system's hand serves.
    const QImage hand = ReadShipped(QStringLiteral("hand.png"));
    Hand =
        hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(QPixmap::fromImage(hand), 12, 1);
    AddIcon(Icon, 32);
}

QIcon Graphics::AllIconSizes() {
    QIcon icon;
    for (int size : {32, 48, 64, 128, 256}) AddIcon(icon, size);
    return icon;
}

}  // namespace quabe
