// skTimerBase<T>: a game clock that counts running time in integer
// milliseconds. T supplies the raw clock, int time() const.
#pragma once

namespace skivo {

template <class T>
class skTimerBase {
 public:
  static constexpr int ticksPerSec = 1000;

  // Stopped at game time 0.
  skTimerBase() : startTime(0), baseTime(0), isRunning(false) {}

  // Starting a running clock changes nothing.
  void start() {
    if (!isRunning) {
      startTime = time();
      isRunning = true;
    }
  }

  // Pauses the clock; gameTime() then stays at the time reached.
  void stop() {
    if (isRunning) {
      baseTime = gameTime();
      isRunning = false;
    }
  }

  bool isStopped() const { return !isRunning; }

  // Milliseconds of running time. The difference of raw readings is taken
  // modulo 2^32, so a raw counter that wraps still gives the elapsed time.
  int gameTime() const {
    if (!isRunning) return baseTime;
    const unsigned int elapsed =
        static_cast<unsigned int>(time()) - static_cast<unsigned int>(startTime);
    return baseTime + static_cast<int>(elapsed);
  }

  // The raw clock of T, in milliseconds.
  int time() const { return static_cast<const T*>(this)->time(); }

 private:
  int startTime;
  int baseTime;
  bool isRunning;
};

}  // namespace skivo
