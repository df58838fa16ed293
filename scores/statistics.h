#pragma once
// The player's statistics: what their games came to, counted as play goes and
// as each game ends, and kept in a small text file of their own, one figure a
// line ("BoardsCleared=12"), apart from the settings store.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "game.h"

namespace quabe {

struct Statistics {
    int64_t GamesOnePlayer = 0;
    int64_t GamesTwoPlayers = 0;
    int64_t BoardsCleared = 0;
    int64_t BestScore = 0;   // the person's best final score
    int64_t ScoreTotal = 0;  // of every final score, for the average
    int64_t Wins = 0;        // two-player games, against the computer
    int64_t Losses = 0;
    int64_t Draws = 0;
    int64_t BiggestGroup = 0;
    int64_t MinesSetOff = 0;
};

// Adds what play has done: the person's groups and mines, the boards cleared.
void CountPlay(Statistics& s, const PlayTally& tally);
// Counts a game that has ended with these final scores (the person's first).
void CountGame(Statistics& s, int32_t score1, int32_t score2, bool twoPlayers);
int64_t GamesPlayed(const Statistics& s);
// The average final score to the nearest point, halves up; 0 before any game.
int64_t AverageScore(const Statistics& s);

// The figures as the statistics screen shows them, top to bottom, each with the
// words a screen reader says for it.
struct ShownFigure {
    const char* name;
    int64_t value;
};
constexpr int kShownFigures = 10;
std::array<ShownFigure, kShownFigures> ShownFigures(const Statistics& s);

// The file's text, and back: nothing when the text is not one the game wrote
// whole (a figure missing, not a whole number, or too large).
QByteArray StatisticsText(const Statistics& s);
std::optional<Statistics> ReadStatisticsText(const QByteArray& text);

struct LoadedStatistics {
    Statistics statistics;
    QString setAside;      // where a damaged file was moved; empty when none was
    bool saveable = true;  // false when a damaged file stayed put: saving would lose it
};

// Reads the file without ever blocking or reading much: a missing file starts
// at zero; a damaged one (unreadable, too large, not a plain file, not the
// game's text) is renamed to say so and kept, and counting starts afresh.
LoadedStatistics LoadStatistics(const QString& path);
// Replaces the file in one step, making its folder when needed; false when it
// could not be written.
bool SaveStatistics(const Statistics& s, const QString& path);

}  // namespace quabe
