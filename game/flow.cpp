#include "game.h"
