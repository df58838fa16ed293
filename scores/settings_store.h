#pragma once
// What the game remembers between runs: the options, the piece set and the
// high-score table, in the per-user INI file that QSettings("Quabe Pro", "Quabe Pro")
// writes, group "Settings". Read once at start-up, written once at exit. The values
// are texts, and only ever read as texts.
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

#include "high_score_table.h"

namespace quabe {

struct Settings {
    bool RowShifts = false, ColumnShifts = false, Mines = false, Flash = false, Sound = false;
    bool OnePlayer = true;
    int16_t SetNumber = 1;
    HighScoreTable Table;
};

// The player's own store. A missing key reads as its default. A store that is no
// plain file, is larger than the game's store can be or cannot be read is set aside
// beside itself (never deleted), and everything reads as its default; standard error
// says so.
Settings LoadSettings();
// Replaces the store in one step: a crash, kill or full disk meanwhile leaves the
// previous store whole. False when it could not be written; never throws.
bool SaveSettings(const Settings& s);

// The same on a given store file (the tests' temporary ones).
Settings LoadSettings(const QString& iniPath);
bool SaveSettings(const Settings& s, const QString& iniPath);
// The settings a store file holding `store` gives.
Settings SettingsFromText(QByteArrayView store);

// Where the player's store lives: "Quabe Pro/Quabe Pro.conf" in the config folder.
QString SettingsLocation();

// How stored texts read. A flag, "Set" or "Players" text must be a number and
// nothing else, or it is no number at all; fractions round half to even. A score
// takes the text's leading number, 0 when there is none. Both clamp to their range.
std::optional<int16_t> ReadInteger(const QString& text);
int32_t ReadScore(const QString& text);

}  // namespace quabe
