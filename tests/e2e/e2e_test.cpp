// The game as a player meets it: the real executable on a real X server, driven
// by real input, judged by what the screen shows and what the store keeps.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include "desktop.h"
#include "model.h"

using namespace e2e;

namespace {

// Side-panel controls, window pixels.
constexpr QPoint kNew{580, 233}, kSound{630, 233}, kUndo{580, 273}, kHighScores{630, 273};
constexpr QPoint kSet{580, 313}, kPlayers{630, 313}, kEvents{580, 353}, kHelp{580, 393};
constexpr QPoint kExit{630, 393}, kOk{630, 132}, kGameOver{590, 144}, kStartHint{81, 213};

QImage Picture(const QString& name) { return QImage(":/pictures/" + name); }

void Press(GameProcess& game, QPoint control) { game.Click(control.x() + 16, control.y() + 16); }

bool Shows(const QImage& window, const QString& picture, QPoint at, double scale = 1.0) {
    return ShowsPicture(window, Picture(picture), at.x(), at.y(), scale);
}

// Reads a six-digit score; -1 when a cell shows no digit. The cells overlap by two
// pixels, so only their middle columns are compared.
int ReadScore(const QImage& window, int y) {
    int value = 0;
    for (int cell = 5; cell >= 0; --cell) {
        int x = 660 - 20 * cell;
        int digit = -1;
        for (int d = 0; d <= 9 && digit < 0; ++d) {
            QImage middle = Picture(QString("imgDigit%1.gif").arg(d)).copy(3, 0, 16, 28);
            if (ShowsPicture(window, middle, x + 3, y)) digit = d;
        }
        if (digit < 0) return -1;
        value = value * 10 + digit;
    }
    return value;
}

bool FullBoard(const BoardGrid& board) {
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 15; ++c)
            if (board[r][c] < 1 || board[r][c] > 6) return false;
    return true;
}

// A cell of some group of two or more; the smallest group, so that games end soon.
bool FindGroupCell(Model& model, int& row, int& col) {
    int best = 1000;
    for (int c = 1; c <= 15; ++c)
        for (int r = 1; r <= 10; ++r) {
            int size = model.game.GroupSize(r, c);
            if (size >= 2 && size < best) best = size, row = r, col = c;
        }
    return best < 1000;
}

int PieceCount(const BoardGrid& board) {
    int count = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 15; ++c) count += board[r][c] > 0;
    return count;
}

// After a move the window either settles or turns into the game-over display,
// whose fireworks never settle.
QImage SettleOrGameOver(GameProcess& game, const QImage& before) {
    WaitUntil([&] { return game.Window() != before; });
    QImage last = game.Window();
    int quiet = 0;
    WaitUntil([&] {
        QImage now = game.Window();
        if (Shows(now, "pctGameOver.gif", kGameOver)) {
            last = now;
            return true;
        }
        quiet = now == last ? quiet + 1 : 0;
        last = now;
        return quiet >= 10;
    }, 20000);
    return last;
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        program_ = BuildFolder() + "/quabe-pro";
    }
    std::unique_ptr<GameProcess> Launch(const QStringList& env = {}) {
        auto game = std::make_unique<GameProcess>(program_, config_.path(), env);
        EXPECT_TRUE(game->Start()) << "the game's window did not appear";
        return game;
    }
    QString StorePath() const { return config_.path() + "/Quabe Pro/Quabe Pro.conf"; }
    QVariant Stored(const QString& key) const {
        QSettings store(StorePath(), QSettings::IniFormat);
        return store.value("Settings/" + key);
    }
    QImage StartGame(GameProcess& game) {
        QImage before = game.Window();
        Press(game, kNew);
        return game.WaitForChange(before);
    }

    QTemporaryDir config_;
    QString program_;
};

TEST_F(EndToEnd, FirstRunShowsTheMainScreenCentredAndEmpty) {
    auto game = Launch();
    QImage window = game->Window();
    QSize screen = GrabScreen().size();
    EXPECT_EQ(game->Origin(), QPoint((screen.width() - 690) / 2, (screen.height() - 458) / 2));
    EXPECT_TRUE(Shows(window, "pctQuabe.gif", {208, 16}));
    EXPECT_TRUE(Shows(window, "pctNew.gif", kNew));
    EXPECT_TRUE(Shows(window, "pctSoundOff.gif", kSound)) << "a first run starts silent";
    EXPECT_TRUE(Shows(window, "pct1Player.gif", kPlayers));
    EXPECT_TRUE(Shows(window, "pctExit.gif", kExit));
    EXPECT_TRUE(Shows(window, "pctHelp.gif", kHelp));
    // No board is dealt: empty cells all round the hint to deal one.
    EXPECT_TRUE(Shows(window, "pctStartHint.gif", kStartHint));
    const QRect hint(kStartHint, Picture("pctStartHint.gif").size());
    BoardGrid board = BoardReader(BuildFolder() + "/Set1").Read(window);
    for (int r = 1; r <= 10; ++r) {
        for (int c = 1; c <= 15; ++c) {
            if (!hint.intersects({12 + 36 * (c - 1), 82 + 36 * (r - 1), 32, 32})) {
                EXPECT_EQ(board[r][c], 0) << r << "," << c;
            }
        }
    }
    EXPECT_EQ(ReadScore(window, 84), -1) << "no digits before the first game";
}

TEST_F(EndToEnd, NewDealsAFullBoardAndAMoveFollowsTheRules) {
    auto game = Launch();
    BoardReader reader(BuildFolder() + "/Set1");
    ASSERT_TRUE(reader.Loaded());
    QImage window = StartGame(*game);
    BoardGrid before = reader.Read(window);
    ASSERT_TRUE(FullBoard(before));
    EXPECT_EQ(ReadScore(window, 84), 0);

    Model model;
    model.Load(before);
    int row = 0, col = 0;
    ASSERT_TRUE(FindGroupCell(model, row, col));
    int size = model.game.GroupSize(row, col);
    ASSERT_TRUE(model.game.MakeMove(row, col, false));

    game->ClickCell(row, col);
    window = game->WaitForChange(window);
    EXPECT_EQ(reader.Read(window), model.Board());
    EXPECT_EQ(ReadScore(window, 84), size * (size - 1) + 2);

    // Undo brings back the dealt board and a score of zero.
    Press(*game, kUndo);
    window = game->WaitForChange(window);
    EXPECT_EQ(reader.Read(window), before);
    EXPECT_EQ(ReadScore(window, 84), 0);

    // A right press only shows the group: after its blinks the board is unchanged.
    game->ClickCell(row, col, 3);
    QImage after = game->WaitForSettle();
    EXPECT_EQ(reader.Read(after), before);
    EXPECT_EQ(ReadScore(after, 84), 0);
}

TEST_F(EndToEnd, TheComputerRepliesInATwoPlayerGame) {
    auto game = Launch();
    BoardReader reader(BuildFolder() + "/Set1");
    QImage window = game->Window();
    Press(*game, kPlayers);
    window = game->WaitForChange(window);
    EXPECT_TRUE(Shows(window, "pct2Player.gif", kPlayers));
    window = StartGame(*game);
    BoardGrid dealt = reader.Read(window);
    ASSERT_TRUE(FullBoard(dealt));
    EXPECT_EQ(ReadScore(window, 110), 0) << "the second score shows in a two-player game";

    Model model;
    model.game.TwoPlayers = true;
    model.Load(dealt);
    int row = 0, col = 0;
    ASSERT_TRUE(FindGroupCell(model, row, col));
    model.game.BoardMouseDown(1, (col - 1) * 540 + 240, (row - 1) * 540 + 240);

    game->ClickCell(row, col);
    window = game->WaitForChange(window, 20000);
    EXPECT_EQ(reader.Read(window), model.Board());
    EXPECT_EQ(ReadScore(window, 84), model.game.Score1);
    EXPECT_EQ(ReadScore(window, 110), model.game.Score2);
    EXPECT_GT(model.game.Score2, 0);
}

TEST_F(EndToEnd, APressMadeDuringABlinkIsDropped) {
    QDir().mkpath(config_.path() + "/Quabe Pro");
    {
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue("Settings/Flash", 1);
    }
    auto game = Launch();
    BoardReader reader(BuildFolder() + "/Set1");
    QImage window = StartGame(*game);
    Model model;
    model.Load(reader.Read(window));
    int row = 0, col = 0, next = 0, nextCol = 0;
    ASSERT_TRUE(FindGroupCell(model, row, col));
    model.game.MakeMove(row, col, false);
    // A group on the board the first move leaves, so a second move would show.
    ASSERT_TRUE(FindGroupCell(model, next, nextCol));

    game->ClickCell(row, col);
    QThread::msleep(350);  // the first group blinks for 1.2 seconds
    game->ClickCell(next, nextCol);
    window = game->WaitForSettle();
    EXPECT_EQ(reader.Read(window), model.Board()) << "exactly the first removal";
}

TEST_F(EndToEnd, OptionsScreenTogglesAndReturns) {
    auto game = Launch();
    QImage window = game->Window();
    Press(*game, kEvents);
    window = game->WaitForChange(window);
    EXPECT_TRUE(Shows(window, "pctNo.gif", {210, 150}));
    EXPECT_TRUE(Shows(window, "pctRowShifts.gif", {266, 150}));
    EXPECT_TRUE(Shows(window, "pctRowShiftsNote.gif", {269, 179}));
    EXPECT_TRUE(Shows(window, "pctOk.gif", kOk));
    EXPECT_FALSE(Shows(window, "pctNew.gif", kNew)) << "the side panel hides";

    game->Click(215, 154);  // Row Shifts on
    window = game->WaitForChange(window);
    game->Click(215, 204);  // Column Shifts on switches Row Shifts off
    window = game->WaitForChange(window);
    EXPECT_TRUE(Shows(window, "pctNo.gif", {210, 150}));
    EXPECT_TRUE(Shows(window, "pctYes.gif", {210, 200}));
    game->Click(215, 254);  // Mines on
    window = game->WaitForChange(window);

    Press(*game, kOk);
    window = game->WaitForChange(window);
    EXPECT_TRUE(Shows(window, "pctNew.gif", kNew));
    Press(*game, kExit);
    EXPECT_EQ(game->WaitForExit(), 0);
    EXPECT_EQ(Stored("RowShifts").toString(), "0");
    EXPECT_EQ(Stored("ColumnShifts").toString(), "1");
    EXPECT_EQ(Stored("Mines").toString(), "1");
}

TEST_F(EndToEnd, AGamePlayedToTheEndEntersTheTable) {
    auto game = Launch();
    BoardReader reader(BuildFolder() + "/Set1");
    QImage window = StartGame(*game);
    Model model;
    model.Load(reader.Read(window));
    for (int moves = 1; !Shows(window, "pctGameOver.gif", kGameOver); ++moves) {
        ASSERT_LT(moves, 400) << "the game should have ended";
        int row = 0, col = 0;
        ASSERT_TRUE(FindGroupCell(model, row, col)) << "no move left, yet no game over";
        bool clears = model.game.GroupSize(row, col) == PieceCount(model.Board());
        model.game.MakeMove(row, col, false);
        QImage before = game->Window();
        game->ClickCell(row, col);
        window = SettleOrGameOver(*game, before);
        if (!model.game.GameActive) {
            // The position that ended the game stays in view before GAME OVER.
            bool seen = reader.Read(window) == model.Board();
            ASSERT_TRUE(WaitUntil([&] {
                const QImage now = game->Window();
                seen = seen || reader.Read(now) == model.Board();
                return Shows(now, "pctGameOver.gif", kGameOver);
            }));
            EXPECT_TRUE(seen) << "the last position";
            break;
        }
        if (clears) {  // the fresh board shows whole once the moment of the clear is over
            ASSERT_TRUE(WaitUntil([&] { return FullBoard(reader.Read(game->Window())); }));
            window = game->Window();
        }
        BoardGrid shown = reader.Read(window);
        if (!clears) {
            ASSERT_EQ(shown, model.Board()) << "move " << moves << " broke the rules";
        }
        model.Load(shown);
    }
    int score = model.game.Score1;
    game->Click(kGameOver.x() + 30, kGameOver.y() + 20);
    ASSERT_TRUE(WaitUntil([&] { return Shows(game->Window(), "pctOk.gif", kOk); }));
    game->Type("e2e");
    game->Key("Return");
    window = game->WaitForSettle();
    Press(*game, kOk);
    window = game->WaitForChange(window);
    EXPECT_TRUE(Shows(window, "pctNew.gif", kNew));
    Press(*game, kExit);
    EXPECT_EQ(game->WaitForExit(), 0);
    EXPECT_EQ(Stored("HighScoreName1").toString(), "E2E");
    EXPECT_EQ(Stored("HighScore1").toString(), QString::number(score));
}

// The window takes the keyboard as it shows: a move, Undo, a toggle and leaving,
// all typed.
TEST_F(EndToEnd, TheKeyboardAlonePlaysAMoveUndoesItAndLeaves) {
    auto game = Launch();
    BoardReader reader(BuildFolder() + "/Set1");
    QImage window = game->Window();
    game->Key("ctrl+n");
    window = game->WaitForChange(window);
    BoardGrid dealt = reader.Read(window);
    ASSERT_TRUE(FullBoard(dealt));

    Model model;
    model.Load(dealt);
    int row = 0, col = 0;
    ASSERT_TRUE(FindGroupCell(model, row, col));
    int size = model.game.GroupSize(row, col);
    model.game.MakeMove(row, col, false);
    // The first arrow shows the cursor bottom left; the others walk it to the group.
    QStringList keys{"key", "--delay", "30", "Up"};
    for (int r = 10; r > row; --r) keys << "Up";
    for (int c = 1; c < col; ++c) keys << "Right";
    XDo(keys << "Return");
    EXPECT_TRUE(WaitUntil([&] { return reader.Read(game->Window()) == model.Board(); }))
        << "the group under the cursor went, as a click on it takes it";
    EXPECT_TRUE(WaitUntil([&] { return ReadScore(game->Window(), 84) == size * (size - 1) + 2; }));

    game->Key("ctrl+z");
    EXPECT_TRUE(WaitUntil([&] { return reader.Read(game->Window()) == dealt; }));

    XDo({"key", "--delay", "30", "Tab", "Tab", "space"});  // the board, New, then Sound
    EXPECT_TRUE(WaitUntil([&] { return Shows(game->Window(), "pctSoundOn.gif", kSound); }));
    game->Key("ctrl+q");
    EXPECT_EQ(game->WaitForExit(), 0);
    EXPECT_EQ(Stored("Sound").toString(), "1");
}

TEST_F(EndToEnd, TheCloseCommandAndSigtermSaveTheOptions) {
    {
        auto game = Launch();
        QImage window = game->Window();
        Press(*game, kSound);
        window = game->WaitForChange(window);
        EXPECT_TRUE(Shows(window, "pctSoundOn.gif", kSound));
        ASSERT_TRUE(RequestClose(game->WindowId()));
        EXPECT_EQ(game->WaitForExit(), 0);
        EXPECT_EQ(Stored("Sound").toString(), "1");
    }
    {
        auto game = Launch();
        QImage window = game->Window();
        EXPECT_TRUE(Shows(window, "pctSoundOn.gif", kSound)) << "sound stays on after a restart";
        Press(*game, kPlayers);
        game->WaitForChange(window);
        ::kill(static_cast<pid_t>(game->Pid()), SIGTERM);
        EXPECT_EQ(game->WaitForExit(), 0);
        EXPECT_EQ(Stored("Players").toString(), "2");
        EXPECT_EQ(Stored("Sound").toString(), "1");
    }
}

TEST_F(EndToEnd, ACorruptStoreDoesNotStopTheGame) {
    QDir().mkpath(config_.path() + "/Quabe Pro");
    QFile store(StorePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write("\x01\xff[Settings\nSet=banana\nPlayers=\nHighScore1=99999999999999\n\xfe\x00junk", 64);
    store.close();
    auto game = Launch();
    QImage window = StartGame(*game);
    EXPECT_TRUE(FullBoard(BoardReader(BuildFolder() + "/Set1").Read(window)));
    Press(*game, kExit);
    EXPECT_EQ(game->WaitForExit(), 0);
    EXPECT_EQ(Stored("Set").toString(), "1");
}

TEST_F(EndToEnd, ABrokenPieceSetFallsBack) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString from = BuildFolder();
    ASSERT_TRUE(QFile::copy(from + "/quabe-pro", folder.path() + "/quabe-pro"));
    for (const char* wave : {"Bleep.wav", "Explode.wav", "Bazooka.wav"})
        QFile::copy(from + "/" + wave, folder.path() + "/" + wave);
    for (const char* set : {"Set1", "Set2"}) {
        QDir().mkpath(folder.path() + "/" + set);
        for (const QString& file : QDir(from + "/" + set).entryList(QDir::Files))
            QFile::copy(from + "/" + set + "/" + file, folder.path() + "/" + set + "/" + file);
    }
    QFile broken(folder.path() + "/Set2/Piece3.gif");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("GIF89a broken");
    broken.close();
    QDir().mkpath(config_.path() + "/Quabe Pro");
    {
        QSettings store(StorePath(), QSettings::IniFormat);
        store.setValue("Settings/Set", 2);
    }
    GameProcess game(folder.path() + "/quabe-pro", config_.path());
    ASSERT_TRUE(game.Start());
    QImage before = game.Window();
    Press(game, kNew);
    QImage window = game.WaitForChange(before);
    EXPECT_TRUE(FullBoard(BoardReader(folder.path() + "/Set1").Read(window)))
        << "set 2 is broken, so set 1 is used";
    Press(game, kExit);
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(Stored("Set").toString(), "1") << "the set in use is stored";
}

TEST_F(EndToEnd, PicturesStaySharpAtTwiceTheDensity) {
    auto game = Launch({"QT_SCALE_FACTOR=2"});
    game->SetScale(2.0);
    QImage window = game->Window();
    EXPECT_TRUE(Shows(window, "pctNew.gif", kNew, 2.0));
    BoardReader reader(BuildFolder() + "/Set1", 2.0);
    Press(*game, kNew);
    window = game->WaitForChange(window);
    BoardGrid dealt = reader.Read(window);
    ASSERT_TRUE(FullBoard(dealt)) << "every piece drawn pixel for pixel at twice the size";
    Model model;
    model.Load(dealt);
    int row = 0, col = 0;
    ASSERT_TRUE(FindGroupCell(model, row, col));
    model.game.MakeMove(row, col, false);
    game->ClickCell(row, col);
    window = game->WaitForChange(window);
    EXPECT_EQ(reader.Read(window), model.Board()) << "clicks land on logical cells";
}

QStringList At(QPoint point) { return {QString::number(point.x()), QString::number(point.y())}; }

// Drags the bare window with a button by `by`, in small steps as a hand does.
void DragWindow(GameProcess& game, int button, QPoint by) {
    const QPoint from = game.Where() + QPoint(4, 4);  // the frame's bar is bare
    XDo(QStringList{"mousemove"} + At(from));
    QThread::msleep(150);
    XDo({"mousedown", QString::number(button)});
    for (int step = 1; step <= 5; ++step) {
        QThread::msleep(60);
        XDo(QStringList{"mousemove"} + At(from + by * step / 5));
    }
    QThread::msleep(200);
    XDo({"mouseup", QString::number(button)});
}

// Whether the window stays put while the pointer wanders with no button held.
bool StaysPut(GameProcess& game) {
    const QPoint before = game.Where();
    XDo({"mousemove_relative", "50", "30"});
    QThread::msleep(400);
    return game.Where() == before;
}

TEST_F(EndToEnd, UnderAWindowManagerEveryButtonDragsTheBareWindowUntilReleased) {
    WindowManager manager;
    ASSERT_TRUE(manager.Managing()) << "openbox did not start";
    auto game = Launch();
    for (int button : {1, 3, 2}) {
        SCOPED_TRACE(button);
        const QPoint start = game->Where();
        DragWindow(*game, button, {60, 40});
        EXPECT_TRUE(WaitUntil([&] { return game->Where() == start + QPoint(60, 40); }, 3000))
            << "the window follows the pointer";
        EXPECT_TRUE(StaysPut(*game)) << "the drag ends at the release";
    }
    // A press, a motion and a release with no time between them, and a press and
    // release alone: the window goes where the pointer let go, and no further.
    for (int button : {1, 3}) {
        for (QPoint by : {QPoint(16, 12), QPoint(0, 0)}) {
            SCOPED_TRACE(testing::Message() << button << " by " << by.x());
            const QPoint start = game->Where();
            const QString name = QString::number(button);
            XDo(QStringList{"mousemove"} + At(start + QPoint(4, 4)) +
                QStringList{"mousedown", name} + QStringList{"mousemove"} +
                At(start + QPoint(4, 4) + by) + QStringList{"mouseup", name});
            EXPECT_TRUE(WaitUntil([&] { return game->Where() == start + by; }, 3000));
            EXPECT_TRUE(StaysPut(*game));
        }
    }

    // Minimise and restore through the window manager, then close.
    game->Relocate();
    game->Click(646, 22);
    EXPECT_TRUE(WaitUntil([&] { return !Viewable(game->WindowId()); }));
    XDo({"windowactivate", QString::number(game->WindowId())});
    EXPECT_TRUE(WaitUntil([&] { return Viewable(game->WindowId()); }));
    game->Relocate();
    EXPECT_TRUE(Shows(game->WaitForSettle(), "pctNew.gif", kNew));
    ASSERT_TRUE(RequestClose(game->WindowId()));
    EXPECT_EQ(game->WaitForExit(), 0);
}

TEST_F(EndToEnd, AWindowLargerThanTheScreenKeepsItsCornerOnIt) {
    // At three times the density the 1600 x 1200 screen is 533 x 400 window pixels.
    auto game = Launch({"QT_SCALE_FACTOR=3"});
    EXPECT_EQ(game->Origin(), QPoint(0, 0));
}

TEST_F(EndToEnd, InstalledGameFindsItsSetsAndSounds) {
    QString installed = qEnvironmentVariable("QUABE_INSTALLED_PROGRAM");
    if (installed.isEmpty()) GTEST_SKIP() << "run by the install test";
    GameProcess game(installed, config_.path());
    ASSERT_TRUE(game.Start());
    QImage before = game.Window();
    Press(game, kNew);
    QImage window = game.WaitForChange(before);
    QString data = QFileInfo(installed).dir().absoluteFilePath("../share/quabe-pro/Set1");
    EXPECT_TRUE(FullBoard(BoardReader(data).Read(window)));
    Press(game, kExit);
    EXPECT_EQ(game.WaitForExit(), 0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("QT_SCALE_FACTOR");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
