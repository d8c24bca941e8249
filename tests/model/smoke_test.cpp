#include <gtest/gtest.h>
TEST(BuildSmoke, Runs) { SUCCEED(); }
