// frmMain: start-up, the layout of the controls, window handling and leaving.
#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <utility>

#include "accessibility.h"
#include "board_pointer.h"
#include "keyboard.h"
#include "piece_sets.h"
#include "sound.h"
#include "spoken_words.h"
#include "system_move.h"
#include "table_painter.h"

namespace quabe {

namespace {

using Kind = PictureBox::Kind;
constexpr bool kShown = true, kHidden = false;
constexpr bool kHand = true, kArrow = false;

constexpr int kLastPositionMs = 1000;  // the finished board in view before GAME OVER

// The options screen, a row for each event: its switch, its name beside it and a
// line of what it does under both, clear of the focus ring round the switch.
constexpr int kOptionTop = 150, kOptionStep = 50;
constexpr int kOptionLabelX = 266, kOptionNoteX = 269, kOptionNoteBelow = 29;

QRect OptionRow(int row, int x, QSize size, int below = 0) {
    return {QPoint(x, kOptionTop + row * kOptionStep + below), size};
}

uint64_t ClockSeed() {
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace

QString StatisticsLocation() {
    const QString folder = PlayersSetFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("statistics.txt"));
}

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), game(*this) {
    setWindowTitle(QStringLiteral("Quabe Plus"));
    setWindowIcon(graphics.Icon);
    setFixedSize(kWindowWidth, kWindowHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallAccessibility();

    CreateControls();
    ConnectControls();
    settings = LoadSettings();
    const LoadedStatistics loaded = LoadStatistics(StatisticsLocation());
    statistics = loaded.statistics;
    statisticsSaveable = loaded.saveable;
    if (!loaded.setAside.isEmpty() || !loaded.saveable) {
        const QString kept = loaded.saveable ? "it is kept as " + loaded.setAside
                                             : QStringLiteral("it is left there untouched");
        qWarning("Quabe Pro: the statistics file %s was damaged; %s and counting starts afresh",
                 qPrintable(StatisticsLocation()), qPrintable(kept));
    }

    // The board rectangle from the marker lines: left, top, width, height.
    pctBoard->setGeometry(kLeftLineX1 / 15, kTopLineY1 / 15, (kRightLineX1 - kLeftLineX1) / 15,
                          (kBottomLineY1 - kTopLineY1) / 15);
    pctBoard->SetImageSize(pctBoard->size());
    CreateGuides();
    ShowOptionPictures();
    random.Seed(ClockSeed());

    cues_ = std::make_unique<CuePlayer>(ProgramFolder());
    // The fireworks run on a timer, so their lines show as each frame returns.
    boardLines_ =
        std::make_unique<ImageLineSink>(&pctBoard->Image(), [this] { pctBoard->update(); });
    tablePainter_ = std::make_unique<TablePainter>(*pctHighScore, graphics);
    celebration_ = std::make_unique<Celebration>(
        *boardLines_, [this] { return random.Rnd(); }, pctBoard->width() * 15.0,
        pctBoard->height() * 15.0);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, [this] {
        if (exiting_) return;
        const int32_t intervals[2] = {game.ShiftInterval[0], game.ShiftInterval[1]};
        const int64_t clock = game.ShiftClock;
        busy_.WorkBegan();
        game.TimerTick();
        busy_.WorkEnded();
        // A shift restarts the shift clock and draws its kind's next interval.
        if (game.ShiftClock != clock) {
            for (int kind = 0; kind < 2; ++kind)
                if (game.ShiftInterval[kind] != intervals[kind])
                    AnnounceAtCursor(*this, ShiftWords(kind));
        }
    });
    Timer1.start();
    lastPosition_.setSingleShot(true);
    lastPosition_.setInterval(kLastPositionMs);
    connect(&lastPosition_, &QTimer::timeout, this, &MainWindow::ShowGameOverDisplay);
    CentreOnScreen();
    keyboard_ = std::make_unique<Keyboard>(*this);
}

// Nothing of the game may run while the window comes apart: the audio sink
// handles events as it closes.
MainWindow::~MainWindow() {
    exiting_ = true;
    Timer1.stop();
    lastPosition_.stop();
    celebration_->Stop();
    setEnabled(false);
    cues_.reset();
}

PictureBox* MainWindow::Place(Kind kind, const char* picture, QRect at, bool shown, bool hand,
                              const char* tooltip) {
    auto* box = new PictureBox(this, kind);
    box->setGeometry(at);
    if (picture && shown) box->SetPicture(LoadPicture(QLatin1String(picture), at.size()));
    if (picture && !shown) box->SetPictureSource(QLatin1String(picture), at.size());
    box->setVisible(shown);
    if (hand) box->setCursor(graphics.Hand);
    if (tooltip) box->setToolTip(QLatin1String(tooltip));
    return box;
}

// The controls in the order of the layout; later ones lie above earlier ones,
// so the table sits over the board.
void MainWindow::CreateControls() {
    pctQuabe = Place(Kind::FitsPicture, "pctQuabe.gif", {208, 16, 204, 47}, kShown, kArrow);
    pctMinimizeIcon =
        Place(Kind::FitsPicture, "pctMinimizeIcon.gif", {636, 12, 20, 20}, kShown, kHand);
    pctExitIcon = Place(Kind::FitsPicture, "pctExitIcon.gif", {658, 12, 20, 20}, kShown, kHand);
    for (int k = 0; k < kScoreCells; ++k) {
        const QRect at(660 - 20 * (k % 6), k < 6 ? 84 : 110, 20, 28);
        imgScore[k] = Place(Kind::Image, nullptr, at, kShown, kArrow);
    }
    pctOk = Place(Kind::FitsPicture, "pctOk.gif", {630, 132, 32, 32}, kHidden, kHand, "Ok");
    pctGameOver = Place(Kind::FitsPicture, "pctGameOver.gif", {590, 144, 73, 42}, kHidden, kHand);
    pctReset =
        Place(Kind::FitsPicture, "pctReset.gif", {630, 168, 32, 32}, kHidden, kHand, "Reset");
    pctNew = Place(Kind::FitsPicture, "pctNew.gif", {580, 233, 32, 32}, kShown, kHand, "New");
    pctSound = Place(Kind::FitsPicture, nullptr, {630, 233, 32, 32}, kShown, kHand, "Sound On/Off");
    pctUndo = Place(Kind::FitsPicture, "pctUndo.gif", {580, 273, 32, 32}, kShown, kHand, "Undo");
    pctHighScores = Place(Kind::FitsPicture, "pctHighScores.gif", {630, 273, 32, 32}, kShown, kHand,
                          "High Scores");
    pctSet = Place(Kind::FitsPicture, "pctSet.gif", {580, 313, 32, 32}, kShown, kHand, "Game Set");
    pctPlayers =
        Place(Kind::FitsPicture, nullptr, {630, 313, 32, 32}, kShown, kHand, "1 or 2 Players");
    pctEvents = Place(Kind::FitsPicture, "pctEvents.gif", {580, 353, 32, 32}, kShown, kHand,
                      "Events/Options");
    pctHelp = Place(Kind::FitsPicture, "pctHelp.gif", {580, 393, 32, 32}, kShown, kHand, "Help");
    pctExit = Place(Kind::FitsPicture, "pctExit.gif", {630, 393, 32, 32}, kShown, kHand, "Exit");

    pctBoard = new DrawingBox(this, QSize(32, 32));
    pctBoard->setCursor(graphics.Hand);
    pctHighScore = new DrawingBox(this, QSize(69, 37));
    pctHighScore->move(434, 32);
    pctHighScore->setFocusPolicy(Qt::ClickFocus);
    pctHighScore->hide();

    const QSize toggle(38, 25);
    pctRowShiftsSelection =
        Place(Kind::FitsPicture, nullptr, OptionRow(0, 210, toggle), kHidden, kHand);
    pctRowShifts = Place(Kind::FitsPicture, "pctRowShifts.gif",
                         OptionRow(0, kOptionLabelX, {171, 27}), kHidden, kArrow);
    pctColumnShiftsSelection =
        Place(Kind::FitsPicture, nullptr, OptionRow(1, 210, toggle), kHidden, kHand);
    pctColumnShifts = Place(Kind::FitsPicture, "pctColumnShifts.gif",
                            OptionRow(1, kOptionLabelX, {171, 30}, -2), kHidden, kArrow);
    pctMinesSelection =
        Place(Kind::FitsPicture, nullptr, OptionRow(2, 210, toggle), kHidden, kHand);
    pctMines = Place(Kind::FitsPicture, "pctMines.gif", OptionRow(2, kOptionLabelX, {171, 23}),
                     kHidden, kArrow);
    pctFlashSelection =
        Place(Kind::FitsPicture, nullptr, OptionRow(3, 210, toggle), kHidden, kHand);
    pctFlash = Place(Kind::FitsPicture, "pctFlash.gif", OptionRow(3, kOptionLabelX, {163, 22}),
                     kHidden, kArrow);
    const QSize note(276, 14);
    pctRowShiftsNote = Place(Kind::FitsPicture, "pctRowShiftsNote.gif",
                             OptionRow(0, kOptionNoteX, note, kOptionNoteBelow), kHidden, kArrow);
    pctColumnShiftsNote =
        Place(Kind::FitsPicture, "pctColumnShiftsNote.gif",
              OptionRow(1, kOptionNoteX, note, kOptionNoteBelow), kHidden, kArrow);
    pctMinesNote = Place(Kind::FitsPicture, "pctMinesNote.gif",
                         OptionRow(2, kOptionNoteX, note, kOptionNoteBelow), kHidden, kArrow);
    pctFlashNote = Place(Kind::FitsPicture, "pctFlashNote.gif",
                         OptionRow(3, kOptionNoteX, note, kOptionNoteBelow), kHidden, kArrow);
    pctNextBoardNote = Place(Kind::FitsPicture, "pctNextBoardNote.gif",
                             OptionRow(4, 210, {336, 14}, 10), kHidden, kArrow);

    pctAboutText = Place(Kind::Box, "pctAboutText.gif", {150, 396, 165, 41}, kHidden, kHand);
    for (int i = 0; i < 3; ++i) {
        pctVersion[i] =
            Place(Kind::FitsPicture, nullptr, {32 + 24 * i, 106, 21, 23}, kHidden, kArrow);
    }
    pctHelpText = Place(Kind::Box, "pctHelpText.gif", {20, 290, 108, 52}, kHidden, kHand);
    pctYes = Place(Kind::FitsPicture, "pctYes.gif", {244, 296, 50, 25}, kHidden, kArrow);
    pctNo = Place(Kind::FitsPicture, "pctNo.gif", {296, 296, 38, 25}, kHidden, kArrow);
    pctFire = Place(Kind::FitsPicture, "pctFire.gif", {390, 340, 32, 32}, kHidden, kArrow);
    pctMine = Place(Kind::FitsPicture, "pctMine.gif", {434, 342, 32, 32}, kHidden, kArrow);

    // The strip under the side panel's buttons, and the place under Reset.
    pctDeal = Place(Kind::Box, nullptr, {560, 429, 122, 16}, kHidden, kArrow, "Deal number");
    pctStatistics = Place(Kind::FitsPicture, "pctStatistics.gif", {630, 204, 32, 32}, kHidden,
                          kHand, "Statistics");
}

void MainWindow::ConnectControls() {
    auto on = [this](PictureBox* box, void (MainWindow::*handler)()) {
        connect(box, &PictureBox::clicked, this, handler);
    };
    on(pctNew, &MainWindow::pctNew_Click);
    on(pctUndo, &MainWindow::pctUndo_Click);
    on(pctHelp, &MainWindow::pctHelp_Click);
    on(pctAboutText, &MainWindow::pctHelpText_Click);
    on(pctHelpText, &MainWindow::pctHelpText_Click);
    for (PictureBox* digit : pctVersion) on(digit, &MainWindow::pctHelpText_Click);
    on(pctEvents, &MainWindow::pctEvents_Click);
    on(pctOk, &MainWindow::pctOk_Click);
    on(pctRowShiftsSelection, &MainWindow::pctRowShiftsSelection_Click);
    on(pctColumnShiftsSelection, &MainWindow::pctColumnShiftsSelection_Click);
    on(pctMinesSelection, &MainWindow::pctMinesSelection_Click);
    on(pctFlashSelection, &MainWindow::pctFlashSelection_Click);
    on(pctPlayers, &MainWindow::pctPlayers_Click);
    on(pctSound, &MainWindow::pctSound_Click);
    on(pctSet, &MainWindow::pctSet_Click);
    on(pctGameOver, &MainWindow::pctGameOver_Click);
    on(pctHighScores, &MainWindow::pctHighScores_Click);
    on(pctReset, &MainWindow::pctReset_Click);
    on(pctMinimizeIcon, &MainWindow::pctMinimizeIcon_Click);
    on(pctStatistics, &MainWindow::pctStatistics_Click);
    on(pctExit, &MainWindow::ExitGame);
    on(pctExitIcon, &MainWindow::ExitGame);
    connect(pctHighScore, &DrawingBox::keyPressed, this, &MainWindow::pctHighScore_KeyPress);
    connect(pctBoard, &PictureBox::mouseDown, this,
            [this](int button, QPointF at) { BoardPress(button, at.x() * 15, at.y() * 15); });
    QCoreApplication::instance()->installEventFilter(this);
}

// The one way to the board, for the mouse and the keys alike; the span of its
// work is what later presses are judged against.
void MainWindow::BoardPress(int button, double x, double y) {
    if (exiting_) return;
    int row = 0;
    int col = 0;
    const bool onCell = game.CellFromPoint(x, y, row, col);
    const BeforePress before(game, row, col);
    busy_.WorkBegan();
    // The worth of the group pressed goes at once: a move does not return to the
    // event loop before the score has changed.
    if (PointedGroup != 0) {
        PointedGroup = 0;
        pctGroupWorth->hide();
        repaint(pctGroupWorth->geometry());
    }
    const int cleared = game.Tally.BoardsCleared;
    game.BoardMouseDown(button, x, y);
    if (game.Tally.BoardsCleared > cleared && game.GameActive) ShowBoardCleared();
    busy_.WorkEnded();
    if (onCell && button == 1) TellPress(*this, before);
}

bool MainWindow::PressCameDuringWork(const QInputEvent& event) const {
    return busy_.MadeDuringWork(event);
}

// Every input event teaches the busy clock the window system's time; a board
// press made during busy work goes no further.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (DroppedWhileTheLastPositionShows(watched, event)) return true;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress: {
            const auto& input = static_cast<QInputEvent&>(*event);
            busy_.Seen(input);
            if (watched == pctBoard && event->type() != QEvent::KeyPress &&
                PressCameDuringWork(input))
                return true;
            // A press cuts the board-cleared moment short, and then does what it does.
            if (pctBoardCleared->isVisible() && !PressCameDuringWork(input)) EndBoardCleared();
            break;
        }
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            busy_.Seen(static_cast<QInputEvent&>(*event));
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// While the finished board stays in view every press is dropped, but the window
// can still be moved, minimised and left, with the mouse and with Ctrl+Q.
bool MainWindow::DroppedWhileTheLastPositionShows(QObject* watched, QEvent* event) const {
    if (!lastPosition_.isActive() || !watched->isWidgetType()) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return watched != this && watched != pctMinimizeIcon && watched != pctExitIcon;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            const auto& key = static_cast<QKeyEvent&>(*event);
            if (key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Q))
                return false;
            event->accept();  // taken as the focus's own, so no command key fires
            return true;
        }
        default:
            return false;
    }
}

// Centred on the screen's free area. A window larger than the area keeps its
// top-left corner in it rather than hanging over both edges.
void MainWindow::CentreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + std::max(0, (area.width() - width()) / 2),
             area.y() + std::max(0, (area.height() - height()) / 2));
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, graphics.Window);
    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &MainWindow::AfterFirstPaint);
    }
}

// What the first paint need not wait for, and a window already closing needs
// not at all: the larger icons for the desktop, the piece set (the empty board of
// the first screen shows none of it; New reads it again anyway), and the audio
// output made ready for the first cue.
void MainWindow::AfterFirstPaint() {
    if (exiting_) return;
    setWindowIcon(Graphics::AllIconSizes());
    game.BoardColor = LoadPieceSet();
    PrepareSound();
    startedUp_ = true;
}

// A press of any button on the bare window moves it until that button is
// released. Only the left button's drag is handed to the window manager, the
// button it watches for the end of the move; the others, and every drag where
// the desktop cannot move windows, follow the pointer by hand.
void MainWindow::mousePressEvent(QMouseEvent* event) {
    const bool dragging = dragButton_ != Qt::NoButton && !dragHandedOver_;
    if (dragging && (event->buttons() & dragButton_)) return;  // a second button joins in
    dragButton_ = event->button();
    dragOffset_ = event->globalPosition().toPoint() - pos();
    QWindow* window = windowHandle();
    dragHandedOver_ = dragButton_ == Qt::LeftButton && window && window->startSystemMove();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragButton_ == Qt::NoButton || dragHandedOver_) return;
    if (event->buttons() & dragButton_) {
        move(event->globalPosition().toPoint() - dragOffset_);
    } else {
        dragButton_ = Qt::NoButton;  // released where the window did not see it
    }
}

// While the window manager moves the window it holds the pointer, so a release
// seen here came before it took over: its move must not outlive the button, and
// the window goes where the pointer let go.
void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != dragButton_) return;
    if (dragHandedOver_) {
        CancelSystemMove(windowHandle());
        move(event->globalPosition().toPoint() - dragOffset_);
    }
    dragButton_ = Qt::NoButton;
    dragHandedOver_ = false;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormResize();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) FormResize();
}

// On every show and restore: no frame, and the game's own title.
void MainWindow::FormResize() {
    if (isMinimized()) return;
    if (!(windowFlags() & Qt::FramelessWindowHint)) {
        setWindowFlag(Qt::FramelessWindowHint, true);
        show();
    }
    update();
    setWindowTitle(QStringLiteral("Quabe Pro"));
}

void MainWindow::pctMinimizeIcon_Click() {
    showMinimized();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ExitGame();
    event->accept();
}

void MainWindow::ExitGame() {
    if (exiting_) return;
    exiting_ = true;
    SetHourglass(false);
    Timer1.stop();
    lastPosition_.stop();
    celebration_->Stop();
    // Nothing is shown to the player, but a lost save must not pass for a good one.
    const bool saved = SaveSettings(settings);
    if (!saved)
        qWarning("Quabe Pro: the settings could not be saved to %s",
                 qPrintable(SettingsLocation()));
    const bool kept = KeepStatistics();
    QCoreApplication::exit(saved && kept ? 0 : 1);
}

// What the person's play has done since the statistics last took it.
void MainWindow::TakeTally() {
    CountPlay(statistics, std::exchange(game.Tally, {}));
}

// The play so far counted, and the file written in one step.
bool MainWindow::KeepStatistics() {
    TakeTally();
    const bool kept = statisticsSaveable && SaveStatistics(statistics, StatisticsLocation());
    if (!kept)
        qWarning("Quabe Pro: the statistics could not be saved to %s",
                 qPrintable(StatisticsLocation()));
    return kept;
}

}  // namespace quabe
