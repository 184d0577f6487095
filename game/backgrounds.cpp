#include "game/backgrounds.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>

#include "engine/el_draw.h"
#include "engine/profile.h"
#include "engine/shell.h"
#include "game/asset_list.h"
#include "game/background_data.h"
#include "game/game_states.h"
#include "game/parking.h"
#include "game/stage_drivers.h"

namespace {

constexpr int kTileWidth = 360;
constexpr int kTileHeight = 480;
constexpr int kLastTile = kBackgroundTileCount - 1;

// A band of a layer's speed table: every band with lo <= distance <= hi adds its speed, so on a
// shared bound two neighbouring speeds add up for that frame.
struct SpeedBand {
  float lo, hi;
  float speed;
};

constexpr float kOnward = 3.0e38f;  // "and above"

constexpr SpeedBand kOverlayBands[] = {
    {0, 500, 150},  {500, 530, 200}, {530, 560, 300},   {560, 590, 400},        {590, 620, 300},
    {620, 650, 400}, {650, 1000, 250}, {1000, 1150, 200}, {1150, kOnward, 150},
};
constexpr SpeedBand kS1NearBands[] = {
    {0, 500, 140},  {500, 530, 150}, {530, 560, 250},   {560, 590, 350},        {590, 620, 450},
    {620, 650, 550}, {650, 1000, 650}, {1000, 1150, 300}, {1150, kOnward, 150},
};
constexpr SpeedBand kS2NearBands[] = {
    {0, 400, 180},  {400, 450, 200}, {450, 500, 250},   {500, 550, 320},        {550, 600, 390},
    {600, 650, 450}, {650, 1000, 400}, {1000, 1150, 360}, {1150, kOnward, 240},
};

// One scrolling layer: its tiles and picture, a fixed speed or a speed table on the distance, how
// the restack test compares the last tile's y with 0, and whether a restacked tile moves to x 140.
struct Layer {
  BackgroundTile* tiles;
  ImageId picture;
  float fixedSpeed;                 // used when the table is empty
  std::span<const SpeedBand> bands;
  bool restackAtZero;               // true: y >= 0; false: y > 0
  bool restackMovesX;
  bool additiveOption;              // drawn additively while gOverlayBlend is 1
};

const Layer kOverlay = {gBackOverlay, kImgBBACK8S, 0.0f, kOverlayBands, true, false, true};
const Layer kS1Near = {gBackS1Near, kImgBBACK3S, 0.0f, kS1NearBands, false, false, false};
const Layer kS1Far = {gBackS1Far, kImgBBACK1S, 130.0f, {}, false, true, false};
const Layer kS2Near = {gBackS2Near, kImgBBACK4S, 0.0f, kS2NearBands, true, false, false};
const Layer kS2Far = {gBackS2Far, kImgBBACK2S, 100.0f, {}, false, true, false};

float LayerSpeed(const Layer& layer) {
  if (layer.bands.empty()) return layer.fixedSpeed;
  float speed = 0.0f;
  for (const SpeedBand& b : layer.bands) {
    if (gDistance >= b.lo && gDistance <= b.hi) speed += b.speed;
  }
  return speed;
}

bool LastTileRestacks(const Layer& layer) {
  const float y = layer.tiles[kLastTile].y;
  return layer.restackAtZero ? y >= 0.0f : y > 0.0f;
}

// Two tiles' x and y as the tile array holds them. The compiler's vector extensions make each
// operator on them one instruction over all four lanes: every frame passes over and moves the
// 5,000 tiles of each of three layers.
using TilePair = float __attribute__((vector_size(16)));
using TilePairLanes = int32_t __attribute__((vector_size(16)));
static_assert(sizeof(BackgroundTile) == 2 * sizeof(float) &&
              sizeof(TilePair) == 2 * sizeof(BackgroundTile));

constexpr int kScanBlock = 8;  // tiles passed over at once when none of them is near the field
static_assert(kBackgroundTileCount % kScanBlock == 0 && kBackgroundTileCount % 2 == 0);
constexpr float kNone = std::numeric_limits<float>::infinity();  // a bound no value passes

TilePair LoadPair(const BackgroundTile* t) {
  TilePair v;
  std::memcpy(&v, t, sizeof v);
  return v;
}

// Whether any tile of the block from `t` has a y strictly between the y lanes of `low` and `high`
// (their x lanes are bounds no x passes).
bool AnyInRows(const BackgroundTile* t, TilePair low, TilePair high) {
  TilePairLanes hits{};
  for (int j = 0; j < kScanBlock; j += 2) {
    const TilePair v = LoadPair(t + j);
    hits |= (v > low) & (v < high);
  }
  return (hits[0] | hits[1] | hits[2] | hits[3]) != 0;
}

// Every tile to {fieldX, y + step}, two at a time.
void MoveEveryTile(BackgroundTile* tiles, float fieldX, float step) {
  const TilePair add = {0.0f, step, 0.0f, step};
  const TilePairLanes yLanes = {0, -1, 0, -1};
  const auto xs = std::bit_cast<TilePairLanes>(TilePair{fieldX, 0.0f, fieldX, 0.0f});
  for (int i = 0; i < kBackgroundTileCount; i += 2) {
    const auto moved = std::bit_cast<TilePairLanes>(LoadPair(tiles + i) + add);
    const TilePairLanes v = (moved & yLanes) | (xs & ~yLanes);
    std::memcpy(tiles + i, &v, sizeof v);
  }
}

// Draws every tile at its place, then moves it down; the layer stands at the field's x origin from
// the second frame after a reset on. A tile's draw reads only its own place, which only its own
// move changes, so all the draws may come before all the moves. Most tiles lie far above the
// field: a compare of their y with the clip rectangle's rows, widened by a pixel each way for the
// cut to whole pixels, passes them over without a blit call, a block of them at a time.
void StepLayer(const Layer& layer) {
  const int slot = ImageSlot(layer.picture);
  BackgroundTile* tiles = layer.tiles;
  if (layer.additiveOption && gOverlayBlend == 1) {
    for (int i = 0; i < kBackgroundTileCount; ++i) {
      elDraw::BltObjectAdditive(static_cast<int>(tiles[i].x), static_cast<int>(tiles[i].y), slot,
                                0, 0, kTileWidth, kTileHeight);
    }
  } else {
    const float above = static_cast<float>(gClipRect.top - kTileHeight - 1);
    const float below = static_cast<float>(gClipRect.bottom + 1);
    const TilePair low = {kNone, above, kNone, above};
    const TilePair high = {-kNone, below, -kNone, below};
    for (int block = 0; block < kBackgroundTileCount; block += kScanBlock) {
      if (!AnyInRows(tiles + block, low, high)) continue;
      for (int i = block; i < block + kScanBlock; ++i) {
        if (!(tiles[i].y > above && tiles[i].y < below)) continue;
        const int x = static_cast<int>(tiles[i].x);
        const int y = static_cast<int>(tiles[i].y);
        if (elDraw::OutsideClip(x, y, kTileWidth, kTileHeight)) continue;
        elDraw::BltObject(x, y, slot, 0, 0, kTileWidth, kTileHeight);
      }
    }
  }
  const float fieldX = static_cast<float>(kProfile.fieldX);
  const float step = LayerSpeed(layer) * gFrameTime;
  const float restackedX = layer.restackMovesX ? 140.0f + fieldX : fieldX;
  // Until the last tile itself has moved, the test reads the same unmoved last tile every time;
  // the last tile is tested after its own move, so in practice only it can be put back.
  BackgroundTile& last = tiles[kLastTile];
  if (LastTileRestacks(layer)) {
    for (int i = 0; i < kLastTile; ++i) {
      tiles[i] = {restackedX, -static_cast<float>(kTileHeight) * static_cast<float>(i)};
    }
    last = {fieldX, last.y + step};
  } else {
    MoveEveryTile(tiles, fieldX, step);  // the last tile's move is the others'
  }
  if (LastTileRestacks(layer)) {
    last = {restackedX, -static_cast<float>(kTileHeight) * static_cast<float>(kLastTile)};
  }
}

constexpr int kStarColours = 7;
constexpr int kStarCellLeft = 139;
constexpr int kStarCellTop = 70;
constexpr int kStarCellWidth = 3;
constexpr int kStarCellHeight = 10;

constexpr float kBackdropSinkFrom = 140.0f;
constexpr float kBackdropSinkTo = 1000.0f;
constexpr float kBackdropSpeed = 150.0f;
constexpr float kBackdropGoneBelow = 650.0f;
constexpr int kBackdropSize = 360;

}  // namespace

void ScrollBackgroundOverlay() { StepLayer(kOverlay); }
void ScrollBackgroundS1Far() { StepLayer(kS1Far); }
void ScrollBackgroundS1Near() { StepLayer(kS1Near); }
void ScrollBackgroundS2Far() { StepLayer(kS2Far); }
void ScrollBackgroundS2Near() { StepLayer(kS2Near); }

void UpdateStarField(int modulus, int base) {
  const int slot = ImageSlot(kImgMYMY);
  for (Star& s : gStars) {
    const int left = kStarCellLeft + kStarCellWidth * s.colour;
    elDraw::BltObject(static_cast<int>(s.x), static_cast<int>(s.y), slot, left, kStarCellTop,
                      left + kStarCellWidth, kStarCellTop + kStarCellHeight);
    s.y += s.speed * gFrameTime;
    s.x += s.dx * gFrameTime;
    s.dx = 0.0f;
    if (s.y > static_cast<float>(kProfile.bottomBound)) {
      // Four draws, in this order: colour, x, y, speed.
      const int colour = rand() % kStarColours;
      const int x = rand() % 640;
      const int y = rand() % 50;
      const int speed = modulus > 0 ? rand() % modulus + base : base;
      s.colour = colour;
      s.x = static_cast<float>(x);
      s.y = static_cast<float>(-y);
      s.speed = static_cast<float>(speed);
    }
  }
}

// The stage-1 backdrop stands still until distance 140, then sinks until it is gone below y 650.
void DrawS1Backdrop() {
  Backdrop& b = gS1Backdrop;
  elDraw::BltObject(static_cast<int>(b.x), static_cast<int>(b.y), ImageSlot(kImgKiti01), 0, 0,
                    kBackdropSize, kBackdropSize);
  b.x = static_cast<float>(kProfile.fieldX);
  if (gDistance >= kBackdropSinkFrom && gDistance <= kBackdropSinkTo) {
    b.y += kBackdropSpeed * gFrameTime;
  }
  if (b.y > kBackdropGoneBelow) {
    b.x = -100.0f;
    b.y = kParkY;
  }
}
