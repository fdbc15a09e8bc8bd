// The diagnostics and the one place where the report's format is pinned.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "skAssert.h"

using namespace skivo;

TEST(Diagnostics, WarningsPrintOnlyWhenTheirConditionFailsAndChecksReportWhereTheyFailed) {
  ::testing::internal::CaptureStderr();
  skUtil::warn(true, "quiet");
  skUtil::warn(false, "loud");
  skUtil::warn(skUtil::itos(INT_MIN));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "loud\n-2147483648\n");
  EXPECT_EXIT(skUtil::error("x"), ::testing::ExitedWithCode(1), "^x\n$");
  int one = 1;
  const std::string line = skUtil::itos(__LINE__ + 1);
  EXPECT_EXIT(skAssert(one < 0), ::testing::ExitedWithCode(1),
              "^assert failed: one < 0 \\(Line: " + line + ", file: skUtil_test\\.cpp\\)\n\n$");
  EXPECT_EXIT(skAssertMsg(one > 1, "big " + skUtil::itos(one)), ::testing::ExitedWithCode(1),
              "^assert failed: one > 1 \\(Line: [0-9]+, file: skUtil_test\\.cpp\\)\nbig 1\n$");
}

// A program that must survive a failure installs a handler that throws; the
// report it gets is the one the default prints, and the default comes back.
TEST(Diagnostics, AFailureHandlerMayThrowTheReportAndTheDefaultReturnsWhenItIsRemoved) {
  const skFailureHandler before =
      skUtil::setFailureHandler([](const skFailure& f) { throw std::runtime_error(f.text()); });
  EXPECT_EQ(before, nullptr);
  int one = 1;
  std::string caught;
  try {
    skAssertMsg(one > 1, "why");
  } catch (const std::runtime_error& e) {
    caught = e.what();
  }
  EXPECT_EQ(caught, "assert failed: one > 1 (Line: " + skUtil::itos(__LINE__ - 4) +
                        ", file: skUtil_test.cpp)\nwhy\n");
  EXPECT_THROW(skUtil::error("x"), std::runtime_error);
  // A handler that returns: the default report and status follow.
  skUtil::setFailureHandler([](const skFailure&) {});
  EXPECT_EXIT(skUtil::error("y"), ::testing::ExitedWithCode(1), "^y\n$");
  skUtil::setFailureHandler(nullptr);
  EXPECT_EXIT(skUtil::error("z"), ::testing::ExitedWithCode(1), "^z\n$");
}
