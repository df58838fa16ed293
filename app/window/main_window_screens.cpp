// frmMain's screens: the main screen, the about screen, the options screen, the
// game-over display, the high-score table, the piece-set chooser, the deal entry
// and the statistics.
#include "main_window.h"

#include <QPointer>

#include "accessibility.h"
#include "deals.h"
#include "keyboard.h"
#include "piece_sets.h"
#include "set_chooser.h"
#include "spoken_words.h"
#include "statistics_screen.h"
#include "table_painter.h"

namespace quabe {

namespace {

static_assert(QUABE_VERSION_MAJOR <= 9 && QUABE_VERSION_MINOR <= 9,
              "the about screen shows each part of the version as one digit");

// Switching one shift kind on switches the other off; switching one off leaves
// the other alone.
void ToggleShift(bool& self, bool& other) {
    if (self) {
        self = false;
    } else {
        self = true;
        other = false;
    }
}

}  // namespace

void MainWindow::HideMainScreen() {
    SetHourglass(true);
    pctBoard->hide();
    for (PictureBox* cell : imgScore) cell->hide();
    for (PictureBox* box : {pctExit, pctNew, pctHighScores, pctSound, pctSet, pctEvents}) {
        box->hide();
    }
    SetHourglass(false);
    for (PictureBox* box : {pctGameOver, pctHelp, pctUndo, pctPlayers, pctDeal}) box->hide();
    if (pctDealEntry) pctDealEntry->hide();
    for (PictureBox* guide : {pctEventMarks, pctStartHint, pctWinner, pctClickToGoOn})
        guide->hide();
    EndBoardCleared();
    ShowRowMarks();
}

void MainWindow::ShowMainScreen() {
    pctBoard->Fill(game.BoardColor);
    SetHourglass(true);
    pctBoard->show();
    pctBoard->repaint();
    for (PictureBox* cell : imgScore) cell->show();
    for (int cell = 6; cell < kScoreCells; ++cell) imgScore[cell]->setVisible(game.TwoPlayers);
    for (int row = 1; row <= kRows; ++row) {
        for (int col = 1; col <= kCols; ++col) {
            Paint(PieceOf(game.Board[row][col]), (col - 1) * kCellPitch, (row - 1) * kCellPitch);
        }
    }
    for (PictureBox* box : {pctExit, pctNew, pctHighScores, pctSound, pctSet, pctEvents, pctHelp,
                            pctPlayers, pctUndo, pctEventMarks}) {
        box->show();
    }
    if (pctDealEntry) pctDealEntry->hide();  // it lies over the board
    if (game.DealNumber != 0) {
        pctDeal->SetPicture(DealPicture(graphics, game.DealNumber, pctDeal->size()));
        pctDeal->show();
    }
    pctStartHint->setVisible(!BoardDealt);
    EndBoardCleared();
    ShowRowMarks();
    SetHourglass(false);
}

// The about picture centred in the window, the version under it with its dot
// starting at the window's centre.
void MainWindow::pctHelp_Click() {
    HideMainScreen();
    pctAboutText->resize(pctAboutText->Picture().size());
    pctAboutText->move((width() - pctAboutText->width()) / 2,
                       (height() - pctAboutText->height()) / 2);
    const int top = pctAboutText->y() + pctAboutText->height();
    pctVersion[0]->SetPicture(graphics.Digits[QUABE_VERSION_MAJOR]);
    pctVersion[0]->move(width() / 2 - pctVersion[0]->width(), top);
    pctVersion[1]->SetPicture(graphics.Digits[10]);
    pctVersion[1]->move(width() / 2, top);
    pctVersion[2]->SetPicture(graphics.Digits[QUABE_VERSION_MINOR]);
    pctVersion[2]->move(width() / 2 + pctVersion[0]->width(), top);
    for (PictureBox* digit : pctVersion) digit->show();
    pctAboutText->show();
    ShowHowToPlayLink(top + pctVersion[0]->height());
}

void MainWindow::pctHelpText_Click() {
    HideAboutScreen();
    ShowMainScreen();
}

void MainWindow::HideAboutScreen() {
    pctAboutText->hide();
    for (PictureBox* digit : pctVersion) digit->hide();
    if (pctHowToPlayLink) pctHowToPlayLink->hide();
}

void MainWindow::pctEvents_Click() {
    HideMainScreen();
    for (PictureBox* box :
         {pctRowShiftsSelection, pctColumnShiftsSelection, pctMinesSelection, pctRowShifts,
          pctColumnShifts, pctFlashSelection, pctFlash, pctMines, pctRowShiftsNote,
          pctColumnShiftsNote, pctMinesNote, pctFlashNote, pctNextBoardNote, pctOk}) {
        box->show();
    }
}

// OK closes whichever screen uses it: the options, the high-score table or the
// how-to-play page.
void MainWindow::pctOk_Click() {
    for (PictureBox* box :
         {pctRowShiftsSelection, pctColumnShiftsSelection, pctMinesSelection, pctRowShifts,
          pctColumnShifts, pctMines, pctFlashSelection, pctFlash, pctRowShiftsNote,
          pctColumnShiftsNote, pctMinesNote, pctFlashNote, pctNextBoardNote, pctOk, pctReset,
          pctStatistics, static_cast<PictureBox*>(pctHighScore)}) {
        box->hide();
    }
    if (pctHowToPlay) pctHowToPlay->hide();
    nameEntry.Stop();
    ShowMainScreen();
}

// Each picture is read when its box shows: the switches only on the options screen.
void MainWindow::ShowOptionPictures() {
    const auto yesNo = [](PictureBox* box, bool on) {
        if (on) {
            box->SetPictureSource(QStringLiteral("pctYes.gif"), {50, 25});
        } else {
            box->SetPictureSource(QStringLiteral("pctNo.gif"), {38, 25});
        }
    };
    yesNo(pctRowShiftsSelection, settings.RowShifts);
    yesNo(pctColumnShiftsSelection, settings.ColumnShifts);
    yesNo(pctMinesSelection, settings.Mines);
    yesNo(pctFlashSelection, settings.Flash);
    const QSize button(32, 32);
    pctPlayers->SetPictureSource(
        settings.OnePlayer ? QStringLiteral("pct1Player.gif") : QStringLiteral("pct2Player.gif"),
        button);
    pctSound->SetPictureSource(
        settings.Sound ? QStringLiteral("pctSoundOn.gif") : QStringLiteral("pctSoundOff.gif"),
        button);
    ShowEventMarks();
    NamePictures(*this);
}

void MainWindow::pctRowShiftsSelection_Click() {
    ToggleShift(settings.RowShifts, settings.ColumnShifts);
    ShowOptionPictures();
}

void MainWindow::pctColumnShiftsSelection_Click() {
    ToggleShift(settings.ColumnShifts, settings.RowShifts);
    ShowOptionPictures();
}

void MainWindow::pctMinesSelection_Click() {
    settings.Mines = !settings.Mines;
    ShowOptionPictures();
}

void MainWindow::pctFlashSelection_Click() {
    settings.Flash = !settings.Flash;
    ShowOptionPictures();
}

void MainWindow::pctPlayers_Click() {
    settings.OnePlayer = !settings.OnePlayer;
    ShowOptionPictures();
}

void MainWindow::pctSound_Click() {
    settings.Sound = !settings.Sound;
    ShowOptionPictures();
    if (settings.Sound) QTimer::singleShot(0, this, &MainWindow::PrepareSound);
}

// The finished board stays in view a moment, so the player sees the position
// that ended the game; presses meanwhile are dropped.
void MainWindow::ShowGameOver() {
    CountGame(statistics, game.Score1, game.Score2, game.TwoPlayers);
    KeepStatistics();
    lastPosition_.start();
}

// The game-over picture over a black board, the scores beside it, and the
// fireworks running on the timer until the picture is clicked. Under the picture,
// who won a two-player game, and what a click on it does.
void MainWindow::ShowGameOverDisplay() {
    HideMainScreen();
    pctBoard->show();
    pctBoard->repaint();
    repaint();
    NameGameOver(*this);
    pctGameOver->show();
    pctGameOver->repaint();
    SetBoardBackground(0);
    for (int cell = 0; cell < kScoreCells; ++cell) {
        imgScore[cell]->setVisible(cell < 6 || game.TwoPlayers);
    }
    ShowRowMarks();
    if (game.TwoPlayers) {
        const char* line[] = {"pctYouWin.gif", "pctComputerWins.gif", "pctDraw.gif"};
        const int outcome = static_cast<int>(Winner(game.Score1, game.Score2));
        pctWinner->SetPicture(LoadPicture(QLatin1String(line[outcome]), pctWinner->size()));
        pctWinner->show();
    }
    // Under who won, or in its place when nobody played against the computer.
    const int below = pctWinner->y() + (game.TwoPlayers ? pctWinner->height() + 2 : 0);
    pctClickToGoOn->move(pctClickToGoOn->x(), below);
    pctClickToGoOn->show();
    NameGuides(*this);
    celebration_->Start();
}

void MainWindow::StopCelebration() {
    lastPosition_.stop();
    celebration_->Stop();
}

void MainWindow::pctGameOver_Click() {
    celebration_->Stop();
    pctGameOver->hide();
    pctWinner->hide();
    pctClickToGoOn->hide();
    NewEntryRow = InsertHighScore(settings.Table, game.Score1);
    if (NewEntryRow != 0) {
        HideMainScreen();
        ShowHighScores();
    } else {
        ShowMainScreen();
    }
}

void MainWindow::pctHighScores_Click() {
    NewEntryRow = 0;
    HideMainScreen();
    ShowHighScores();
}

void MainWindow::pctReset_Click() {
    ClearHighScores(settings.Table);
    pctHighScore->Fill(qRgb(0, 0, 0));
    ShowHighScores();
    Announce(*this, TableClearedWords());
}

// The table lies over the board; a newly earned row takes its name from the keys.
void MainWindow::ShowHighScores() {
    pctHighScore->setGeometry(pctBoard->geometry());
    pctHighScore->SetImageSize(pctBoard->size());
    pctHighScore->show();
    pctOk->show();
    pctStatistics->show();
    SetHourglass(true);
    nameEntry.Stop();
    DrawHighScores(settings.Table, *tablePainter_);
    SetHourglass(false);
    if (NewEntryRow != 0) {
        // Typing, before the focus comes: the table is read from the name's row.
        nameEntry.Start(settings.Table, NewEntryRow, *tablePainter_);
        pctHighScore->setFocus();
    } else {
        pctReset->show();
    }
    pctHighScore->update();
}

// Once Enter or the eighth character ends the name, OK has the focus, so that
// a second Enter leaves the table.
void MainWindow::pctHighScore_KeyPress(int code) {
    const bool entering = nameEntry.EnteringName();
    const std::string before = NewEntryRow != 0 ? settings.Table.HighScoreNames[NewEntryRow] : "";
    nameEntry.KeyPress(code);
    pctHighScore->update();
    TellNameKey(*this, before, entering);
    if (!nameEntry.EnteringName() && pctHighScore->hasFocus())
        pctOk->setFocus(Qt::OtherFocusReason);
}

// The chooser is modal: the window takes no clicks until it closes, yet the click
// that opened it returns at once, so that nothing waits on it. A change repaints
// the running board in the new set, leaving the game as it was.
void MainWindow::pctSet_Click() {
    const QPointer<QWidget> focus = focusWidget();  // a disabled window keeps no focus
    setEnabled(false);
    const int before = settings.SetNumber;
    OpenSetChooser(this, PieceSetPlaces(), before, [this, before, focus](int chosen) {
        // The window takes the keyboard back, the focus where it stood.
        setEnabled(true);
        activateWindow();
        if (focus) focus->setFocus(Qt::OtherFocusReason);
        if (exiting_ || chosen == before) return;
        settings.SetNumber = static_cast<int16_t>(chosen);
        game.BoardColor = LoadPieceSet();
        game.DrawBoard(false);
    });
}

// The entry lies over the board, which is hidden meanwhile so that no key or
// press plays on it; the side panel stays.
void MainWindow::AskForDeal() {
    if (!pctDealEntry) {
        pctDealEntry = new DealEntry(this, graphics);
        connect(pctDealEntry, &DrawingBox::keyPressed, this, &MainWindow::pctDealEntry_KeyPress);
        connect(pctDealEntry, &PictureBox::clicked, this, &MainWindow::pctDealEntry_Click);
        NamePictures(*this);
    }
    pctDealEntry->setGeometry(pctBoard->geometry());
    pctBoard->hide();
    pctDealEntry->Start();
    pctDealEntry->show();
    pctDealEntry->raise();
    pctDealEntry->setFocus();
}

// Enter with a number in range plays it as a new game.
void MainWindow::pctDealEntry_KeyPress(int code) {
    const QString before = pctDealEntry->Typed();
    if (const std::optional<int32_t> number = pctDealEntry->KeyPress(code)) {
        game.NextDeal = *number;
        pctNew_Click();
        return;
    }
    TellDealKey(*this, before);
}

void MainWindow::pctDealEntry_Click() {
    pctDealEntry->hide();
    ShowMainScreen();
}

void MainWindow::ShowStatistics() {
    statisticsOverTable_ = false;
    HideMainScreen();
    OpenStatistics();
}

// A name being typed keeps what has been typed, as OK keeps it.
void MainWindow::pctStatistics_Click() {
    statisticsOverTable_ = true;
    resetUnderStatistics_ = pctReset->isVisible();
    nameEntry.Stop();
    for (PictureBox* box : {pctOk, pctReset, pctStatistics, static_cast<PictureBox*>(pctHighScore)})
        box->hide();
    OpenStatistics();
}

// Over the board, with the play so far counted.
void MainWindow::OpenStatistics() {
    TakeTally();
    if (!pctStatisticsScreen) {
        pctStatisticsScreen = new StatisticsScreen(this, graphics);
        connect(pctStatisticsScreen, &PictureBox::clicked, this,
                &MainWindow::pctStatisticsScreen_Click);
        keyboard_->Adopt(pctStatisticsScreen, pctStatistics);  // read with Up and Down
        NamePictures(*this);
    }
    pctStatisticsScreen->setGeometry(pctBoard->geometry());
    pctStatisticsScreen->Draw(statistics);
    pctStatisticsScreen->show();
    pctStatisticsScreen->raise();
    pctStatisticsScreen->setFocus();
}

void MainWindow::pctStatisticsScreen_Click() {
    pctStatisticsScreen->hide();
    if (!statisticsOverTable_) {
        ShowMainScreen();
        return;
    }
    NewEntryRow = 0;
    ShowHighScores();
    pctReset->setVisible(resetUnderStatistics_);
}

}  // namespace quabe
