// Every file the generator writes: each picture of the game's picture list with the painter that
// draws it (in the game's load order), the two sound effects and the two tunes.
#pragma once

#include <cstdint>
#include <vector>

#include "assets/painters.h"
#include "game/picture_list.h"

namespace assetgen {

// A picture to paint: its row of the picture list (name and size copied from it) and its painter.
struct PictureSpec {
  ImageId id;
  const char* name;  // path under the program directory, letter case as the game asks for it
  int width;
  int height;
  Painter paint;
  int variant;
};

extern const PictureSpec kPictures[];
extern const int kPictureCount;

struct SoundSpec {
  const char* name;
  std::vector<int16_t> (*synthesize)();  // mono samples at kSoundRate
};
extern const SoundSpec kSounds[];
extern const int kSoundCount;
inline constexpr int kSoundRate = 22050;

struct TuneSpec {
  const char* name;
  std::vector<uint8_t> (*compose)();  // the whole Standard MIDI file
};
extern const TuneSpec kTunes[];
extern const int kTuneCount;

// Sounds (sounds.cpp) and tunes (music.cpp).
std::vector<int16_t> SynthesizeShot();
std::vector<int16_t> SynthesizeExplosion();
std::vector<uint8_t> ComposeStageTune();
std::vector<uint8_t> ComposeEndingTune();

}  // namespace assetgen
