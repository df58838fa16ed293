// What a screen reader is told, as Qt hands it to the reader's bridge: the focus a
// reader follows, the announcements it speaks whatever has the focus, a toggle's new
// state and the letters of a typed name; and the window's tree as a reader walks it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QRegularExpression>
// Accessibility is on only while a reader listens; the tests listen in the way Qt's
// own do, through the desktop's accessibility, which offers no public switch.
#include <map>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "deals.h"
#include "game/tests/null_platform.h"
#include "shown_window.h"
#include "spoken_words.h"
#include "statistics_screen.h"

namespace quabe::testing {
namespace {

// One event as the bridge gets it: what it is about, described at that moment.
struct Told {
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    QString text;  // inserted or removed text
    QAccessibleInterface* about;
};

// Every event the window sends while it lives, with accessibility on.
class Reader {
  public:
    Reader() {
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&Record);
        Accessibility()->setActive(true);
    }
    ~Reader() {
        Accessibility()->setActive(false);
        QAccessible::installUpdateHandler(previous_);
        current_ = nullptr;
    }

    // The events of `type` since the last look at that type.
    std::vector<Told> Since(QAccessible::Event type) {
        std::vector<Told> found;
        for (size_t i = seen_[type]; i < told_.size(); ++i)
            if (told_[i].type == type) found.push_back(told_[i]);
        seen_[type] = told_.size();
        return found;
    }
    void Forget() {
        for (QAccessible::Event type :
             {QAccessible::Focus, QAccessible::ObjectShow, QAccessible::StateChanged,
              QAccessible::TextInserted, QAccessible::TextRemoved})
            seen_[type] = told_.size();
    }

    // Where the focus went since the last look, each move "name; name": a part of a
    // picture (a cell, a row) that takes the focus with its picture replaces it.
    std::string FocusMoves() {
        QStringList moves;
        QAccessibleInterface* last = nullptr;
        for (const Told& focus : Since(QAccessible::Focus)) {
            if (last && focus.about->parent() == last) moves.removeLast();
            moves.append(focus.name);
            last = focus.about;
        }
        return moves.join("; ").toStdString();
    }

    // The announcements since the last look, "sentence; sentence".
    std::string Announced() {
        QStringList said;
        for (const Told& shown : Since(QAccessible::ObjectShow))
            if (shown.role == QAccessible::Notification) said.append(shown.name);
        return said.join("; ").toStdString();
    }

  private:
    static QPlatformAccessibility* Accessibility() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }

    static void Record(QAccessibleEvent* event) {
        QAccessibleInterface* about = event->accessibleInterface();
        if (!current_ || !about) return;
        QString text;
        if (event->type() == QAccessible::TextInserted)
            text = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
        if (event->type() == QAccessible::TextRemoved)
            text = static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
        current_->told_.push_back(
            {event->type(), about->role(), about->text(QAccessible::Name), text, about});
    }

    static inline Reader* current_ = nullptr;
    QAccessible::UpdateHandler previous_;
    std::vector<Told> told_;
    std::map<QAccessible::Event, size_t> seen_;
};

struct HeardWindow : ShownWindow {
    HeardWindow() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();  // the focus told again to a reader just come
        reader.Forget();
    }
    Reader reader;
};

void Key(MainWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(w.windowHandle(), key, modifiers);
    QCoreApplication::processEvents();  // the focus a picture passes on to its part
}

TEST(Reader, EachArrowFocusesTheCellAndAnEdgeIsAnnounced) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.Announced(),
              "New game, deal " + std::to_string(w.game.DealNumber) + ".");
    LayOutAnL(w);
    w.pieceNames[1] = "green ball";
    w.pieceNames[5] = "";  // a set that names no such kind
    heard.reader.Forget();

    Key(w, Qt::Key_Up);
    EXPECT_EQ(heard.reader.FocusMoves(), "row 10, column 1, green ball, group of 3, 8 points");
    Key(w, Qt::Key_Right);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(heard.reader.FocusMoves(),
              "row 10, column 2, green ball, group of 3, 8 points; "
              "row 9, column 2, piece 5, no group");
    Key(w, Qt::Key_Down);
    heard.reader.Forget();
    Key(w, Qt::Key_Down);
    EXPECT_TRUE(heard.reader.FocusMoves().empty());
    EXPECT_EQ(heard.reader.Announced(), "Bottom edge.");

    // A move is told once, after it: what went, the score, then the cell now there.
    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.Announced(),
              "Removed the green ball group of 3: 8 points, score 8. "
              "row 10, column 2, piece 5, group of 3, 8 points.");
    EXPECT_TRUE(heard.reader.FocusMoves().empty());
}

TEST(Reader, AShiftIsToldWithTheCellUnderTheCursor) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    w.settings.ColumnShifts = true;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    Key(w, Qt::Key_Up);
    heard.reader.Forget();
    w.game.ShiftClock = 1;  // the board's first move was long ago: the shift is due
    w.Timer1.setInterval(1);
    std::string told;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !(told = heard.reader.Announced()).empty(); }));
    EXPECT_EQ(told, "The columns shifted. " +
                        DescribeCell(w.game, w.pieceNames, kRows, 1).toStdString() + ".");
}

TEST(Reader, AToggleTellsItsNewStateByKeyAndByClick) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    QAccessibleInterface* sound = QAccessible::queryAccessibleInterface(w.pctSound);
    EXPECT_EQ(sound->role(), QAccessible::CheckBox);
    EXPECT_EQ(sound->text(QAccessible::Name), "Sound");
    EXPECT_FALSE(sound->state().checked);

    Key(w, Qt::Key_Tab);
    Key(w, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.pctSound);
    heard.reader.Forget();
    Key(w, Qt::Key_Space);
    auto changed = heard.reader.Since(QAccessible::StateChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].about, sound);
    EXPECT_TRUE(sound->state().checked);

    // A click gives the toggle the focus, as it does a check box, so it is heard.
    Key(w, Qt::Key_Left);
    heard.reader.Forget();
    Click(w, w.pctPlayers);
    EXPECT_EQ(heard.reader.FocusMoves(), "Two players");
    changed = heard.reader.Since(QAccessible::StateChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].name, "Two players");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(w.pctPlayers)->state().checked);
}

TEST(Reader, EachScreenChangeMovesTheFocusOnce) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    Key(w, Qt::Key_Up);
    heard.reader.Forget();
    // Back on the board, the focus lands on the cursor's cell.
    const std::string board = QAccessible::queryAccessibleInterface(w.pctBoard)
                                  ->child((kRows - 1) * kCols)
                                  ->text(QAccessible::Name)
                                  .toStdString();
    Click(w, w.pctEvents);
    EXPECT_EQ(heard.reader.FocusMoves(), "Row Shifts");
    Key(w, Qt::Key_Escape);
    EXPECT_EQ(heard.reader.FocusMoves(), board);
    Click(w, w.pctHelp);
    EXPECT_EQ(heard.reader.FocusMoves(), "Quabe Pro, www.quabepro.example, version 1.1");
    Key(w, Qt::Key_Escape);
    EXPECT_EQ(heard.reader.FocusMoves(), board);
    Key(w, Qt::Key_F1);
    EXPECT_EQ(heard.reader.FocusMoves().substr(0, 4), "Aim.");
    Key(w, Qt::Key_Escape);
    EXPECT_EQ(heard.reader.FocusMoves(), board);
    w.settings.Table.HighScoreNames[1] = "ACE";
    w.settings.Table.HighScores[1] = 500;
    Key(w, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.FocusMoves(), "Place 1, ACE, 500 points");
    Key(w, Qt::Key_Down);
    EXPECT_EQ(heard.reader.FocusMoves(), "Place 2, no name, 0 points");
    Key(w, Qt::Key_Tab);
    Key(w, Qt::Key_Tab);
    EXPECT_EQ(heard.reader.FocusMoves(), "OK; Reset: clears the ten best scores");
    Key(w, Qt::Key_Space);
    EXPECT_EQ(heard.reader.Announced(), "The ten best scores are cleared.");
    Key(w, Qt::Key_Escape);
    EXPECT_EQ(heard.reader.FocusMoves(), board);
}

// The first word of each line that took the focus since the last look.
std::string Headings(Reader& reader) {
    QStringList headings;
    for (const Told& focus : reader.Since(QAccessible::Focus))
        headings << focus.name.section(QRegularExpression("[.:,]"), 0, 0);
    return headings.join(" | ").toStdString();
}

TEST(Reader, TheHowToPlayPageAndTheStatisticsAreReadLineByLine) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_F1);
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(w.pctHowToPlay);
    EXPECT_EQ(page->role(), QAccessible::List);
    ASSERT_EQ(page->childCount(), 5);
    EXPECT_EQ(Headings(heard.reader), "How to play | Aim");
    // Part by part to the last, where Down says nothing more, and back.
    for (int k = 0; k < 5; ++k) Key(w, Qt::Key_Down);
    Key(w, Qt::Key_Up);
    EXPECT_EQ(Headings(heard.reader), "Scoring | Computer | Events | Keys | Events");
    EXPECT_TRUE(page->child(1)->text(QAccessible::Name).contains("5 score 22"));
    Key(w, Qt::Key_Escape);

    w.statistics = {};  // whatever other games left in the player's file
    w.statistics.GamesOnePlayer = 3;
    w.statistics.BestScore = 120;
    heard.reader.Forget();
    Key(w, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.FocusMoves(), "One-player games: 3");
    for (int k = 0; k < 3; ++k) Key(w, Qt::Key_Down);
    EXPECT_EQ(heard.reader.FocusMoves(), "Two-player games: 0; Boards cleared: 0; Best score: 120");
    QAccessibleInterface* figures = QAccessible::queryAccessibleInterface(w.pctStatisticsScreen);
    EXPECT_EQ(figures->role(), QAccessible::List);
    ASSERT_EQ(figures->childCount(), kShownFigures);
    EXPECT_EQ(figures->child(kShownFigures - 1)->text(QAccessible::Name), "Mines set off: 0");
}

TEST(Reader, ADealNumberIsTypedIntoATextFieldAndItsDealIsTold) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.FocusMoves(), "Deal number");
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w.pctDealEntry);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_TRUE(field->state().editable && field->state().focused);
    Key(w, Qt::Key_0);
    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.Announced(), "No such deal: deals are numbered from 1 to 999,999,999.");
    Key(w, Qt::Key_Backspace);
    for (Qt::Key digit : {Qt::Key_9, Qt::Key_0, Qt::Key_4}) Key(w, digit);
    const auto typed = heard.reader.Since(QAccessible::TextInserted);
    ASSERT_EQ(typed.size(), 4u);
    EXPECT_EQ(typed[0].about, field);
    EXPECT_EQ(typed[0].text + typed[1].text + typed[2].text + typed[3].text, "0904");
    const auto erased = heard.reader.Since(QAccessible::TextRemoved);
    ASSERT_EQ(erased.size(), 1u);
    EXPECT_EQ(erased[0].text, "0");
    EXPECT_EQ(field->textInterface()->text(0, -1), "904");

    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.Announced(), "New game, deal 904.");
    Key(w, Qt::Key_Up);
    Key(w, Qt::Key_Return);
    heard.reader.Forget();
    Key(w, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.Announced(),
              "Deal 904 again from its start: score 0. " +
                  DescribeCell(w.game, w.pieceNames, kRows, 1).toStdString() + ".");
}

TEST(Reader, TheStartHintAndTheEventsOnAreSaidWhereTheFocusIs) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(w.pctBoard);
    EXPECT_TRUE(board->text(QAccessible::Description)
                    .startsWith("Click New, the play button, or press Ctrl+N"));
    QAccessibleInterface* events = QAccessible::queryAccessibleInterface(w.pctEvents);
    EXPECT_EQ(events->text(QAccessible::Description), "No events on");
    Click(w, w.pctEvents);
    Click(w, w.pctMinesSelection);
    Click(w, w.pctFlashSelection);
    Click(w, w.pctOk);
    EXPECT_EQ(events->text(QAccessible::Description), "Events on: Mines, Flash Pieces");
    heard.reader.Forget();
    Key(w, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(heard.reader.Announced(), "New game, deal " + std::to_string(w.game.DealNumber) +
                                            ". Events on: Mines, Flash Pieces.");
    EXPECT_TRUE(board->text(QAccessible::Description).startsWith("The arrow keys")) << "dealt";
}

// The line being read is ringed for the eye too, inside the table, as the keys
// move it: the ring's top edge lies in the gap above its line's characters.
TEST(Reader, TheLineBeingReadIsRingedOnTheScreen) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_H, Qt::ControlModifier);
    auto ringed = [&](int line) {
        const QImage table = Shot(w).copy(w.pctHighScore->geometry());
        const int gap = UnitsToPixels(RowY(line)) - 2;
        for (int x = 0; x < table.width(); ++x)
            if (table.pixel(x, gap) == qRgb(255, 255, 255)) return true;
        return false;
    };
    Key(w, Qt::Key_Down);
    EXPECT_TRUE(ringed(2));
    EXPECT_FALSE(ringed(1));
    Key(w, Qt::Key_Down);
    EXPECT_TRUE(ringed(3));
    EXPECT_FALSE(ringed(2));
}

TEST(Reader, GameOverTellsTheScoresAndANameIsTypedIntoATextField) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    w.settings.OnePlayer = false;
    Key(w, Qt::Key_N, Qt::ControlModifier);
    // A group of two and a lone piece: the first move ends the game.
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) w.game.Board[row][col] = 0;
    w.game.Board[10][1] = w.game.Board[10][2] = 1;
    w.game.Board[10][3] = 2;
    w.game.Score2 = 10;
    w.game.DrawBoard(false);
    Key(w, Qt::Key_Up);
    heard.reader.Forget();
    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.Announced(),
              "Removed the green ball group of 2: 4 points, score 4. Game over.");
    // The game-over picture, a moment later, says how it ended.
    ASSERT_TRUE(WaitForGameOver(w));
    EXPECT_EQ(heard.reader.FocusMoves(), "Game over: you 4, the computer 10. The computer wins.");

    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.FocusMoves(), "Your name for place 1, 4 points");
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w.pctHighScore)->child(0);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_TRUE(field->state().editable && field->state().focused);
    Key(w, Qt::Key_K);
    Key(w, Qt::Key_O);
    Key(w, Qt::Key_Backspace);
    const auto typed = heard.reader.Since(QAccessible::TextInserted);
    ASSERT_EQ(typed.size(), 2u);
    EXPECT_EQ(typed[0].text, "K");
    EXPECT_EQ(typed[0].about, field);
    EXPECT_EQ(typed[1].text, "O");
    const auto erased = heard.reader.Since(QAccessible::TextRemoved);
    ASSERT_EQ(erased.size(), 1u);
    EXPECT_EQ(erased[0].text, "O");
    EXPECT_EQ(field->textInterface()->text(0, -1), "K");
    // The name done, OK takes the focus; the table reads its rows from there too.
    Key(w, Qt::Key_Return);
    EXPECT_EQ(heard.reader.FocusMoves(), "OK");
    Key(w, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(heard.reader.FocusMoves(), "Place 1, K, 4 points");
}

TEST(Reader, TheWindowIsAFrameOfNamedControls) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&w);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "Quabe Pro");
    QStringList names;
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* child = frame->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(frame->indexOfChild(child), i);
        if (child->role() != QAccessible::Notification)
            names.append(child->text(QAccessible::Name));
    }
    EXPECT_FALSE(names.contains("")) << names.join(" | ").toStdString();
    EXPECT_EQ(names.filter("version").size(), 1) << "the about picture says its version";
    for (QWidget* decoration :
         {static_cast<QWidget*>(w.pctQuabe), static_cast<QWidget*>(w.pctRowShifts),
          static_cast<QWidget*>(w.pctVersion[1]), static_cast<QWidget*>(w.imgScore[0])})
        EXPECT_EQ(frame->indexOfChild(QAccessible::queryAccessibleInterface(decoration)), -1);
    const auto player2 = std::find(names.begin(), names.end(), "Player 2 score");
    ASSERT_NE(player2, names.end());
    QAccessibleInterface* score2 = frame->child(static_cast<int>(player2 - names.begin()));
    EXPECT_TRUE(score2->state().invisible) << "no second player before a two-player game";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.pctBoard)->childCount(), kCells);
}

TEST(Reader, TheSetChooserOpensWithoutHoldingTheClickAndGivesTheKeysBack) {
    HeardWindow heard;
    MainWindow& w = heard.window;
    Key(w, Qt::Key_Tab);
    for (int step = 0; step < 4; ++step) Key(w, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), w.pctSet);
    Key(w, Qt::Key_Space);  // returns while the chooser is open
    QWidget* chooser = QApplication::activeModalWidget();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(chooser)->text(QAccessible::Name),
              "Choose a piece set");
    EXPECT_FALSE(w.isEnabled());
    QTest::keyClick(chooser->findChild<QListWidget*>("lstSets"), Qt::Key_Escape);
    EXPECT_TRUE(w.isEnabled());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.pctSet);
}

// --- The words -------------------------------------------------------------------------------

struct Board {
    NullPlatform platform;
    Game game{platform};
    PieceNames names{"", "moon", "sun"};
    Board() {
        for (int row = 1; row <= kRows; ++row)
            for (int col = 1; col <= kCols; ++col) game.Board[row][col] = (row + col) % 2 ? 3 : 4;
        game.GameActive = true;
    }
};

TEST(SpokenWords, AMineTellsWhatItTookAndAClearedBoardItsFreshDeal) {
    Board b;
    b.game.HasMine[1][1] = true;
    BeforePress before(b.game, 1, 1);
    b.game.Score2 = 8;
    EXPECT_EQ(MoveWords(before, b.game, b.names),
              "A mine went off and took 4 pieces. "
              "The computer removed a group of 3: 8 points, its score 8.");

    Board lone;
    for (int row = 1; row <= kRows; ++row)
        for (int col = 1; col <= kCols; ++col) lone.game.Board[row][col] = 0;
    lone.game.Board[10][1] = lone.game.Board[10][2] = 2;
    BeforePress last(lone.game, 10, 2);
    lone.game.Score1 = 4;
    lone.game.DealNumber = 5321;  // the fresh board's
    EXPECT_EQ(MoveWords(last, lone.game, lone.names),
              "Removed the sun group of 2: 4 points, score 4. "
              "The board is clear: a fresh board is dealt, deal 5321.");
    EXPECT_EQ(MoveWords(BeforePress(b.game, 5, 5), b.game, b.names),
              "A single piece is no group: nothing removed.");
}

TEST(SpokenWords, TheEndTellsBothScoresAndWhoWon) {
    Board b;
    b.game.Score1 = 20;
    EXPECT_EQ(GameOverWords(b.game), "Game over: your score 20.");
    b.game.TwoPlayers = true;
    b.game.Score2 = 20;
    EXPECT_EQ(GameOverWords(b.game), "Game over: you 20, the computer 20. A draw.");
    b.game.Score2 = 8;
    EXPECT_EQ(GameOverWords(b.game), "Game over: you 20, the computer 8. You win.");
}

}  // namespace
}  // namespace quabe::testing
