#pragma once
// The window's calls into the piece-set folders, kept apart from the rules'
// header: both name a kPieceSize, in pixels there and in board units here.
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>

class QWidget;

namespace quabe {

// The folder the sets and sounds are read from.
QString GameFolder();

// Loads set `number` into `pieces`, falling back as the set loader does; `number`
// becomes the set really in use (1 for the built-in pieces). Returns the board colour.
uint32_t LoadGameSet(int& number, std::array<QImage, 7>& pieces,
                     const std::array<QImage, 7>& builtIn);

// The modal chooser: the chosen set, or `current` when cancelled.
int ChooseGameSet(QWidget* parent, int current);

}  // namespace quabe
