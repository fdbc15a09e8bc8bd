#include "skSound.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace skivo {

namespace {

// A tone sweeping from f0 to f1 Hz over ms, at volume (0 to 1), with short
// ramps at both ends so that it starts and stops without a click.
void tone(std::vector<std::int16_t>& out, double f0, double f1, int ms, double volume) {
  const int n = skSound::rate * ms / 1000;
  const int ramp = std::max(1, std::min(n / 4, skSound::rate / 200));
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double f = f0 + (f1 - f0) * i / n;
    phase += 2 * M_PI * f / skSound::rate;
    const double envelope =
        std::min({1.0, static_cast<double>(i) / ramp, static_cast<double>(n - 1 - i) / ramp});
    out.push_back(static_cast<std::int16_t>(32767 * volume * envelope * std::sin(phase)));
  }
}

void callback(void* sound, Uint8* stream, int bytes) {
  static_cast<skSound*>(sound)->mix(reinterpret_cast<std::int16_t*>(stream),
                                    bytes / static_cast<int>(sizeof(std::int16_t)));
}

}  // namespace

skSound::skSound() {
  tone(sounds[tagPassed], 660, 660, 60, 0.25);
  tone(sounds[tagPassed], 990, 990, 60, 0.25);
  tone(sounds[becameIt], 520, 260, 220, 0.3);
  tone(sounds[tick], 1800, 1800, 12, 0.08);
  for (int k = 0; k < kindCount; ++k) at[k] = static_cast<int>(sounds[k].size());
}

skSound::~skSound() { close(); }

void skSound::close() {
  if (!opened) return;
  SDL_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  opened = false;
}

bool skSound::open() {
  if (opened) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  want.callback = callback;
  want.userdata = this;
  // SDL converts for a device that wants another format.
  if (SDL_OpenAudio(&want, nullptr) < 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  opened = true;
  SDL_PauseAudio(0);
  return true;
}

void skSound::play(Kind k) {
  if (!muted) at[k] = 0;
}

void skSound::mix(std::int16_t* out, int n) {
  std::fill(out, out + n, 0);
  for (int k = 0; k < kindCount; ++k) {
    int start = at[k];
    const int size = static_cast<int>(sounds[k].size());
    int i = start;
    for (int j = 0; j < n && i < size; ++j, ++i) {
      out[j] = static_cast<std::int16_t>(
          std::max(-32768, std::min(32767, out[j] + sounds[k][static_cast<size_t>(i)])));
    }
    // Unless play() started it anew meanwhile.
    if (i != start) at[k].compare_exchange_strong(start, i);
  }
  if (muted) std::fill(out, out + n, 0);
}

}  // namespace skivo
