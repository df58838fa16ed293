// frmMain as the rules see it: the board picture, the score cells, the pointer,
// the clock, the generator, the options and the sound.
#include <QApplication>
#include <chrono>
#include <thread>

#include "accessibility.h"
#include "main_window.h"
#include "piece_sets.h"
#include "sound.h"
#include "spoken_words.h"

namespace quabe {

void MainWindow::Paint(Picture picture, int x, int y) {
    switch (picture) {
        case Picture::Mine:
            pctBoard->PaintPicture(*graphics.Mine, x, y);
            break;
        case Picture::Fire:
            pctBoard->PaintPicture(*graphics.Fire, x, y);
            break;
        default:
            pctBoard->PaintPicture(graphics.Pieces[static_cast<int>(picture)], x, y);
            break;
    }
    pctBoard->update();  // on screen at the next repaint, or at once by RefreshBoard
}

void MainWindow::SetBoardBackground(uint32_t rgb) {
    pctBoard->Fill(rgb);
    pctBoard->update();
}

// Moves do not return to the event loop, so the board is painted right here.
void MainWindow::RefreshBoard() {
    pctBoard->repaint();
}

// The hourglass covers the whole window, the board and buttons included.
void MainWindow::SetHourglass(bool on) {
    if (on == hourglass_) return;
    hourglass_ = on;
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::PlayCue(const char* fileName, int flags) {
    if (!settings.Sound || exiting_) return;
    cues_->Play(QString::fromLatin1(fileName), flags == kCueWait);
}

// Called just after the window shows and when the sound is switched on, apart
// from any move, so that the first cue need not wait for the audio libraries to
// load and the audio server to answer.
void MainWindow::PrepareSound() {
    if (settings.Sound && !exiting_) cues_->Prepare();
}

// Milliseconds of the monotonic clock, offset so that no reading is ever 0,
// which the rules keep for "not started".
int64_t MainWindow::TickCount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() + 1;
}

void MainWindow::Sleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

double MainWindow::Rnd() {
    return dealRandom.Rnd();
}

void MainWindow::SeedRnd(uint64_t seed) {
    dealRandom.Seed(seed);
}

uint64_t MainWindow::FreshBits() {
    return random.NextBits();
}

bool MainWindow::OptionOn(Option option) {
    switch (option) {
        case Option::RowShifts:
            return settings.RowShifts;
        case Option::ColumnShifts:
            return settings.ColumnShifts;
        case Option::Mines:
            return settings.Mines;
        case Option::Flash:
            return settings.Flash;
        case Option::TwoPlayers:
            return !settings.OnePlayer;
        case Option::Sound:
            return settings.Sound;
    }
    return false;
}

void MainWindow::SetTimerEnabled(bool enabled) {
    if (enabled && !exiting_) {
        Timer1.start();
    } else {
        Timer1.stop();
    }
}

void MainWindow::SetScoreDigit(int cell, int digit) {
    if (cell < 0 || cell >= kScoreCells || digit < 0 || digit > 9) return;
    imgScore[cell]->SetPicture(graphics.Digits[digit]);
}

// The set in use may differ from the one asked for when that one is broken; the
// settings then keep the set really shown.
uint32_t MainWindow::LoadPieceSet() {
    PieceSet set =
        quabe::LoadPieceSet(PieceSetPlaces(), settings.SetNumber, graphics.BuiltInPieces());
    graphics.Pieces = set.pieces;
    pieceNames = set.names;
    settings.SetNumber = static_cast<int16_t>(set.number != 0 ? set.number : 1);  // 0: built-in
    return set.boardColor;
}

void MainWindow::pctNew_Click() {
    BoardDealt = true;
    pctStartHint->hide();
    game.NewGame();
    AnnounceAtCursor(*this, NewGameWords(game, settings));
}

void MainWindow::ReplayDeal() {
    if (game.DealNumber == 0) return;
    game.Replay();
    AnnounceAtCursor(*this, ReplayWords(game));
}

void MainWindow::pctUndo_Click() {
    const int32_t before = game.Score1;
    game.Undo();
    if (game.GameActive && game.UndoReady && game.Score1 != before)
        AnnounceAtCursor(*this, UndoWords(game));
}

}  // namespace quabe
