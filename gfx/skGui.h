// skGui: the one place that talks to the window system and OpenGL. Opens the
// window, sets up a 2D projection of one world unit per pixel (origin at the
// lower-left corner, y growing upwards), draws a frame of the whole world,
// reports quit requests and offers the drawing primitives of the renderers.
// Points and vectors are 2-element skRealVec values in world units; colours
// are 4-element skRealVec values (red, green, blue, alpha, each in 0..1).
// Everything here runs on the main thread, which owns the GL context.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skVec.h"

namespace skivo {

class skGameState;

namespace skGui {

// Asks the windows opened from now on to swap buffers in step with the
// display (vertical sync), where the driver can, and software rendering to
// keep to the game's own thread; off by default.
void requestVsync(bool on);
// Starts SDL's video, opens a width x height pixel window with a default
// double-buffered OpenGL context, titles it and sets up the projection.
// Fatal (exit status 1) with "Couldn't init SDL" or "SDL problem", followed by
// SDL's own reason on the next line.
void createWindow(int width, int height, const std::string& title);
// The projection covering [0, width] x [0, height]; black background.
// Precondition: height != 0 (checked). Called by createWindow.
void initGL(int width, int height);
// Shuts SDL down (the window closes with it).
void destroyWindow();
// Sleeps t milliseconds.
void pause(int t);
// Drains SDL's event queue; true on a quit request (the events behind it stay
// queued) or while Escape is held.
bool isQuit();

// The keys of the games' menus and controls.
enum class Key { none, up, down, left, right, enter, escape, pause, restart, mute };
// What happened since the last poll: the window closed, the keys pressed (in
// order), the keyboard focus lost or gained.
struct Events {
  bool closed = false;
  std::vector<Key> keys;
  bool focusLost = false;
  bool focusGained = false;
};
// Drains SDL's event queue into events (held keys stay readable through
// SDL's key state, as the keyboard controllers read them).
void poll(Events& events);
// Draws every object of gs in object-index order into whatever GL context
// is current (a window's back buffer, skOffscreen's picture); no swap.
void drawObjects(skGameState* gs);
// Draws every object of gs in object-index order, swaps buffers, then clears
// the back buffer for the next frame. gs is not owned.
void render(skGameState* gs);
// The same, with overlay drawn over the world before the swap.
void render(skGameState* gs, const std::function<void()>& overlay);
// The same, with underlay drawn first, under the world (either may be empty).
void render(skGameState* gs, const std::function<void()>& underlay,
            const std::function<void()>& overlay);

// A frame of draw's own (a menu, a summary) on a black background: draws it
// and swaps buffers.
void present(const std::function<void()>& draw);

// The colour of everything drawn until the next call.
void setColor(const skRealVec& color);
void drawLineSegment(const skRealVec& begin, const skRealVec& end);
// A filled rectangle from (x, y), its lower left corner, w wide and h high.
void fillRect(skReal x, skReal y, skReal w, skReal h);
// A filled 20-sided disk turned with the unit vector orientation; radius in world units.
void drawCircle(const skRealVec& center, const skRealVec& orientation, skReal radius);
// A shaft from begin along direction, and two barbs at its tip, half as long
// as the shaft, leaning back at about 36.8 degrees to it.
void drawArrow(const skRealVec& begin, const skRealVec& direction);
// The vertices of drawArrow relative to begin: shaft = the tip, and the two
// barbs relative to the tip. A near-zero direction gives all zeros.
void calcArrow(const skRealVec& direction, skRealVec& shaft, skRealVec& barb1, skRealVec& barb2);

// The colour named "yellow", "white", "green", "red", "blue" or "magenta" (exact,
// case-sensitive). The reference stays valid and unchanged for the whole run.
// Any other name is fatal: "unknown color name: <name>".
const skRealVec& getColorFromName(const std::string& colorName);

}  // namespace skGui

}  // namespace skivo
