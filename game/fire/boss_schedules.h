// The bosses' attack steps: each stage's wave counter and the emitters whose counter windows hold
// it, and the aimed volley emitters that the schedules call.
#pragma once

// One frame of a boss's attack: while 0 < boss life < the stage's attack bound, the wave counter
// steps by 1 and every schedule row whose window holds the new count calls its emitters in order;
// the counter wraps to 0 at the stage's cycle length.
void RunS1BossSchedule();
void RunS2BossSchedule();

// The aimed volleys: every free record of the five-record pool leaves the muzzle on the boss at
// the player, turned by the volley's heading offset, at the speed of its slot.
void FireS1VolleyShotsA();
void FireS1VolleyShotsB();
void FireS1VolleyShotsC();
void FireS1VolleyShotsD();
void FireS1VolleyShotsE();
void FireS1VolleyShotsF();
void FireS1VolleyShotsG();
void FireS1VolleyShotsH();
void FireS1VolleyShotsI();
void FireS1VolleyShotsJ();
void FireS2VolleyShotsA();
void FireS2VolleyShotsB();
void FireS2VolleyShotsC();
void FireS2VolleyShotsD();
void FireS2VolleyShotsE();
void FireS2VolleyShotsF();
void FireS2VolleyShotsG();
void FireS2VolleyShotsH();
void FireS2VolleyShotsI();
void FireS2VolleyShotsJ();
void FireS2VolleyShotsK();
void FireS2VolleyShotsL();
