// skFrame: one picture of the game window as read back from the X server, in
// image coordinates (column x to the right, row y downwards, pixel (0, 0) at
// the top-left), and what the tests look for in it: the drawing colours and
// the disks drawn in them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skivo {
namespace e2e {

// The game's five drawing colours, its black background, and anything else.
enum class skColour { black, white, red, green, blue, yellow, other };

const char* colourName(skColour c);

// A connected patch of one colour: its size in pixels and its centroid in
// image coordinates (pixel centres at +0.5).
struct skBlob {
  int pixels;
  double x;
  double y;
};

class skFrame {
 public:
  int width = 0;
  int height = 0;
  // 0xRRGGBB, row by row from the top.
  std::vector<std::uint32_t> rgb;
  // Milliseconds of the driver's steady clock when the picture was taken.
  double takenMs = 0.0;

  std::uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
  skColour colourAt(int x, int y) const;
  int count(skColour c) const;
  // Patches of colour c (pixels touching by an edge or a corner) of at least
  // minPixels pixels, largest first.
  std::vector<skBlob> blobs(skColour c, int minPixels) const;
  // Writes a binary PPM, for looking at a frame a test rejected.
  bool savePpm(const std::string& path) const;
};

skColour classify(std::uint32_t rgb);

// The player's disk: the largest blue patch when there is one (no one else
// is ever blue), else the largest red one (the player blinking as "it").
// False when neither is at least minPixels large.
bool findPlayer(const skFrame& f, int minPixels, skBlob& out);

// The shortest signed step from a to b on a ring of the given length, so
// that a disk leaving one edge and coming back at the other is followed.
double ringStep(double a, double b, double length);

}  // namespace e2e
}  // namespace skivo
