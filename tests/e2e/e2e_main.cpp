// The end-to-end driver. The start-up layout is computed first, before
// anything else can draw a random number, so that it matches what a freshly
// started game builds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "skGameTest.h"

namespace skivo {
namespace e2e {

namespace {
skLayout layout;
}

bool classicGame() {
  const char* rules = std::getenv("SKIVO_E2E_RULES");
  return rules && std::strcmp(rules, "classic") == 0;
}

const std::string& programUnderTest() {
  static const std::string path = classicGame() ? SKIVO_E2E_CLASSIC : SKIVO_E2E_FULL;
  return path;
}

const skLayout& startLayout() { return layout; }

}  // namespace e2e
}  // namespace skivo

int main(int argc, char** argv) {
  skivo::e2e::layout = skivo::e2e::skLayout::fromScenario(
      skivo::e2e::classicGame() ? skivo::skRules::classic() : skivo::skRules::full());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
