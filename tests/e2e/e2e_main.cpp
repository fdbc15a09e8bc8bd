// The end-to-end driver. The start-up layout is computed first, before
// anything else can draw a random number, so that it matches what a freshly
// started game builds.
#include <gtest/gtest.h>

#include "skGameTest.h"

namespace skivo {
namespace e2e {

namespace {
skLayout layout;
}

const std::string& programUnderTest() {
  static const std::string path = SKIVO_E2E_PROGRAM;
  return path;
}

const skLayout& startLayout() { return layout; }

}  // namespace e2e
}  // namespace skivo

int main(int argc, char** argv) {
  skivo::e2e::layout = skivo::e2e::skLayout::fromScenario();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
