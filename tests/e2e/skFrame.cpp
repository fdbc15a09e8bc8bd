#include "skFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace skivo {
namespace e2e {

const char* colourName(skColour c) {
  switch (c) {
    case skColour::black:
      return "black";
    case skColour::white:
      return "white";
    case skColour::red:
      return "red";
    case skColour::green:
      return "green";
    case skColour::blue:
      return "blue";
    case skColour::yellow:
      return "yellow";
    case skColour::other:
      break;
  }
  return "other";
}

skColour classify(std::uint32_t rgb) {
  switch (rgb) {
    case 0x000000:
      return skColour::black;
    case 0xFFFFFF:
      return skColour::white;
    case 0xFF0000:
      return skColour::red;
    case 0x00FF00:
      return skColour::green;
    case 0x0000FF:
      return skColour::blue;
    case 0xFFFF00:
      return skColour::yellow;
    default:
      return skColour::other;
  }
}

skColour skFrame::colourAt(int x, int y) const { return classify(at(x, y)); }

int skFrame::count(skColour c) const {
  return static_cast<int>(
      std::count_if(rgb.begin(), rgb.end(), [c](std::uint32_t p) { return classify(p) == c; }));
}

std::vector<skBlob> skFrame::blobs(skColour c, int minPixels) const {
  std::vector<skBlob> found;
  std::vector<char> seen(rgb.size(), 0);
  std::vector<int> stack;
  for (int start = 0; start < static_cast<int>(rgb.size()); ++start) {
    if (seen[start] || classify(rgb[start]) != c) continue;
    seen[start] = 1;
    stack.assign(1, start);
    long long sumX = 0, sumY = 0;
    int n = 0;
    while (!stack.empty()) {
      const int p = stack.back();
      stack.pop_back();
      const int px = p % width, py = p / width;
      sumX += px;
      sumY += py;
      ++n;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int qx = px + dx, qy = py + dy;
          if (qx < 0 || qy < 0 || qx >= width || qy >= height) continue;
          const int q = qy * width + qx;
          if (seen[q] || classify(rgb[q]) != c) continue;
          seen[q] = 1;
          stack.push_back(q);
        }
      }
    }
    if (n >= minPixels) {
      found.push_back(
          {n, static_cast<double>(sumX) / n + 0.5, static_cast<double>(sumY) / n + 0.5});
    }
  }
  std::sort(found.begin(), found.end(),
            [](const skBlob& a, const skBlob& b) { return a.pixels > b.pixels; });
  return found;
}

bool skFrame::savePpm(const std::string& path) const {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (std::uint32_t p : rgb) {
    const unsigned char px[3] = {static_cast<unsigned char>(p >> 16),
                                 static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
    std::fwrite(px, 1, 3, out);
  }
  return std::fclose(out) == 0;
}

bool findPlayer(const skFrame& f, int minPixels, skBlob& out) {
  for (skColour c : {skColour::blue, skColour::red}) {
    if (f.count(c) == 0) continue;
    const std::vector<skBlob> b = f.blobs(c, minPixels);
    if (b.empty()) return false;
    out = b.front();
    return true;
  }
  return false;
}

double ringStep(double a, double b, double length) {
  double d = std::fmod(b - a, length);
  if (d >= length / 2) d -= length;
  if (d < -length / 2) d += length;
  return d;
}

}  // namespace e2e
}  // namespace skivo
