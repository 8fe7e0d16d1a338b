#include <gtest/gtest.h>
#include "engine/model.h"
TEST(Smoke, Runs) { EXPECT_EQ(1, 1); }
