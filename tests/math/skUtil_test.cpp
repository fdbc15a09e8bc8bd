// The diagnostics and the one place where the report's format is pinned.
#include <gtest/gtest.h>

#include <climits>
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
