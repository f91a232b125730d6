#include <gtest/gtest.h>

#include "test_child.h"
#include "test_service.h"

int main(int argc, char** argv) {
  int childResult = RunTestChildIfAsked(argc, argv);
  if (childResult >= 0) return childResult;
  int serviceResult = RunTestServiceIfAsked(argc, argv);
  if (serviceResult >= 0) return serviceResult;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
