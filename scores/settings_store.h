#pragma once
// What the game remembers between runs: the options, the piece set and the
// high-score table, in the per-user store QSettings("Quabe Pro", "Quabe Pro"),
// group "Settings". Read once at start-up, written once at exit.
#include <QString>
#include <cstdint>
#include <optional>

#include "high_score_table.h"

class QSettings;

namespace quabe {

struct Settings {
    bool RowShifts = false, ColumnShifts = false, Mines = false, Flash = false, Sound = false;
    bool OnePlayer = true;
    int16_t SetNumber = 1;
    HighScoreTable Table;
};

// The player's own store. A missing or unreadable key reads as its default.
Settings LoadSettings();
// Replaces the store in one step: a crash, kill or full disk meanwhile leaves the
// previous store whole. False when it could not be written; never throws.
bool SaveSettings(const Settings& s);

// The same on a given store or INI file (the tests' temporary ones).
Settings LoadSettings(QSettings& store);
Settings LoadSettings(const QString& iniPath);
bool SaveSettings(const Settings& s, const QString& iniPath);

// Where the player's store lives (an INI file on Linux, the registry on Windows).
QString SettingsLocation();

// How stored texts read. A flag, "Set" or "Players" text must be a number and
// nothing else, or it is no number at all; fractions round half to even. A score
// takes the text's leading number, 0 when there is none. Both clamp to their range.
std::optional<int16_t> ReadInteger(const QString& text);
int32_t ReadScore(const QString& text);

}  // namespace quabe
