// Test entry: the wheel tables are built once per test program, as the
// programs themselves do before anything else.
#include <gtest/gtest.h>

#include "wheel/wheel_tables.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  roughpi::build_wheel_tables();
  return RUN_ALL_TESTS();
}
