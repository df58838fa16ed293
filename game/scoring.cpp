// Points for a removed group and the six-digit score display.
#include <algorithm>

#include "game.h"

namespace quabe {

int32_t Points(int n) { return n * (n - 1) + 2; }

}  // namespace quabe
