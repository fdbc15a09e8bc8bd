#include "skGui.h"

#include <GL/gl.h>
#ifndef __EMSCRIPTEN__
#include <GL/glu.h>
#endif
#include <SDL.h>

#include <cmath>
#include <cstdlib>

#include "skGameState.h"
#include "skObject.h"
#include "skUtil2D.h"

namespace skivo {
namespace skGui {

namespace {

// SDL's reason for the last failure, on the line after our own message, so
// that the player learns why (no display, no GL visual, ...).
[[noreturn]] void sdlError(const std::string& message) {
  const std::string reason = SDL_GetError();
  SDL_Quit();
  skUtil::error(message + "\n" + reason);
}

// True when SDL found no display and fell back on its own to a video driver
// that shows nothing: the game would run for ever in a window nobody can see.
// A driver the user chose (SDL_VIDEODRIVER) is taken as meant.
bool invisibleDriver(std::string& name) {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (chosen && *chosen) return false;
  char buffer[64] = "";
  if (!SDL_VideoDriverName(buffer, sizeof buffer)) return false;
  name = buffer;
  return name == "offscreen" || name == "dummy";
}

#ifndef __EMSCRIPTEN__
// A filled 20-sided disk around the origin.
void fillDisk(skReal radius) {
  GLUquadric* quadric = gluNewQuadric();
  // Out of memory: draw nothing rather than hand GLU a null quadric.
  if (!quadric) return;
  gluPartialDisk(quadric, 0.0, radius, 20, 1, 0.0, 360.0);
  gluDeleteQuadric(quadric);
}
#else
// The browser's GL has no GLU: the same 20-sided polygon as a fan, its
// corners where GLU puts them, from +y round towards +x.
void fillDisk(skReal radius) {
  glBegin(GL_TRIANGLE_FAN);
  glVertex2f(0.0f, 0.0f);
  for (int i = 0; i <= 20; ++i) {
    const skReal a = skMath::degToRad(18.0 * i);
    glVertex2f(static_cast<float>(radius * std::sin(a)), static_cast<float>(radius * std::cos(a)));
  }
  glEnd();
}
#endif

bool vsync = false;

// A gamepad as the keys of the menus: the stick pushed past half way is an
// arrow (once, until it comes back), the first button Enter, Start (button 9
// in the browser's standard layout) pause. No button quits: one pressed by
// mistake would end a game.
Key padKey(const SDL_Event& event) {
  if (event.type == SDL_JOYBUTTONDOWN) {
    const int b = event.jbutton.button;
    return b == 0 ? Key::enter : b == 9 ? Key::pause : Key::none;
  }
  const int axis = event.jaxis.axis;
  if (axis > 1) return Key::none;
  static int pushed[2] = {0, 0};
  const int value = event.jaxis.value;
  const int now = value > 16384 ? 1 : value < -16384 ? -1 : 0;
  const int before = pushed[axis];
  pushed[axis] = now;
  if (now == 0 || now == before) return Key::none;
  // SDL's axis 1 grows towards the player.
  if (axis == 0) return now > 0 ? Key::right : Key::left;
  return now > 0 ? Key::down : Key::up;
}

}  // namespace

void requestVsync(bool on) { vsync = on; }

void createWindow(int width, int height, const std::string& title) {
#ifdef __EMSCRIPTEN__
  // The browser's SDL reports a gamepad's events only when asked for here.
  const Uint32 subsystems = SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;
#else
  const Uint32 subsystems = SDL_INIT_VIDEO;
#endif
  if (SDL_Init(subsystems) < 0) sdlError("Couldn't init SDL");
  std::string driver;
  if (invisibleDriver(driver)) {
    SDL_Quit();
    skUtil::error("Couldn't init SDL\nNo display to show the window on (SDL fell back to its '" +
                  driver + "' video driver); is DISPLAY set to a running X server?");
  }
#ifndef __EMSCRIPTEN__
  // Asked only when wanted: the game's own loop runs unthrottled.
  if (vsync) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
  // A paced game wants a quiet machine: where GL renders in software (Mesa's
  // llvmpipe, as under a virtual display), drawing this small scene in the
  // game's own thread costs less than handing it to a thread per core. Other
  // drivers ignore it; a setting of the user's own stays.
  if (vsync) setenv("LP_NUM_THREADS", "0", 0);
#endif
  if (!SDL_SetVideoMode(width, height, 0, SDL_OPENGL)) sdlError("SDL problem");
  SDL_WM_SetCaption(title.c_str(), title.c_str());
  initGL(width, height);
}

void initGL(int width, int height) {
  skAssert(0 != height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, static_cast<double>(width), 0.0, static_cast<double>(height), -2.0, 2.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDepthFunc(GL_ALWAYS);
  glDisable(GL_LINE_STIPPLE);
  glClearColor(0, 0, 0, 0);
}

void destroyWindow() { SDL_Quit(); }

void pause(int t) { SDL_Delay(static_cast<Uint32>(t)); }

bool isQuit() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) return true;
  }
  const Uint8* keys = SDL_GetKeyState(nullptr);
  return keys && keys[SDLK_ESCAPE] != 0;
}

void poll(Events& events) {
  events = Events();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) {
      events.closed = true;
    } else if (event.type == SDL_KEYDOWN) {
      const SDLKey k = event.key.keysym.sym;
      Key key = Key::none;
      if (k == SDLK_UP) key = Key::up;
      if (k == SDLK_DOWN) key = Key::down;
      if (k == SDLK_LEFT) key = Key::left;
      if (k == SDLK_RIGHT) key = Key::right;
      if (k == SDLK_RETURN || k == SDLK_KP_ENTER) key = Key::enter;
      if (k == SDLK_ESCAPE) key = Key::escape;
      if (k == SDLK_p) key = Key::pause;
      if (k == SDLK_r) key = Key::restart;
      if (k == SDLK_m) key = Key::mute;
      if (key != Key::none) events.keys.push_back(key);
    } else if (event.type == SDL_JOYBUTTONDOWN || event.type == SDL_JOYAXISMOTION) {
      const Key key = padKey(event);
      if (key != Key::none) events.keys.push_back(key);
    } else if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPINPUTFOCUS)) {
      (event.active.gain ? events.focusGained : events.focusLost) = true;
    }
  }
}

void present(const std::function<void()>& draw) {
#ifdef __EMSCRIPTEN__
  glClear(GL_COLOR_BUFFER_BIT);
#endif
  draw();
  SDL_GL_SwapBuffers();
#ifndef __EMSCRIPTEN__
  glClear(GL_COLOR_BUFFER_BIT);
#endif
}

void drawObjects(skGameState* gs) {
  for (unsigned int i = 0; i < gs->getObjectCount(); ++i) {
    gs->getObject(static_cast<int>(i))->render();
  }
}

void render(skGameState* gs) { render(gs, nullptr, nullptr); }

void render(skGameState* gs, const std::function<void()>& overlay) { render(gs, nullptr, overlay); }

void render(skGameState* gs, const std::function<void()>& underlay,
            const std::function<void()>& overlay) {
#ifdef __EMSCRIPTEN__
  // A browser shows the canvas as the frame leaves it, after the swap: clear first.
  glClear(GL_COLOR_BUFFER_BIT);
#endif
  if (underlay) underlay();
  drawObjects(gs);
  if (overlay) overlay();
  SDL_GL_SwapBuffers();
#ifndef __EMSCRIPTEN__
  // Cleared after the swap: the back buffer is ready for the next frame.
  // Colour only: nothing tests depth, and in software clearing it costs a
  // tenth of a paced game's time.
  glClear(GL_COLOR_BUFFER_BIT);
#endif
}

void fillRect(skReal x, skReal y, skReal w, skReal h) {
  glBegin(GL_QUADS);
  glVertex2f(static_cast<float>(x), static_cast<float>(y));
  glVertex2f(static_cast<float>(x + w), static_cast<float>(y));
  glVertex2f(static_cast<float>(x + w), static_cast<float>(y + h));
  glVertex2f(static_cast<float>(x), static_cast<float>(y + h));
  glEnd();
}

void setColor(const skRealVec& color) {
  glColor4f(static_cast<float>(color[0]), static_cast<float>(color[1]),
            static_cast<float>(color[2]), static_cast<float>(color[3]));
}

void drawLineSegment(const skRealVec& begin, const skRealVec& end) {
  glBegin(GL_LINES);
  glVertex2f(static_cast<float>(begin[0]), static_cast<float>(begin[1]));
  glVertex2f(static_cast<float>(end[0]), static_cast<float>(end[1]));
  glEnd();
}

void drawCircle(const skRealVec& center, const skRealVec& orientation, skReal radius) {
  glPushMatrix();
  glTranslatef(static_cast<float>(center[0]), static_cast<float>(center[1]), 0.0f);
  glRotatef(static_cast<float>(skUtil2D::angle(orientation)), 0.0f, 0.0f, 1.0f);
  fillDisk(radius);
  glPopMatrix();
}

void calcArrow(const skRealVec& direction, skRealVec& shaft, skRealVec& barb1, skRealVec& barb2) {
  const skReal lineSize = direction.length();
  const skReal headSize = 0.5 * lineSize;
  skRealVec u(direction);
  u.normalize();
  barb1 = skUtil2D::rotationMatrix(2.5).multiply(u).scale(headSize);
  barb2 = skUtil2D::rotationMatrix(-2.5).multiply(u).scale(headSize);
  shaft = u.scale(lineSize);
}

void drawArrow(const skRealVec& begin, const skRealVec& direction) {
  skRealVec lvec, hvec1, hvec2;
  calcArrow(direction, lvec, hvec1, hvec2);
  glPushMatrix();
  glTranslatef(static_cast<float>(begin[0]), static_cast<float>(begin[1]), 0.0f);
  glBegin(GL_LINE_STRIP);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(static_cast<float>(lvec[0]), static_cast<float>(lvec[1]));
  glVertex2f(static_cast<float>(lvec[0] + hvec1[0]), static_cast<float>(lvec[1] + hvec1[1]));
  glEnd();
  glPopMatrix();

  glPushMatrix();
  glTranslatef(static_cast<float>(begin[0] + lvec[0]), static_cast<float>(begin[1] + lvec[1]),
               0.0f);
  glBegin(GL_LINES);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(static_cast<float>(hvec2[0]), static_cast<float>(hvec2[1]));
  glEnd();
  glPopMatrix();
}

const skRealVec& getColorFromName(const std::string& colorName) {
  static bool filled = false;
  static skRealVec yellow(4), white(4), green(4), red(4), blue(4), magenta(4);
  if (!filled) {
    white.set(1);
    red[0] = 1;
    red[3] = 1;
    green[1] = 1;
    green[3] = 1;
    blue[2] = 1;
    blue[3] = 1;
    yellow.set(1);
    yellow[2] = 0;
    magenta.set(1);
    magenta[1] = 0;
    filled = true;
  }
  if (colorName == "yellow") return yellow;
  if (colorName == "white") return white;
  if (colorName == "green") return green;
  if (colorName == "red") return red;
  if (colorName == "blue") return blue;
  if (colorName == "magenta") return magenta;
  skUtil::error("unknown color name: " + colorName);
}

}  // namespace skGui
}  // namespace skivo
