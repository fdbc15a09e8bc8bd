// The fixture of the end-to-end tests: every test gets a freshly started game
// on its own virtual X server, and a rejected frame is saved for inspection.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "skGameSession.h"
#include "skLayout.h"

namespace skivo {
namespace e2e {

// The program under test (skivo or skivo-classic, matching the rules this
// driver is linked with) and its start-up layout; both set up by main.
// Whether the classic game is under test (SKIVO_E2E_RULES=classic), else the full one.
bool classicGame();
const std::string& programUnderTest();
const skLayout& startLayout();

class GameTest : public ::testing::Test {
 protected:
  skGameSession session;

  void SetUp() override {
    std::string why;
    ASSERT_TRUE(session.start(programUnderTest(), why)) << why;
  }

  void TearDown() override {
    if (!HasFailure() || session.lastFrame().rgb.empty()) return;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path = std::string(info->name()) + ".ppm";
    if (session.lastFrame().savePpm(path)) std::cerr << "last frame saved as " << path << "\n";
  }
};

}  // namespace e2e
}  // namespace skivo
