// The high-score table: insertion, drawing and typing a name.
#include <gtest/gtest.h>

#include <vector>

#include "high_score_table.h"

namespace quabe {
namespace {

struct Paint {
    char kind;  // 'L' letter picture (0 cursor), 'D' digit, 'B' black square
    int index, x, y;
    bool operator==(const Paint&) const = default;
};

void PrintTo(const Paint& p, std::ostream* os) {
    *os << p.kind << p.index << "@(" << p.x << "," << p.y << ")";
}

class RecordingCanvas : public TableCanvas {
  public:
    void PaintLetter(int index, int x, int y) override { paints.push_back({'L', index, x, y}); }
    void PaintDigit(int digit, int x, int y) override { paints.push_back({'D', digit, x, y}); }
    void PaintBlack(int x, int y) override { paints.push_back({'B', 0, x, y}); }
    std::vector<Paint> paints;
};

Paint Letter(int index, int column, int row) {
    return {'L', index, NameCellX(column), RowY(row)};
}
Paint Digit(int digit, int column, int row) {
    return {'D', digit, NameCellX(column), RowY(row)};
}
Paint Cursor(int column, int row) {
    return Letter(0, column, row);
}
Paint Black(int column, int row) {
    return {'B', 0, NameCellX(column), RowY(row)};
}

HighScoreTable TableOf(std::vector<int32_t> scores) {
    HighScoreTable table;
    for (int row = 1; row <= kTableRows; ++row) {
        table.HighScoreNames[row] = "ROW" + std::to_string(row);
        table.HighScores[row] = scores[row - 1];
    }
    return table;
}

TEST(InsertHighScore, AnyScoreEntersAnEmptyTableAtTheTop) {
    HighScoreTable table = TableOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    ClearHighScores(table);
    for (int row = 1; row <= kTableRows; ++row) {
        EXPECT_EQ(table.HighScoreNames[row], "");
        EXPECT_EQ(table.HighScores[row], 0);
    }
    EXPECT_EQ(InsertHighScore(table, 0), 1);
    EXPECT_EQ(InsertHighScore(table, 0), 1);  // ties go to the newcomer
    EXPECT_EQ(table.HighScores[1], 0);
}

TEST(InsertHighScore, ATableOfFiveHundredsTakesATieAtTheTopAndRefusesLess) {
    HighScoreTable table = TableOf(std::vector<int32_t>(10, 500));
    const HighScoreTable before = table;
    EXPECT_EQ(InsertHighScore(table, 499), 0);
    for (int row = 1; row <= kTableRows; ++row) {
        EXPECT_EQ(table.HighScoreNames[row], before.HighScoreNames[row]);
        EXPECT_EQ(table.HighScores[row], before.HighScores[row]);
    }

    EXPECT_EQ(InsertHighScore(table, 500), 1);
    EXPECT_EQ(table.HighScoreNames[1], "");
    EXPECT_EQ(table.HighScores[1], 500);
    for (int row = 2; row <= kTableRows; ++row) {  // the old row 10 drops out
        EXPECT_EQ(table.HighScoreNames[row], "ROW" + std::to_string(row - 1));
    }
}

TEST(InsertHighScore, EqualToRowFourGoesAboveIt) {
    HighScoreTable table = TableOf({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(InsertHighScore(table, 600), 4);
    EXPECT_EQ(table.HighScores[3], 700);
    EXPECT_EQ(table.HighScoreNames[4], "");
    EXPECT_EQ(table.HighScores[4], 600);
    EXPECT_EQ(table.HighScoreNames[5], "ROW4");
    EXPECT_EQ(table.HighScores[5], 600);
    EXPECT_EQ(table.HighScoreNames[6], "ROW5");
    EXPECT_EQ(table.HighScores[10], 100);
}

TEST(DrawHighScores, PaintsNamesAndSixDigitScoresAtTheirCells) {
    HighScoreTable table;
    table.HighScoreNames[3] = "AB1";
    table.HighScores[3] = 42;
    RecordingCanvas canvas;
    DrawHighScores(table, canvas);

    ASSERT_EQ(canvas.paints.size(), 3u + 10 * 6);
    std::vector<Paint> row3;
    for (const Paint& p : canvas.paints) {
        if (p.y == RowY(3)) row3.push_back(p);
    }
    const int y = 100 + 2 * 510;
    EXPECT_EQ(row3, (std::vector<Paint>{{'L', 1, 1000, y},
                                        {'L', 2, 1330, y},
                                        {'D', 1, 1660, y},
                                        {'D', 0, 4440, y},
                                        {'D', 0, 4770, y},
                                        {'D', 0, 5100, y},
                                        {'D', 0, 5430, y},
                                        {'D', 4, 5760, y},
                                        {'D', 2, 6090, y}}));
}

std::vector<int> ScoreDigitsOfRow1(int32_t score) {
    HighScoreTable table;
    table.HighScores[1] = score;
    RecordingCanvas canvas;
    DrawHighScores(table, canvas);
    std::vector<int> digits;
    for (const Paint& p : canvas.paints) {
        if (p.y == RowY(1) && p.x >= ScoreDigitX(1)) digits.push_back(p.index);
    }
    return digits;
}

TEST(DrawHighScores, ScoresThatDoNotFitSixDigitsShowTheNearestThatDoes) {
    EXPECT_EQ(ScoreDigitsOfRow1(1234567), (std::vector<int>{9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(ScoreDigitsOfRow1(999999), (std::vector<int>{9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(ScoreDigitsOfRow1(-5), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ScoreDigitsOfRow1(100200), (std::vector<int>{1, 0, 0, 2, 0, 0}));
}

std::vector<Paint> NamePaintsOfRow1(const std::string& name) {
    HighScoreTable table;
    table.HighScoreNames[1] = name;
    RecordingCanvas canvas;
    DrawHighScores(table, canvas);
    std::vector<Paint> paints;
    for (const Paint& p : canvas.paints) {
        if (p.y == RowY(1) && p.x < ScoreDigitX(1)) paints.push_back(p);
    }
    return paints;
}

TEST(DrawHighScores, StoredNamesWithoutPicturesLeaveBlankCells) {
    EXPECT_EQ(NamePaintsOfRow1("aB-9"), (std::vector<Paint>{Letter(2, 2, 1), Digit(9, 4, 1)}));
    // A character of several bytes still takes one cell.
    EXPECT_EQ(NamePaintsOfRow1("\xC3\x84Z"), (std::vector<Paint>{Letter(26, 2, 1)}));
    std::vector<Paint> long_name = NamePaintsOfRow1("ABCDEFGHIJ");
    ASSERT_EQ(long_name.size(), 8u);
    EXPECT_EQ(long_name.back(), Letter(8, 8, 1));
}

class NameEntryTest : public ::testing::Test {
  protected:
    void SetUp() override { entry.Start(table, 2, canvas); }
    void Type(const std::string& keys) {
        for (char key : keys) entry.KeyPress(key);
    }
    std::vector<Paint> PaintsSince(size_t from) const {
        return {canvas.paints.begin() + static_cast<std::ptrdiff_t>(from), canvas.paints.end()};
    }

    HighScoreTable table;
    RecordingCanvas canvas;
    NameEntry entry;
};

TEST_F(NameEntryTest, StartBlanksTheRowAndShowsTheCursorInColumnOne) {
    ASSERT_EQ(canvas.paints.size(), 9u);
    for (int column = 1; column <= 8; ++column)
        EXPECT_EQ(canvas.paints[column - 1], Black(column, 2));
    EXPECT_EQ(canvas.paints[8], Cursor(1, 2));
    EXPECT_TRUE(entry.EnteringName());
    EXPECT_EQ(entry.EntryColumn(), 1);
    EXPECT_EQ(entry.Row(), 2);
}

TEST_F(NameEntryTest, LettersAreUpperCasedAndDigitsKept) {
    Type("ab1");
    EXPECT_EQ(table.HighScoreNames[2], "AB1");
    EXPECT_EQ(PaintsSince(9), (std::vector<Paint>{Letter(1, 1, 2), Cursor(2, 2), Letter(2, 2, 2),
                                                  Cursor(3, 2), Digit(1, 3, 2), Cursor(4, 2)}));
    EXPECT_EQ(entry.EntryColumn(), 4);
    EXPECT_TRUE(entry.EnteringName());
}

TEST_F(NameEntryTest, OtherKeysChangeNothing) {
    for (int code :
         std::vector<int>{' ', '!', '-', '@', '[', '`', '{', 0, 27, 127, 200, 0x41 + 0x10000}) {
        entry.KeyPress(code);
    }
    EXPECT_EQ(canvas.paints.size(), 9u);
    EXPECT_EQ(table.HighScoreNames[2], "");
    EXPECT_EQ(entry.EntryColumn(), 1);
}

TEST_F(NameEntryTest, TheEighthCharacterEndsEntryWithoutACursor) {
    Type("ABCDEFG");
    EXPECT_EQ(entry.EntryColumn(), 8);
    EXPECT_EQ(canvas.paints.back(), Cursor(8, 2));

    entry.KeyPress('H');
    EXPECT_EQ(canvas.paints.back(), Letter(8, 8, 2));
    EXPECT_FALSE(entry.EnteringName());
    EXPECT_EQ(entry.Row(), 0);
    EXPECT_EQ(table.HighScoreNames[2], "ABCDEFGH");

    const size_t painted = canvas.paints.size();
    entry.KeyPress('I');
    entry.KeyPress(8);
    EXPECT_EQ(canvas.paints.size(), painted);
    EXPECT_EQ(table.HighScoreNames[2], "ABCDEFGH");
}

TEST_F(NameEntryTest, BackspaceInColumnOneRedrawsTheCursorThere) {
    entry.KeyPress(8);
    EXPECT_EQ(PaintsSince(9), (std::vector<Paint>{Black(1, 2), Cursor(1, 2)}));
    EXPECT_EQ(table.HighScoreNames[2], "");
    EXPECT_EQ(entry.EntryColumn(), 1);
    EXPECT_TRUE(entry.EnteringName());
}

TEST_F(NameEntryTest, BackspaceRemovesTheLastCharacter) {
    Type("ABC");
    const size_t typed = canvas.paints.size();
    entry.KeyPress(8);
    EXPECT_EQ(table.HighScoreNames[2], "AB");
    EXPECT_EQ(entry.EntryColumn(), 3);
    EXPECT_EQ(PaintsSince(typed), (std::vector<Paint>{Black(4, 2), Cursor(3, 2)}));
    Type("Z");
    EXPECT_EQ(table.HighScoreNames[2], "ABZ");
}

TEST_F(NameEntryTest, EnterAtOnceLeavesAnEmptyName) {
    entry.KeyPress(13);
    EXPECT_EQ(PaintsSince(9), (std::vector<Paint>{Black(1, 2)}));
    EXPECT_FALSE(entry.EnteringName());
    EXPECT_EQ(entry.Row(), 0);
    EXPECT_EQ(table.HighScoreNames[2], "");
}

TEST_F(NameEntryTest, OkKeepsTheNameTypedSoFarAndIgnoresLaterKeys) {
    Type("XY");
    entry.Stop();
    Type("Z");
    EXPECT_FALSE(entry.EnteringName());
    EXPECT_EQ(entry.Row(), 2);  // OK leaves the row as it is
    EXPECT_EQ(table.HighScoreNames[2], "XY");
}

TEST(NameEntry, IgnoresKeysBeforeStartAndRowsOutsideTheTable) {
    HighScoreTable table;
    RecordingCanvas canvas;
    NameEntry entry;
    entry.KeyPress('A');
    entry.Start(table, 0, canvas);
    entry.KeyPress('A');
    entry.Start(table, 11, canvas);
    entry.KeyPress('A');
    EXPECT_FALSE(entry.EnteringName());
    EXPECT_TRUE(canvas.paints.empty());
}

}  // namespace
}  // namespace quabe
