#include "graphics.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

namespace quabe {

namespace {

const QSize kButton(32, 32);

QString Indexed(const char* stem, int index) {
    return QStringLiteral("%1%2.gif").arg(QLatin1String(stem)).arg(index);
}

// Read by the format its name gives: probing the content would load every image
// plugin of the system first.
QImage ReadShipped(const QString& name) {
    QImageReader reader(QStringLiteral(":/pictures/") + name, QFileInfo(name).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

QPixmap LoadPicture(const QString& name, QSize expected) {
    const QImage source = ReadShipped(name);
    QImage flat(source.isNull() ? expected : source.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    if (!source.isNull()) {
        QPainter painter(&flat);
        painter.drawImage(0, 0, source);
    }
    return QPixmap::fromImage(flat);
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
    Window = LoadPicture(QStringLiteral("frmMain.gif"), QSize(690, 457));
    for (int k = 0; k < 7; ++k) {
        BuiltInPieces[k] = LoadPicture(Indexed("pctPiece", k), kButton).toImage();
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
    for (int size : {32, 48, 64, 128, 256}) {
        const QImage icon = ReadShipped(QStringLiteral("icon%1.png").arg(size));
        if (!icon.isNull()) Icon.addPixmap(QPixmap::fromImage(icon));
    }
}

}  // namespace quabe
