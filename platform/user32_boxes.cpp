// Message boxes and the default beep.
#include <cstdio>

#include "platform/host.h"
#include "platform/user32.h"

int MessageBoxA(HWND /*owner*/, LPCSTR text, LPCSTR caption, UINT type) {
  const char* t = text != nullptr ? text : "";
  const char* c = caption != nullptr ? caption : "Error";
  std::fprintf(stderr, "%s: %s\n", c, t);
  std::fflush(stderr);
  platform::CurrentHost().MessageBox(t, c, type);
  return IDOK;
}

BOOL MessageBeep(UINT /*type*/) {
  platform::CurrentHost().Beep();
  return TRUE;
}
