#include <gtest/gtest.h>
#include "skGameState.h"
#include "skCharacter.h"
#include "skPerception.h"
#include "skController.h"
#include "skObstacleSide.h"
#include "skTimer.h"
#include "skUtil2D.h"
#include "skMatrix.h"
using namespace skivo;
TEST(Smoke, Builds) {
  skGameState gs;
  skTimer t; gs.setTimer(&t);
  EXPECT_EQ(gs.getObjectCount(), 0u);
  skRealMatrix m(2,2);
  EXPECT_EQ(m.getRow(1).size(), 2u);
}
