#include <gtest/gtest.h>

#include "game.h"

TEST(Points, Table) { EXPECT_EQ(quabe::Points(2), 4); }
