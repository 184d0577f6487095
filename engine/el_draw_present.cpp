// Presentation: one transition step over the finished back buffer, the wait for the vertical blank,
// and the copy of the back buffer to the screen; the snapshot of the back buffer into a slot.
#include "engine/el_draw_internal.h"
#include "engine/shell.h"

int gTransitionKind = 0;
int gTransitionStep = 0;
int gTransitionCounter = 0;
int gTransitionDirection = 0;
int gTransitionMaskSlot = 0;
int gVSyncWait = 1;

void SetVSyncWait(int flag) { gVSyncWait = flag; }

void PresentFrame() {
  if (gTransitionCounter != 0) {
    DrawTransitionStep(gTransitionKind, gTransitionStep, gTransitionCounter);
    gTransitionCounter += gTransitionDirection;
    if ((gTransitionDirection == -1 && gTransitionCounter < 1) ||
        (gTransitionDirection == 1 && gTransitionCounter > 10)) {
      gTransitionCounter = 0;
      gTransitionDirection = 0;
    }
  }
  if (gDirectDraw == nullptr || gPrimarySurface == nullptr || gBackSurface == nullptr) return;
  if (gVSyncWait != 0) gDirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  // The client area's place on the screen follows the window.
  RECT destination{gClientX, gClientY, gClientX + (gPresentRect.right - gPresentRect.left),
                   gClientY + (gPresentRect.bottom - gPresentRect.top)};
  const HRESULT hr =
      gPrimarySurface->Blt(&destination, gBackSurface, &gPresentRect, DDBLT_WAIT, nullptr);
  if (hr == DDERR_SURFACELOST) elDraw::RestoreSurfaces();
}

void elDraw::CopyBackToObject(int slot, int left, int top, int right, int bottom) {
  if (!IsSlotNumber(slot) || gDrawObjects[slot].surface == nullptr || gBackSurface == nullptr) {
    return;
  }
  RECT r{left, top, right, bottom};
  const HRESULT hr = gDrawObjects[slot].surface->BltFast(0, 0, gBackSurface, &r, DDBLTFAST_WAIT);
  if (hr == DDERR_SURFACELOST) elDraw::RestoreSurfaces();
}
