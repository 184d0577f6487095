// The recorder: the real SDL window of one profile's program, with every key and mouse event the
// game takes logged against the number of the frame it arrives before, written out as a recording
// when the program ends. Frames are counted as the replay runs them: each pass of the message loop
// that runs a frame, with one exception. A paused frame (one that presents nothing) does nothing
// but wait for input, and with no vertical-blank wait the window runs them back to back as fast as
// the loop turns; a run of them with no input in between counts as one. So events that have paused
// frames between them in the window (S to pause, S to resume; Y under the continue picture and
// its release) have a frame between them in the replay too, and the replay pauses as the window
// did.
// Key auto-repeats are left out. A check line is added every `every` frames and at the end; a
// regeneration run of the replay test fills them in.
//
//   morv_recorder_w480 session.rec [every]
//   cp session.rec tests/recordings/w480/ && tests/tools/regenerate_checkpoints.sh session
//
// The window's frames run on the real clock, the replay's on the headless one (1/60 s a frame):
// the replay takes the same input at the same frames, not necessarily the same picture.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/profile.h"
#include "engine/shell.h"
#include "platform/host.h"
#include "platform/host_sdl.h"
#include "platform/kernel32.h"
#include "platform/user32.h"
#include "tests/support/recording.h"

namespace {

using morv_test::RecordedEvent;

class RecordingHost : public platform::SdlHost {
 public:
  using SdlHost::SdlHost;

  bool PollEvent(platform::HostEvent& e) override {
    if (!SdlHost::PollEvent(e)) return false;
    using K = platform::HostEvent;
    switch (e.kind) {
      case K::KeyDown:
        if (!e.repeat && !morv_test::KeyName(e.vk).empty()) Log(RecordedEvent::Down, e.vk);
        break;
      case K::KeyUp:
        if (!morv_test::KeyName(e.vk).empty()) Log(RecordedEvent::Up, e.vk);
        break;
      case K::MouseMove: Log(RecordedEvent::Move, e.x, e.y); break;
      case K::ButtonDown:
      case K::ButtonDouble:
        Log(RecordedEvent::Move, e.x, e.y);
        Log(RecordedEvent::ButtonDown, e.button);
        break;
      case K::ButtonUp:
        Log(RecordedEvent::Move, e.x, e.y);
        Log(RecordedEvent::ButtonUp, e.button);
        break;
      default: break;
    }
    return true;
  }

  void Present(const platform::FrameView& frame) override {
    SdlHost::Present(frame);
    ++presents_;
  }

  // After each pass of the loop that ran a frame.
  void FrameRan() {
    const bool presented = presents_ != presents_at_last_frame_;
    presents_at_last_frame_ = presents_;
    if (!presented && idle_repeat_) return;  // the same paused frame again
    ++frames_;
    idle_repeat_ = !presented;
  }

  bool Write(const std::string& path, int every) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "# Recorded in the window of " << kProfile.program << " by morv_recorder.\n";
    for (const RecordedEvent& e : events_) out << morv_test::FormatEvent(e) << '\n';
    for (int f = every; f < frames_; f += every) out << "check " << f << '\n';
    out << "check " << frames_ << '\n';
    return static_cast<bool>(out);
  }

 private:
  void Log(RecordedEvent::Kind kind, int a, int b = 0) {
    if (kind == RecordedEvent::Move && a == last_x_ && b == last_y_) return;
    if (kind == RecordedEvent::Move) {
      last_x_ = a;
      last_y_ = b;
    }
    events_.push_back(RecordedEvent{frames_, kind, a, b});
    idle_repeat_ = false;
  }

  std::vector<RecordedEvent> events_;
  int frames_ = 0;
  int presents_ = 0, presents_at_last_frame_ = 0;
  bool idle_repeat_ = false;  // the last frame counted presented nothing, and no input came since
  int last_x_ = -1, last_y_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s out.rec [frames between checks]\n", argv[0]);
    return 2;
  }
  const int every = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1500;
  RecordingHost host(argv[0]);
  platform::SetHost(&host);
  RunStartUpHooks();
  // WinMain's own two steps, with the frames counted.
  if (AppStartUp(GetModuleHandleA(nullptr), SW_SHOWDEFAULT) != 0) {
    for (LoopStep step; (step = RunLoopOnce()) != LoopStep::Quit;) {
      if (step == LoopStep::Frame) host.FrameRan();
    }
  }
  platform::SetHost(nullptr);
  if (!host.Write(argv[1], every)) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
