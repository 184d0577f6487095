// The asset list: every picture the game draws (the rows of game/picture_list.h, in load order),
// the surface slot each load got, and the two sound effects. Pictures are loaded once at start-up
// and never again; the engine reloads them by itself when surfaces are lost.
#pragma once

#include "game/picture_list.h"
#include "game/score_data.h"

static_assert(kImageCount == 238);
// Anchors of the slot rule: the first picture, the last before the sounds, the first after, the last.
static_assert(PictureSlot(kImgCOIN1) == 4 && PictureSlot(kImgZFIRE2) == 227 &&
              PictureSlot(kImgKiti01) == 228 && PictureSlot(kImgCONTINU1) == 241);

// The sounds load between these two parts of the list: after "IMAGE/ZFIRE2.BMP", before the
// stage-1 backdrop.
inline constexpr int kImagesBeforeSounds = kImgKiti01;
static_assert(kImagesBeforeSounds == 224);

// Surface slot of each picture: what elDraw::LoadObject returned, 0 when the load failed (such a
// picture then draws from slot 0).
extern int gImageSlot[kImageCount];
inline int ImageSlot(ImageId id) { return gImageSlot[id]; }

// Sound numbers of the two effects; -1 when a sound could not be loaded (playing -1 does nothing).
extern int gSndShot;  // "SOUND/SHOT.WAV"
extern int gSndBom;   // "SOUND/BOM.WAV": every explosion and pickup

void LoadAllAssets();
