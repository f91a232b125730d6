#include <gtest/gtest.h>

#include "platform/registry.h"
#include "shell/ProgramState.h"
#include "programming_errors.h"
#include "test_child.h"
#include "test_service.h"

#include <cstdio>

namespace {

// A test that crashes ends its program at once with a line that names it, instead of
// waiting for a debugger to attach (which under an emulated Wine takes minutes).
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::fprintf(stdout, "\n*** unhandled exception 0x%08lX at %p in %s.%s\n",
               info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress,
               test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  int childResult = RunTestChildIfAsked(argc, argv);
  if (childResult >= 0) return childResult;
  int serviceResult = RunTestServiceIfAsked(argc, argv);
  if (serviceResult >= 0) return serviceResult;
  // As after the first start of a user who answered the restore-point question: tests
  // that open the main window are not asked it. Its own tests remove the value.
  platform::RegKey::Create(HKEY_CURRENT_USER, kSettingsKey, KEY_WOW64_64KEY).WriteDword("RestorSet", 1);
  // The masks as the program's start sets them on 64-bit Windows.
  RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
  SetUnhandledExceptionFilter(ReportCrash);
  FailTestsOnProgrammingErrors();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
