#include "support/programming_errors.h"

#include <gtest/gtest.h>

void FailTestsOnProgrammingErrors() {
  ui::SetProgrammingErrorHandler([](const std::string& what) { ADD_FAILURE() << "programming error: " << what; });
}

ExpectedProgrammingErrors::ExpectedProgrammingErrors()
    : previous_(ui::SetProgrammingErrorHandler([this](const std::string& what) { seen_.push_back(what); })) {}

ExpectedProgrammingErrors::~ExpectedProgrammingErrors() { ui::SetProgrammingErrorHandler(std::move(previous_)); }
