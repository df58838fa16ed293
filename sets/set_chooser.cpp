#include "set_chooser.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace quabe {
namespace {

QCursor HandPointer() {
    const QPixmap hand(QStringLiteral(":/pictures/hand.png"));
    return hand.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(hand, 12, 1);
}

// A picture that works as a button, like those of the main window: no frame, the hand
// pointer. Tab reaches it after the list; while it has the focus a white line runs
// round its edge, Space and Enter press it.
class PictureButton : public QAbstractButton {
  public:
    PictureButton(const QString& picture, const QString& tip, QWidget* parent)
        : QAbstractButton(parent), picture_(picture) {
        setFixedSize(kPiecePixels, kPiecePixels);
        setToolTip(tip);
        setAccessibleName(tip);
        setCursor(HandPointer());
        setFocusPolicy(Qt::TabFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawPixmap(0, 0, picture_);
        if (hasFocus()) {
            painter.setPen(QPen(Qt::white, 2));
            painter.drawRect(rect().adjusted(1, 1, -1, -1));
        }
    }

  private:
    QPixmap picture_;
};

QFont ListFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

// Light labels on the black area of the frame, the selection in the game's purple.
QPalette ListPalette(QPalette palette) {
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, QColor(0xE0, 0xE0, 0xE0));
    palette.setColor(QPalette::Highlight, QColor(0x80, 0x30, 0xA0));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

// The icon at whole multiples of its size, scaled pixel for pixel, so that it stays
// sharp on high-density screens instead of being smoothed.
QIcon SharpIcon(const QImage& picture) {
    QIcon icon;
    for (int times = 1; times <= 3; ++times) {
        const QSize size = picture.size() * times;
        icon.addPixmap(QPixmap::fromImage(
            picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
    return icon;
}

}  // namespace

SetChooser::SetChooser(const QStringList& places, int current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      background_(QStringLiteral(":/pictures/frmSets.gif")),
      lstSets_(new QListWidget(this)),
      chosen_(current) {
    setObjectName(QStringLiteral("frmSets"));
    setWindowTitle(tr("Choose a piece set"));
    setFixedSize(479, 326);

    lstSets_->setObjectName(QStringLiteral("lstSets"));
    lstSets_->setAccessibleName(tr("Piece sets"));
    lstSets_->setGeometry(12, 16, 415, 293);
    lstSets_->setViewMode(QListView::IconMode);
    lstSets_->setMovement(QListView::Static);
    lstSets_->setResizeMode(QListView::Adjust);
    lstSets_->setIconSize(QSize(kPiecePixels, kPiecePixels));
    lstSets_->setGridSize(QSize(100, 72));  // room for a title of two short lines
    lstSets_->setWordWrap(true);
    lstSets_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSets_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstSets_->setFrameShape(QFrame::NoFrame);
    lstSets_->setFont(ListFont());
    lstSets_->setPalette(ListPalette(lstSets_->palette()));
    lstSets_->viewport()->installEventFilter(this);

    // Entries carry their set's number: with gaps in the numbering, a position is not a set.
    sets_ = ListPieceSets(places);
    // Until its set is read an entry holds a blank picture of the icon's size, so that the
    // entries keep their places when the pictures come.
    QPixmap blank(kPiecePixels, kPiecePixels);
    blank.fill(Qt::transparent);
    for (const PieceSetEntry& set : sets_) {
        auto* item = new QListWidgetItem(QIcon(blank), set.title, lstSets_);
        item->setData(Qt::UserRole, set.number);
        item->setToolTip(set.title);
        if (set.number == current) lstSets_->setCurrentItem(item);
    }
    connect(lstSets_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &SetChooser::ReadSetsInView);
    if (lstSets_->currentItem()) lstSets_->scrollToItem(lstSets_->currentItem());
    lstSets_->setFocus();

    auto* pctOk = new PictureButton(QStringLiteral(":/pictures/pctOk.gif"), tr("Ok"), this);
    pctOk->setObjectName(QStringLiteral("pctOk"));
    pctOk->move(432, 14);
    connect(pctOk, &QAbstractButton::clicked, this, &SetChooser::pctOk_Click);

    auto* pctReset =
        new PictureButton(QStringLiteral(":/pictures/pctReset.gif"), tr("Cancel"), this);
    pctReset->setObjectName(QStringLiteral("pctReset"));
    pctReset->move(432, 50);
    connect(pctReset, &QAbstractButton::clicked, this, &QDialog::reject);
    setTabOrder(lstSets_, pctOk);
    setTabOrder(pctOk, pctReset);
}

void SetChooser::pctOk_Click() {
    const QList<QListWidgetItem*> selected = lstSets_->selectedItems();
    if (selected.isEmpty()) {
        reject();
        return;
    }
    chosen_ = selected.first()->data(Qt::UserRole).toInt();
    accept();
}

void SetChooser::ReadSetsInView() {
    if (reading_) return;  // leaving a set out moves the others, which may scroll the list
    reading_ = true;
    const QRect view = lstSets_->viewport()->rect();
    for (bool leftOut = true; leftOut;) {
        leftOut = false;
        for (int row = 0; row < lstSets_->count(); ++row) {
            QListWidgetItem* item = lstSets_->item(row);
            PieceSetEntry& set = sets_[row];
            if (item->isHidden() || !set.icon.isNull() ||
                !lstSets_->visualItemRect(item).intersects(view))
                continue;
            if (ReadListedSet(set)) {
                item->setIcon(SharpIcon(set.icon));
                item->setText(set.title);
                item->setToolTip(set.title);
            } else {
                item->setSelected(false);
                item->setHidden(true);  // the sets after it move up, maybe into view
                leftOut = true;
            }
        }
    }
    reading_ = false;
}

void SetChooser::showEvent(QShowEvent* event) {
    ReadSetsInView();
    QDialog::showEvent(event);
}

void SetChooser::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, background_);
}

// Enter presses the focused button, else takes the selected set.
void SetChooser::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            button->click();
        } else {
            pctOk_Click();
        }
        return;
    }
    QDialog::keyPressEvent(event);  // Escape cancels
}

bool SetChooser::eventFilter(QObject* watched, QEvent* event) {
    // Any double-click on the list, even between icons, acts like Ok; the press before it
    // has already set the selection.
    if (watched == lstSets_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        pctOk_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

SetChooser* OpenSetChooser(QWidget* parent, const QStringList& places, int current,
                           std::function<void(int)> chosen) {
    auto* frmSets = new SetChooser(places, current, parent);
    frmSets->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(frmSets, &QDialog::finished, frmSets,
                     [frmSets, chosen = std::move(chosen)] { chosen(frmSets->ChosenSet()); });
    frmSets->open();
    return frmSets;
}

}  // namespace quabe
