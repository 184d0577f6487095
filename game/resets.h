// The three routines that put the game data back to its starting state.
//   start-up:                 ResetPlayObjects
//   game start, "T":          ResetPlayObjects, ResetGameState, ResetGamePools
//   a boss destroyed:         ResetGameState, ResetGamePools
//   end of the ending:        ResetGameState, ResetGamePools, ResetPlayObjects
#pragma once

// What a new game starts from: score, lives, the ship's place, the scenery, the weapon power.
void ResetPlayObjects();
// New random sequence; the player's and the weapons' running state, the flow flags, and the pools
// of the player, the regular enemies, the effects and the stars.
void ResetGameState();
// Boss records, the stage coins and every boss-bullet pool.
void ResetGamePools();
