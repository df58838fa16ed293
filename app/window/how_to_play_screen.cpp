// The how-to-play page: the aim, the scoring with examples, the preview, the
// computer, each event and the keys, on one page over the board. F1 opens it, and
// so does its line on the about screen, which the Help button still opens. Its
// pictures are made when they are first wanted, so start-up does not pay for them.
#include "accessibility.h"
#include "keyboard.h"
#include "main_window.h"

namespace quabe {

namespace {

constexpr bool kHidden = false, kHand = true;
constexpr int kLinkGap = 8;  // between the version and the line under it

}  // namespace

// A click on the page, OK or Escape takes the player back to the main screen.
void MainWindow::ShowHowToPlay() {
    if (!pctHowToPlay) {
        pctHowToPlay = Place(PictureBox::Kind::FitsPicture, "pctHowToPlay.gif",
                             pctBoard->geometry(), kHidden, kHand);
        connect(pctHowToPlay, &PictureBox::clicked, this, &MainWindow::pctOk_Click);
        keyboard_->Adopt(pctHowToPlay, pctAboutText);
        NameGuides(*this);
    }
    HideAboutScreen();
    HideMainScreen();
    pctHowToPlay->show();
    pctOk->show();
}

// Centred under the version on the about screen.
void MainWindow::ShowHowToPlayLink(int top) {
    if (!pctHowToPlayLink) {
        pctHowToPlayLink = Place(PictureBox::Kind::FitsPicture, "pctHowToPlayLink.gif",
                                 {0, 0, 180, 32}, kHidden, kHand);
        connect(pctHowToPlayLink, &PictureBox::clicked, this, &MainWindow::ShowHowToPlay);
        keyboard_->Adopt(pctHowToPlayLink, pctAboutText);
        NameGuides(*this);
    }
    pctHowToPlayLink->move((width() - pctHowToPlayLink->width()) / 2, top + kLinkGap);
    pctHowToPlayLink->show();
}

}  // namespace quabe
