#include "statistics.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <algorithm>

#include "bounded_read.h"
#include "set_aside.h"

namespace quabe {
namespace {

// The file is a few hundred bytes; anything far larger is not the game's.
constexpr qint64 kReadLimit = 4096;
// Digits: a figure read, plus all a player could add to it, stays far inside 64 bits.
constexpr int kLongestFigure = 18;

struct Figure {
    const char* key;
    int64_t Statistics::*value;
};

// In the order the file holds them.
constexpr Figure kFigures[] = {
    {"GamesOnePlayer", &Statistics::GamesOnePlayer},
    {"GamesTwoPlayers", &Statistics::GamesTwoPlayers},
    {"BoardsCleared", &Statistics::BoardsCleared},
    {"BestScore", &Statistics::BestScore},
    {"ScoreTotal", &Statistics::ScoreTotal},
    {"Wins", &Statistics::Wins},
    {"Losses", &Statistics::Losses},
    {"Draws", &Statistics::Draws},
    {"BiggestGroup", &Statistics::BiggestGroup},
    {"MinesSetOff", &Statistics::MinesSetOff},
};

std::optional<int64_t> WholeNumber(QByteArrayView text) {
    if (text.isEmpty() || text.size() > kLongestFigure) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

LoadedStatistics Damaged(const QString& path) {
    LoadedStatistics loaded;
    loaded.setAside = SetAside(path);
    loaded.saveable = !loaded.setAside.isEmpty();
    return loaded;
}

}  // namespace

void CountPlay(Statistics& s, const PlayTally& tally) {
    s.BoardsCleared += std::max(tally.BoardsCleared, 0);
    s.MinesSetOff += std::max(tally.MinesSetOff, 0);
    s.BiggestGroup = std::max<int64_t>(s.BiggestGroup, tally.BiggestGroup);
}

void CountGame(Statistics& s, int32_t score1, int32_t score2, bool twoPlayers) {
    ++(twoPlayers ? s.GamesTwoPlayers : s.GamesOnePlayer);
    s.BestScore = std::max<int64_t>(s.BestScore, score1);
    s.ScoreTotal += std::max(score1, 0);
    if (!twoPlayers) return;
    const Outcome outcome = Winner(score1, score2);
    ++(outcome == Outcome::PlayerWins     ? s.Wins
       : outcome == Outcome::ComputerWins ? s.Losses
                                          : s.Draws);
}

int64_t GamesPlayed(const Statistics& s) {
    return s.GamesOnePlayer + s.GamesTwoPlayers;
}

int64_t AverageScore(const Statistics& s) {
    const int64_t games = GamesPlayed(s);
    return games == 0 ? 0 : (s.ScoreTotal + games / 2) / games;
}

std::array<ShownFigure, kShownFigures> ShownFigures(const Statistics& s) {
    return {{{"One-player games", s.GamesOnePlayer},
             {"Two-player games", s.GamesTwoPlayers},
             {"Boards cleared", s.BoardsCleared},
             {"Best score", s.BestScore},
             {"Average score", AverageScore(s)},
             {"Games won against the computer", s.Wins},
             {"Games lost", s.Losses},
             {"Games drawn", s.Draws},
             {"Biggest group", s.BiggestGroup},
             {"Mines set off", s.MinesSetOff}}};
}

QByteArray StatisticsText(const Statistics& s) {
    QByteArray text = "# Quabe Pro statistics\n";
    for (const Figure& f : kFigures)
        text += QByteArray(f.key) + '=' + QByteArray::number(s.*f.value) + '\n';
    return text;
}

std::optional<Statistics> ReadStatisticsText(const QByteArray& text) {
    Statistics s;
    int found = 0;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) return std::nullopt;
        const QByteArrayView key = QByteArrayView(line).first(equals);
        const auto figure = std::find_if(std::begin(kFigures), std::end(kFigures),
                                         [&](const Figure& f) { return key == f.key; });
        if (figure == std::end(kFigures)) continue;  // a later game's figure
        const std::optional<int64_t> value = WholeNumber(QByteArrayView(line).sliced(equals + 1));
        if (!value) return std::nullopt;
        s.*figure->value = *value;
        found |= 1 << (figure - std::begin(kFigures));
    }
    if (found != (1 << std::size(kFigures)) - 1) return std::nullopt;
    return s;
}

LoadedStatistics LoadStatistics(const QString& path) {
    const BoundedRead file = ReadBounded(path, kReadLimit);
    if (file.problem == BoundedRead::Problem::Missing)
        return QFileInfo(path).isSymLink() ? Damaged(path) : LoadedStatistics{};  // a dangling link
    const std::optional<Statistics> read =
        file.Whole() ? ReadStatisticsText(file.bytes) : std::nullopt;
    if (!read) return Damaged(path);
    LoadedStatistics loaded;
    loaded.statistics = *read;
    return loaded;
}

bool SaveStatistics(const Statistics& s, const QString& path) {
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).path())) return false;
    QSaveFile file(path);
    const QByteArray text = StatisticsText(s);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

}  // namespace quabe
