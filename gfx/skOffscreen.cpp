#include "skOffscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "skGui.h"

namespace skivo {

skOffscreen::skOffscreen(int w, int h) : width(w), height(h) {
  const auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!platformDisplay) {
    error = "EGL cannot choose a platform (no eglGetPlatformDisplayEXT)";
    return;
  }
  EGLDisplay d = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (d == EGL_NO_DISPLAY || !eglInitialize(d, nullptr, nullptr)) {
    error = "EGL has no surfaceless display (is Mesa's libegl-mesa0 installed?)";
    return;
  }
  display = d;
  const EGLint wanted[] = {
      EGL_SURFACE_TYPE,    EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
      EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,  EGL_NONE};
  EGLConfig config;
  EGLint found = 0;
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  if (!eglChooseConfig(d, wanted, &config, 1, &found) || found < 1 ||
      (surface = eglCreatePbufferSurface(d, config, size)) == EGL_NO_SURFACE ||
      !eglBindAPI(EGL_OPENGL_API) ||
      (context = eglCreateContext(d, config, EGL_NO_CONTEXT, nullptr)) == EGL_NO_CONTEXT) {
    error = "EGL has no off-screen OpenGL picture of " + std::to_string(width) + " x " +
            std::to_string(height) + " (EGL error " + std::to_string(eglGetError()) + ")";
    context = nullptr;
  }
}

skOffscreen::~skOffscreen() {
  if (!display) return;
  if (eglGetCurrentContext() == context) {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
  if (context) eglDestroyContext(display, context);
  if (surface) eglDestroySurface(display, surface);
  // The display stays initialised: EGL shares it with any other picture.
}

void skOffscreen::begin() {
  eglMakeCurrent(display, surface, surface, context);
  skGui::initGL(width, height);
  glClear(GL_COLOR_BUFFER_BIT);
}

void skOffscreen::read(std::uint8_t* rgb) const {
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<std::uint8_t> flipped(row * static_cast<size_t>(height));
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, flipped.data());
  // GL's first row is the bottom one.
  for (int y = 0; y < height; ++y) {
    std::memcpy(rgb + row * static_cast<size_t>(y),
                flipped.data() + row * static_cast<size_t>(height - 1 - y), row);
  }
}

}  // namespace skivo
