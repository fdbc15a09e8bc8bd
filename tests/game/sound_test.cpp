// The games' sounds: what the mixer hands the device, and what SDL's disk
// audio driver writes: silence until a tag, sound right after it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "skSound.h"

using namespace skivo;

namespace {

int peak(const std::vector<std::int16_t>& s) {
  int p = 0;
  for (std::int16_t v : s) p = std::max(p, std::abs(static_cast<int>(v)));
  return p;
}

std::vector<std::int16_t> mixed(skSound& sound, int n) {
  std::vector<std::int16_t> out(static_cast<size_t>(n), 1);
  sound.mix(out.data(), n);
  return out;
}

}  // namespace

TEST(Sound, IsSilentUntilPlayedAndEachSoundIsHeardWholeThenStops) {
  skSound sound;
  EXPECT_EQ(peak(mixed(sound, 4096)), 0);
  for (int k = 0; k < skSound::kindCount; ++k) {
    const auto kind = static_cast<skSound::Kind>(k);
    const std::vector<std::int16_t>& s = sound.samples(kind);
    ASSERT_FALSE(s.empty());
    EXPECT_LT(s.size(), static_cast<size_t>(skSound::rate / 2)) << "short sounds";
    sound.play(kind);
    // Handed over in pieces, as the device asks for them.
    std::vector<std::int16_t> heard;
    for (int piece = 0; piece < 40; ++piece) {
      const std::vector<std::int16_t> m = mixed(sound, 512);
      heard.insert(heard.end(), m.begin(), m.end());
    }
    ASSERT_GE(heard.size(), s.size());
    EXPECT_TRUE(std::equal(s.begin(), s.end(), heard.begin())) << "sound " << k;
    EXPECT_EQ(peak(std::vector<std::int16_t>(heard.begin() + s.size(), heard.end())), 0);
  }
  // The tick is soft beside the others, which differ.
  EXPECT_LT(peak(sound.samples(skSound::tick)), peak(sound.samples(skSound::tagPassed)) / 2);
  EXPECT_NE(sound.samples(skSound::tagPassed), sound.samples(skSound::becameIt));
  // Muted: nothing starts, and what plays falls silent.
  sound.play(skSound::becameIt);
  sound.setMuted(true);
  sound.play(skSound::tagPassed);
  EXPECT_EQ(peak(mixed(sound, 4096)), 0);
}

// Through SDL's disk audio driver, which writes what the device would play
// to a file: silence before the tag passes, sound right after.
TEST(Sound, TheDiskDriverWritesSilenceBeforeATagAndSoundAfterIt) {
  const std::string file = ::testing::TempDir() + "/skivo-sound-" + std::to_string(getpid());
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "5", 1);
  const auto samples = [&file] {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::int16_t> s(bytes.size() / 2);
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(2 * s.size()),
              reinterpret_cast<char*>(s.data()));
    return s;
  };
  {
    skSound sound;
    ASSERT_TRUE(sound.open()) << "the disk driver did not open";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<std::int16_t> before = samples();
    ASSERT_GT(before.size(), 1000u) << "nothing written";
    EXPECT_EQ(peak(before), 0) << "sound before any tag";
    sound.play(skSound::tagPassed);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<std::int16_t> after = samples();
    ASSERT_GT(after.size(), before.size());
    EXPECT_GT(peak(std::vector<std::int16_t>(after.begin() + static_cast<long>(before.size()),
                                             after.end())),
              1000)
        << "silence after the tag";
  }
  unsetenv("SDL_AUDIODRIVER");
  std::remove(file.c_str());
}
