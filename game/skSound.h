// skSound: the games' few sounds, synthesised at start-up (no sample files):
// a short two-note blip when the tag passes between others, a falling tone
// when the player becomes "it", and a soft tick for each second the player
// stays "it". Played through SDL's audio, mixed in its callback; no audio
// device (or a driver that fails) means silence, never an error. M in a
// game mutes (setMuted). One skSound a process: SDL has one audio device.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace skivo {

class skSound {
 public:
  enum Kind { tagPassed, becameIt, tick, kindCount };
  static constexpr int rate = 22050;  // samples a second, mono, 16 bits

  skSound();
  ~skSound();
  skSound(const skSound&) = delete;
  skSound& operator=(const skSound&) = delete;

  // Opens SDL's audio device and starts it; false (and silence) when there
  // is none.
  bool open();
  bool isOpen() const { return opened; }
  // Stops the device (before SDL is shut down).
  void close();
  // Starts sound k from its beginning (one voice a kind); nothing while
  // muted. Without a device nothing is heard.
  void play(Kind k);
  void setMuted(bool on) { muted = on; }
  bool isMuted() const { return muted; }

  // The samples of sound k (for tests).
  const std::vector<std::int16_t>& samples(Kind k) const { return sounds[k]; }
  // Fills out with the next n samples of what plays (SDL's callback).
  void mix(std::int16_t* out, int n);

 private:
  std::vector<std::int16_t> sounds[kindCount];
  // Where each kind is within its samples; its size when it is not playing.
  std::atomic<int> at[kindCount];
  bool opened = false;
  std::atomic<bool> muted{false};
};

}  // namespace skivo
