#include <gtest/gtest.h>

#include "test_child.h"

int main(int argc, char** argv) {
  int childResult = RunTestChildIfAsked(argc, argv);
  if (childResult >= 0) return childResult;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
