// skOffscreen: a picture drawn without a window, through EGL on Mesa's
// surfaceless platform (software rendering, no display needed), with the
// same GL calls as the games: what the Python module's render() returns.
// Make it, make it current, draw (skGui::initGL has set up the game's
// view), then read the picture back.
#pragma once

#include <cstdint>
#include <string>

namespace skivo {

class skOffscreen {
 public:
  // A width x height picture (pixels). Check ok() before drawing.
  skOffscreen(int width, int height);
  ~skOffscreen();
  skOffscreen(const skOffscreen&) = delete;
  skOffscreen& operator=(const skOffscreen&) = delete;

  // False, with why(), when EGL or its GL context could not be had.
  bool ok() const { return context != nullptr; }
  const std::string& why() const { return error; }
  // Makes this picture the target of GL calls in the calling thread, with
  // the game's view (skGui::initGL), cleared to black.
  void begin();
  // Copies the picture, top row first, as RGB bytes (width x height x 3).
  void read(std::uint8_t* rgb) const;
  int getWidth() const { return width; }
  int getHeight() const { return height; }

 private:
  int width, height;
  void* display = nullptr;
  void* surface = nullptr;
  void* context = nullptr;
  std::string error;
};

}  // namespace skivo
