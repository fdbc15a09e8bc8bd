#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "skAssert.h"
#include "skUtil.h"

using namespace skivo;

TEST(Warn, PrintsTheMessageOnItsOwnLineOnlyWhenTheConditionFails) {
  ::testing::internal::CaptureStderr();
  skUtil::warn(true, "quiet");
  skUtil::warn(false, "loud");
  skUtil::warn(skUtil::itos(INT_MIN));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "loud\n-2147483648\n");
}

TEST(Error, PrintsTheMessageAndFailsTheProcess) {
  EXPECT_EXIT(skUtil::error("x"), ::testing::ExitedWithCode(1), "^x\n$");
  EXPECT_EXIT(skUtil::error("a == b", 12, "here.cpp", "why"), ::testing::ExitedWithCode(1),
              "^assert failed: a == b \\(Line: 12, file: here\\.cpp\\)\nwhy\n$");
}

TEST(Assert, PrintsTheExpressionTheLineTheBareFileNameAndTheMessage) {
  int one = 1;
  const int msgLine = __LINE__ + 1;
  EXPECT_EXIT(skAssertMsg(one < 0, "negative " + skUtil::itos(one)), ::testing::ExitedWithCode(1),
              "^assert failed: one < 0 \\(Line: " + skUtil::itos(msgLine) +
                  ", file: skUtil_test\\.cpp\\)\nnegative 1\n$");
}
