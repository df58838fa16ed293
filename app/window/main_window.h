#pragma once
// frmMain: the one window of the game. It holds every control, all window-level
// state and the game itself, and is the rules' door to the desktop.
#include <QPoint>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "board_cursor.h"
#include "busy_clock.h"
#include "celebration.h"
#include "game.h"
#include "graphics.h"
#include "high_score_table.h"
#include "image_line_sink.h"
#include "picture_box.h"
#include "piece_sets.h"
#include "random.h"
#include "settings_store.h"
#include "statistics.h"

class QInputEvent;

namespace quabe {

class BoardOverlay;
class BoardPointer;
class CuePlayer;
class DealEntry;
class Keyboard;
class StatisticsScreen;
class TablePainter;

// The client area and the board rectangle, which the four marker lines of the
// layout give in window units: left 180, top 1230, right 8250, bottom 6660.
constexpr int kWindowWidth = 690;
constexpr int kWindowHeight = 458;
constexpr int kLeftLineX1 = 180, kTopLineY1 = 1230, kRightLineX1 = 8250, kBottomLineY1 = 6660;

// The player's statistics file, in the game's data folder beside their own sets;
// empty when the desktop names no data folder.
QString StatisticsLocation();

class MainWindow : public QWidget, public Platform {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);  // Form_Load
    ~MainWindow() override;

    // Platform: what the rules ask of the window.
    void Paint(Picture picture, int x, int y) override;
    void SetBoardBackground(uint32_t rgb) override;
    void RefreshBoard() override;
    void SetHourglass(bool on) override;
    void PlayCue(const char* fileName, int flags) override;
    int64_t TickCount() override;
    void Sleep(int milliseconds) override;
    double Rnd() override;
    void SeedRnd(uint64_t seed) override;
    uint64_t FreshBits() override;
    bool OptionOn(Option option) override;
    void SetTimerEnabled(bool enabled) override;
    void SetScoreDigit(int cell, int digit) override;
    void HideMainScreen() override;
    void ShowMainScreen() override;
    void ShowGameOver() override;
    void StopCelebration() override;
    uint32_t LoadPieceSet() override;

    void ShowHighScores();
    void ShowHowToPlay();  // F1, and the about screen's way there

    // What the main screen explains beside the board. The group the player points
    // at, with the pointer or the board cursor: outlined, its worth beside the
    // scores. Asked again whenever either moves or the board changes.
    void ShowPointedGroup();
    void ShowBoardCleared();  // a short moment over the fresh board
    void EndBoardCleared();   // the moment's end, or a press that cuts it short
    void ShowEventMarks();

    // Whether a press was made while a move, a blink, the computer's turn, an
    // explosion or a shift ran: such a press is dropped.
    bool PressCameDuringWork(const QInputEvent& event) const;

    // Leaves the program: saves the settings once and stops the event loop. Every
    // exit path (the exit pictures, the close command, the session) ends here.
    void ExitGame();
    bool Exiting() const { return exiting_; }
    // Whether the work left until after the first paint is done.
    bool StartedUp() const { return startedUp_; }

    // pctBoard_MouseDown, in board units: the way of the mouse and the keys alike.
    void BoardPress(int button, double x, double y);

    // Handlers of the controls.
    void pctNew_Click();
    void pctUndo_Click();
    void pctHelp_Click();
    void pctHelpText_Click();
    void pctEvents_Click();
    void pctOk_Click();
    void pctRowShiftsSelection_Click();
    void pctColumnShiftsSelection_Click();
    void pctMinesSelection_Click();
    void pctFlashSelection_Click();
    void pctPlayers_Click();
    void pctSound_Click();
    void pctSet_Click();
    void pctGameOver_Click();
    void pctHighScores_Click();
    void pctReset_Click();
    void pctHighScore_KeyPress(int code);
    void pctMinimizeIcon_Click();
    void pctStatistics_Click();        // the statistics from the table
    void pctStatisticsScreen_Click();  // back to where they were opened from
    void pctDealEntry_KeyPress(int code);
    void pctDealEntry_Click();  // leaves the entry, as Escape does

    // The keys' own ways in, from the main screen: the deal again from its start, ask
    // for a deal, and see the statistics.
    void ReplayDeal();
    void AskForDeal();
    void ShowStatistics();

    // The window's state, open to the tests as the form's variables are to its code.
    Random random;      // seeded once from the clock: fresh deals and the fireworks
    Random dealRandom;  // the rules' draws, restarted from every deal's number
    Settings settings;
    Statistics statistics;
    bool statisticsSaveable = true;  // false while a damaged file could not be set aside
    Graphics graphics;
    PieceNames pieceNames;  // the current set's, for what a reader is told
    Game game;
    NameEntry nameEntry;
    int NewEntryRow = 0;
    int LineRead = 1;  // the line of the list in view that Up and Down read (read_lists.h)
    BoardCursor boardCursor;
    BoardCursor boardPointer;  // the cell under the mouse pointer, shown while it is on one
    int PointedGroup = 0;      // the size of the group whose worth is shown, 0 for none
    bool BoardDealt = false;   // a board has been dealt since start-up
    QTimer Timer1;

    // The controls, named as the layout names them.
    PictureBox* pctQuabe;
    PictureBox* pctMinimizeIcon;
    PictureBox* pctExitIcon;
    PictureBox* imgScore[kScoreCells];
    PictureBox* pctOk;
    PictureBox* pctGameOver;
    PictureBox* pctReset;
    PictureBox* pctNew;
    PictureBox* pctSound;
    PictureBox* pctUndo;
    PictureBox* pctHighScores;
    PictureBox* pctSet;
    PictureBox* pctPlayers;
    PictureBox* pctEvents;
    PictureBox* pctHelp;
    PictureBox* pctExit;
    DrawingBox* pctBoard;
    DrawingBox* pctHighScore;
    PictureBox* pctRowShiftsSelection;
    PictureBox* pctRowShifts;
    PictureBox* pctColumnShiftsSelection;
    PictureBox* pctColumnShifts;
    PictureBox* pctMinesSelection;
    PictureBox* pctMines;
    PictureBox* pctFlashSelection;
    PictureBox* pctFlash;
    PictureBox* pctAboutText;
    PictureBox* pctVersion[3];
    PictureBox* pctHelpText;
    PictureBox* pctYes;
    PictureBox* pctNo;
    PictureBox* pctFire;
    PictureBox* pctMine;
    PictureBox* pctDeal;
    PictureBox* pctStatistics;
    // Made when first shown: most games never need them.
    DealEntry* pctDealEntry = nullptr;
    StatisticsScreen* pctStatisticsScreen = nullptr;

    // The guides: what the game explains of itself.
    PictureBox* pctGroupWorth;  // the pointed group's size over "=" and its points
    PictureBox* pctRowMark[2];  // whose each score row is: the player's, the computer's
    PictureBox* pctEventMarks;  // in the free slot beside Events: the events that are on
    PictureBox* pctStartHint;   // on the empty board until the first deal
    PictureBox* pctBoardCleared;
    PictureBox* pctWinner;  // under GAME OVER in a two-player game
    PictureBox* pctClickToGoOn;
    PictureBox* pctRowShiftsNote;  // one line under each switch of the options screen
    PictureBox* pctColumnShiftsNote;
    PictureBox* pctMinesNote;
    PictureBox* pctFlashNote;
    PictureBox* pctNextBoardNote;
    // The how-to-play page and the about screen's way to it, made when first wanted.
    PictureBox* pctHowToPlay = nullptr;
    PictureBox* pctHowToPlayLink = nullptr;
    BoardOverlay* boardOverlay;  // the cursor's frame and the pointed group's outline

    Celebration* celebration() { return celebration_.get(); }
    CuePlayer* cues() { return cues_.get(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;  // Form_MouseDown: drags the window
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // Form_Unload
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // every event of the program

  private:
    PictureBox* Place(PictureBox::Kind kind, const char* picture, QRect at, bool shown, bool hand,
                      const char* tooltip = nullptr);
    void CreateControls();
    void ConnectControls();
    void FormResize();
    void ShowOptionPictures();
    void CreateGuides();
    void ShowGameOverDisplay();
    void HideAboutScreen();
    void ShowHowToPlayLink(int top);
    void ShowRowMarks();
    bool DroppedWhileTheLastPositionShows(QObject* watched, QEvent* event) const;
    void CentreOnScreen();
    void AfterFirstPaint();
    void PrepareSound();
    void OpenStatistics();
    void TakeTally();
    bool KeepStatistics();

    bool painted_ = false;  // the first paint is done
    bool startedUp_ = false;
    bool exiting_ = false;
    bool hourglass_ = false;
    // Where the statistics were opened: over the table, with or without Reset, or the main screen.
    bool statisticsOverTable_ = false;
    bool resetUnderStatistics_ = false;
    BusyClock busy_;
    // The finished board stays in view a moment before the game-over display.
    QTimer lastPosition_;
    QTimer boardCleared_;
    QRegion outlined_;  // the frames on the board as last painted
    // The drag of the bare window: the button that started it, where the window
    // lies from the pointer, and whether the window manager has taken it over.
    Qt::MouseButton dragButton_ = Qt::NoButton;
    QPoint dragOffset_;
    bool dragHandedOver_ = false;
    std::unique_ptr<CuePlayer> cues_;
    std::unique_ptr<ImageLineSink> boardLines_;
    std::unique_ptr<TablePainter> tablePainter_;
    std::unique_ptr<Celebration> celebration_;
    std::unique_ptr<BoardPointer> boardPointer_;
    std::unique_ptr<Keyboard> keyboard_;  // last, so first to go: it watches every control
};

}  // namespace quabe
