#pragma once
// A recording stand-in for the window: it logs every call in order, keeps the
// picture last painted in each cell, runs a virtual clock that Sleep advances,
// and draws random numbers from a script first and a seeded generator after.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game.h"
#include "platform.h"
#include "random.h"

namespace quabe::test {

constexpr int kErased = -1;

inline std::string PictureName(Picture picture) {
    switch (picture) {
        case Picture::Mine:
            return "Mine";
        case Picture::Fire:
            return "Fire";
        default:
            return "P" + std::to_string(static_cast<int>(picture));
    }
}

class FakePlatform : public Platform {
  public:
    FakePlatform() { EraseImage(); }

    void Paint(Picture picture, int x, int y) override {
        if (x % kCellPitch != 0 || y % kCellPitch != 0 || x < 0 || y < 0 ||
            x > (kCols - 1) * kCellPitch || y > (kRows - 1) * kCellPitch) {
            ADD_FAILURE() << "paint off the cell corners at " << x << "," << y;
            return;
        }
        const int row = y / kCellPitch + 1;
        const int col = x / kCellPitch + 1;
        image[row][col] = static_cast<int>(picture);
        fires += picture == Picture::Fire;
        if (logging) {
            Log(PictureName(picture) + "@" + std::to_string(row) + "," + std::to_string(col));
        }
    }
    void SetBoardBackground(uint32_t rgb) override {
        background = rgb;
        EraseImage();
        if (logging) Log("background " + std::to_string(rgb));
    }
    void RefreshBoard() override {
        ++refreshes;
        Log("refresh");
    }
    void SetHourglass(bool on) override {
        hourglass = on;
        Log(on ? "hourglass" : "pointer");
    }
    void PlayCue(const char* fileName, int flags) override {
        if (std::strcmp(fileName, "Bleep.wav") == 0) ++bleeps;
        if (logging) Log("cue " + std::string(fileName) + " " + std::to_string(flags));
        if (onCue) onCue();
        if (flags == kCueWait) clock += cueWaitMs;
    }
    int64_t TickCount() override { return clock; }
    void Sleep(int milliseconds) override {
        if (milliseconds <= 0) ADD_FAILURE() << "Sleep(" << milliseconds << ")";
        clock += milliseconds;
        if (logging) Log("sleep " + std::to_string(milliseconds));
    }
    double Rnd() override {
        if (script.empty()) return random.Rnd();
        const double r = script.front();
        script.pop_front();
        return r;
    }
    // A script outlives a seeding, so that a test can script the draws of a deal.
    void SeedRnd(uint64_t seed) override { random.Seed(seed); }
    uint64_t FreshBits() override { return fresh.NextBits(); }
    bool OptionOn(Option option) override { return options.count(option) != 0; }
    void SetTimerEnabled(bool enabled) override {
        timerEnabled = enabled;
        Log(enabled ? "timer on" : "timer off");
    }
    void SetScoreDigit(int cell, int digit) override {
        if (cell < 0 || cell >= kScoreCells || digit < 0 || digit > 9) {
            ADD_FAILURE() << "digit " << digit << " in cell " << cell;
            return;
        }
        digits[cell] = digit;
    }
    void HideMainScreen() override { Log("hide main"); }
    void ShowMainScreen() override { Log("show main"); }
    void ShowGameOver() override {
        ++gameOvers;
        Log("game over");
    }
    void StopCelebration() override { Log("stop celebration"); }
    uint32_t LoadPieceSet() override {
        ++deals;
        Log("load set");
        return setColor;
    }

    // Digits shown in cells first .. first + 5, most significant first.
    std::string Digits(int first) const {
        std::string text;
        for (int cell = first + 5; cell >= first; --cell) {
            text += digits[cell] < 0 ? '-' : static_cast<char>('0' + digits[cell]);
        }
        return text;
    }

    void EraseImage() {
        for (auto& line : image) std::fill(std::begin(line), std::end(line), kErased);
    }
    void Log(std::string entry) {
        if (logging) log.push_back(std::move(entry));
    }

    bool logging = true;
    std::vector<std::string> log;
    int image[kRows + 1][kCols + 1];
    int digits[kScoreCells] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int refreshes = 0;
    int bleeps = 0;
    int gameOvers = 0;
    int deals = 0;
    int fires = 0;
    int64_t clock = 5000;
    int cueWaitMs = 0;  // length of a cue played to its end
    std::deque<double> script;
    Random random{1};
    Random fresh{1};
    std::set<Option> options;
    std::function<void()> onCue;
    bool timerEnabled = true;
    bool hourglass = false;
    uint32_t background = 0;
    uint32_t setColor = 0x336699;
};

// A game on a fake window, with boards written as text: '.' is empty, '1'..'6' a kind.
struct Table {
    FakePlatform ui;
    Game game{ui};

    // Starts a game with the options given and lays out the board; the rows given
    // fill the bottom of the board, shorter rows are empty on the right.
    void Deal(const std::vector<std::string>& rows, std::set<Option> options = {}) {
        ui.options = std::move(options);
        game.NewGame();
        std::memset(game.HasMine, 0, sizeof game.HasMine);  // tests place their own mines
        SetBoard(rows);
    }

    void SetBoard(const std::vector<std::string>& rows) {
        const int first = kRows - static_cast<int>(rows.size()) + 1;
        for (int row = 1; row <= kRows; ++row) {
            for (int col = 1; col <= kCols; ++col) {
                char c = '.';
                if (row >= first && col <= static_cast<int>(rows[row - first].size())) {
                    c = rows[row - first][col - 1];
                }
                game.Board[row][col] = static_cast<int16_t>(c == '.' ? 0 : c - '0');
                ui.image[row][col] = game.Board[row][col];
            }
        }
        ui.log.clear();
        ui.refreshes = 0;
        ui.bleeps = 0;
    }

    // The bottom rows of the board as text, as many as asked for.
    std::vector<std::string> Rows(int count = kRows) const {
        std::vector<std::string> rows;
        for (int row = kRows - count + 1; row <= kRows; ++row) {
            std::string line;
            for (int col = 1; col <= kCols; ++col) {
                const int kind = game.Board[row][col];
                line += kind == 0 ? '.' : static_cast<char>('0' + kind);
            }
            rows.push_back(line);
        }
        return rows;
    }

    bool TopRowsEmpty(int count) const {
        for (int row = 1; row <= count; ++row) {
            for (int col = 1; col <= kCols; ++col) {
                if (game.Board[row][col] != 0) return false;
            }
        }
        return true;
    }

    void Press(int row, int col, int button = 1) {
        game.BoardMouseDown(button, (col - 1) * kCellPitch + 240, (row - 1) * kCellPitch + 240);
    }

    // Log entries that start with prefix, in order.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& entry : ui.log) {
            if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
        }
        return found;
    }

    int Count(const std::string& prefix) const { return static_cast<int>(Calls(prefix).size()); }
};

// Pads rows to the board's width with empty cells, for comparing with Rows().
inline std::vector<std::string> Padded(std::vector<std::string> rows) {
    for (auto& row : rows) row.resize(kCols, '.');
    return rows;
}

}  // namespace quabe::test
