#include "set_calls.h"

#include "piece_sets.h"
#include "set_chooser.h"

namespace quabe {

QString GameFolder() {
    return ProgramFolder();
}

uint32_t LoadGameSet(int& number, std::array<QImage, 7>& pieces,
                     const std::array<QImage, 7>& builtIn) {
    PieceSet set = LoadPieceSet(ProgramFolder(), number, builtIn);
    pieces = set.pieces;
    number = set.number != 0 ? set.number : 1;
    return set.boardColor;
}

int ChooseGameSet(QWidget* parent, int current) {
    return ChooseSet(parent, ProgramFolder(), current);
}

}  // namespace quabe
