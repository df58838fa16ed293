#include "graphics.h"

#include <QFile>
#include <QImage>
#include <QPainter>

namespace quabe {

namespace {

const QSize kButton(32, 32);
const QSize kCharacter(22, 28);

QString Indexed(const char* stem, int index) {
    return QStringLiteral("%1%2.gif").arg(QLatin1String(stem)).arg(index);
}

}  // namespace

QPixmap LoadPicture(const QString& name, QSize expected) {
    QImage source(QStringLiteral(":/pictures/") + name);
    QImage flat(source.isNull() ? expected : source.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    if (!source.isNull()) {
        QPainter painter(&flat);
        painter.drawImage(0, 0, source);
    }
    return QPixmap::fromImage(flat);
}

Graphics::Graphics() {
    Window = LoadPicture(QStringLiteral("frmMain.gif"), QSize(690, 457));
    for (int k = 0; k < 7; ++k) {
        BuiltInPieces[k] = LoadPicture(Indexed("pctPiece", k), kButton).toImage();
    }
    Pieces = BuiltInPieces;
    for (int d = 0; d < 11; ++d) Digits[d] = LoadPicture(Indexed("imgDigit", d), kCharacter);
    for (int a = 0; a < 27; ++a) Alphabet[a] = LoadPicture(Indexed("pctAlphabet", a), kCharacter);
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
    QPixmap hand(QStringLiteral(":/pictures/hand.png"));
    Hand = hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 12, 1);
    Icon = QPixmap(QStringLiteral(":/pictures/icon32.png"));
}

}  // namespace quabe
