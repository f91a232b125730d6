#pragma once
// The toolkit reports a call the program should never make (an index out of range in a
// control, a control the design lacks ...) through ui::ProgrammingError instead of throwing.
// In the test programs every such report fails the running test, unless a test expects it:
//
//   ExpectedProgrammingErrors expected;
//   EXPECT_FALSE(list.Item(9));
//   EXPECT_EQ(expected.Seen(), std::vector<std::string>{"list item index 9 of 2"});
#include <string>
#include <vector>

#include "ui/ProgrammingError.h"

// Installed by the test programs' main.
void FailTestsOnProgrammingErrors();

// Records the reports instead of failing the test, while it lives.
class ExpectedProgrammingErrors {
 public:
  ExpectedProgrammingErrors();
  ~ExpectedProgrammingErrors();
  ExpectedProgrammingErrors(const ExpectedProgrammingErrors&) = delete;
  ExpectedProgrammingErrors& operator=(const ExpectedProgrammingErrors&) = delete;

  const std::vector<std::string>& Seen() const { return seen_; }

 private:
  std::vector<std::string> seen_;
  ui::ProgrammingErrorHandler previous_;
};
