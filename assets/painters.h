// Every picture painter. A painter draws one whole picture of the size the table gives it; the
// variant picks a colour scheme, an angle or a frame within its family.
#pragma once

#include "assets/canvas.h"

namespace assetgen {

using Painter = void (*)(Picture& p, int variant);

// The player's ship, flames and explosion fragments (pictures_ship.cpp).
void PaintShipSheet(Picture& p, int variant);   // four 60 x 70 cells; cell 3 flies level
void PaintShipBank(Picture& p, int variant);    // one banking frame, 1 to 20
void PaintShipFlame(Picture& p, int variant);   // three 60 x 80 flame cells
void PaintOptionPod(Picture& p, int variant);
void PaintShipFragments(Picture& p, int variant);  // 8 x 2 cells of 60 x 60

// The player's weapons (pictures_weapons.cpp).
void PaintBolt(Picture& p, int variant);         // 60 x 60 gun shots
void PaintWave(Picture& p, int variant);         // wide-gun shots
void PaintSpreadSheet(Picture& p, int variant);  // five 60 x 60 cells
void PaintFlash(Picture& p, int variant);        // muzzle flashes
void PaintBurstOrb(Picture& p, int variant);
void PaintMissile(Picture& p, int variant);
void PaintHomingMissile(Picture& p, int variant);
void PaintPanel(Picture& p, int variant);        // special-weapon emitter
void PaintBeamColumn(Picture& p, int variant);   // frame (variant % 100) of palette (variant / 100)

// Coins, pickup, explosions and debris (pictures_effects.cpp).
void PaintCoin(Picture& p, int variant);
void PaintCoinSparkle(Picture& p, int variant);
void PaintPowerItem(Picture& p, int variant);
void PaintExplosionStrip(Picture& p, int variant);  // square cells side by side
void PaintBigBurst(Picture& p, int variant);
void PaintDebris(Picture& p, int variant);

// Regular enemies and their engine flames (pictures_enemies.cpp).
void PaintEnemy(Picture& p, int variant);  // SZAK1 to SZAK10
void PaintEnemyFlames(Picture& p, int variant);

// Bosses and the fly-by craft (pictures_bosses.cpp). Variant = design x 10 + damage (0 to 3).
void PaintBoss(Picture& p, int variant);

// Enemy bullets (pictures_bullets.cpp).
void PaintOrbStrip(Picture& p, int variant);
void PaintNeedleStrip(Picture& p, int variant);
void PaintRing(Picture& p, int variant);
void PaintArm(Picture& p, int variant);

// Screens, digits and the head-up sheet (pictures_screens.cpp).
void PaintHudSheet(Picture& p, int variant);
void PaintDigits(Picture& p, int variant);
void PaintCongratulation(Picture& p, int variant);
void PaintRankingHeading(Picture& p, int variant);
void PaintMessage(Picture& p, int variant);
void PaintLevel(Picture& p, int variant);
void PaintContinue(Picture& p, int variant);
void PaintTitle(Picture& p, int variant);
void PaintEndingPicture(Picture& p, int variant);

// Scrolling layers and the stage-1 backdrop (pictures_backgrounds.cpp).
void PaintBackLayer(Picture& p, int variant);
void PaintBackdropBase(Picture& p, int variant);

// Shared drawing of the player's ship (pictures_ship.cpp): nose up, centred on cx, its 60 x 70
// box scaled by `scale`; bank -1 (rolled left) to 1; livery 0 blue/white, 1 red/white, 2 gold.
void DrawShip(cairo_t* cr, double cx, double top, double scale, double bank, int livery);
// One explosion frame at t (0 start to 1 end) in a circle of radius r (pictures_effects.cpp).
void DrawExplosion(cairo_t* cr, Rng& rng, double cx, double cy, double r, double t, int palette);

}  // namespace assetgen
