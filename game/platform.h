#pragma once
// The one door between the rules and the desktop. The window implements it;
// the tests implement it with a recording fake.
#include <cstdint>

namespace quabe {

// Pictures the rules paint into the board image. Piece0..Piece6 are the current
// set's pictures for kinds 0..6 (0 is the empty cell).
enum class Picture : int { Piece0, Piece1, Piece2, Piece3, Piece4, Piece5, Piece6, Mine, Fire };

inline Picture PieceOf(int kind) { return static_cast<Picture>(kind); }

enum class Option { RowShifts, ColumnShifts, Mines, Flash, TwoPlayers, Sound };

// PlayCue flags.
constexpr int kCueWait = 0;   // play and return when the sound has ended
constexpr int kCueStart = 1;  // start and return at once

class Platform {
public:
    virtual ~Platform() = default;

    // Board picture, positions in board units (15 to a pixel).
    virtual void Paint(Picture picture, int x, int y) = 0;  // unscaled, top-left corner at (x, y)
    virtual void SetBoardBackground(uint32_t rgb) = 0;      // erases the board image to one colour
    virtual void RefreshBoard() = 0;                        // show the board image now
    virtual void SetHourglass(bool on) = 0;                 // the window's pointer

    virtual void PlayCue(const char* fileName, int flags) = 0;

    // Monotonic milliseconds, and a blocking sleep that does not yield to events.
    virtual int64_t TickCount() = 0;
    virtual void Sleep(int milliseconds) = 0;

    // The rules' random generator: uniform in [0, 1). The rules restart it from a
    // deal's number just before they deal, so that a board and everything drawn on
    // it follow from that number and the moves alone.
    virtual double Rnd() = 0;
    virtual void SeedRnd(uint64_t seed) = 0;
    // Random bits from the generator seeded once from the clock: the numbers of
    // fresh deals come from it, and nothing of a board does.
    virtual uint64_t FreshBits() = 0;

    virtual bool OptionOn(Option option) = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;  // the one-second shift timer

    // Screens and the score display.
    virtual void SetScoreDigit(int cell, int digit) = 0;  // imgScore(cell) shows imgDigit(digit)
    virtual void HideMainScreen() = 0;
    virtual void ShowMainScreen() = 0;  // repaints every cell from the board grid
    // The game-over display: main screen hidden, the game-over picture over a black
    // board, the score cells shown, and the celebration started. Returns at once.
    virtual void ShowGameOver() = 0;
    virtual void StopCelebration() = 0;
    // Reloads the current piece set's pictures; returns its board colour (0xRRGGBB).
    virtual uint32_t LoadPieceSet() = 0;
};

}  // namespace quabe
