// SdlHost's message box, and the system's request to end the program (SIGTERM, or SIGINT from a
// terminal) while the box is up.
//
// SDL shows the box from a process of its own (forked from this one, or the zenity program under
// Wayland) and waits for that process to end. SDL's handler of the two signals only notes the
// request for its next look at the events, and nobody looks while the box is up: the program
// stayed until the player closed the box. So our handler runs along with SDL's: it ends the box's
// process, the box call returns, no further box is shown, and SDL's note becomes the window's close
// request at the next look at the events, which shuts the program down in order, as Esc does.
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

#include "platform/host_sdl.h"
#include "platform/user32.h"

namespace platform {

namespace {

// Shared with the processes forked from this one, so that each side sees what the other writes.
struct BoxWatch {
  std::atomic<pid_t> box{0};  // the box's process while the box is up
  std::atomic<int> quit{0};   // the system asked the program to end
};
static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the watch is read in a signal handler and across processes");

BoxWatch* g_watch = nullptr;
// Set while this program shows a box: a process forked meanwhile is the box's.
std::atomic<bool> g_showing{false};

constexpr int kQuitSignals[2] = {SIGTERM, SIGINT};
struct sigaction g_sdl_actions[2];  // SDL's handlers of the two signals, which ours calls
bool g_watching[2] = {};

void OnQuitSignal(int number) {
  const int saved_errno = errno;
  // The request is noted before the box's process is looked at, and that process notes itself
  // before it looks at the request: whichever comes second sees the other.
  g_watch->quit.store(1);
  const pid_t box = g_watch->box.load();
  if (box > 0) kill(box, SIGKILL);
  const int i = number == kQuitSignals[0] ? 0 : 1;
  // SDL notes the request for its next look at the events, and puts its own handler back: ours
  // goes back after it.
  g_sdl_actions[i].sa_handler(number);
  struct sigaction ours = g_sdl_actions[i];
  ours.sa_handler = OnQuitSignal;
  sigaction(number, &ours, nullptr);
  errno = saved_errno;
}

// Runs in every process forked from this one, at once.
void NoteBoxProcess() {
  if (!g_showing.load()) return;
  // The box's process ends on the signals the program handles (a terminal's Ctrl+C reaches it too).
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  for (int i = 0; i < 2; ++i) {
    if (g_watching[i]) sigaction(kQuitSignals[i], &plain, nullptr);
  }
  g_watch->box.store(getpid());
  if (g_watch->quit.load() != 0) _exit(1);  // the request came as the box was being made
}

}  // namespace

void SdlHost::WatchQuitSignals() {
  if (g_watch == nullptr) {
    void* page = mmap(nullptr, sizeof(BoxWatch), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) return;
    g_watch = new (page) BoxWatch;
    pthread_atfork(nullptr, nullptr, NoteBoxProcess);
  }
  // Only a signal SDL handles itself (it leaves alone one ignored or handled when the program
  // started, as a shell ignores SIGINT for what it starts in the background, or all when told to).
  for (int i = 0; i < 2; ++i) {
    struct sigaction current;
    if (g_watching[i] || sigaction(kQuitSignals[i], nullptr, &current) != 0) continue;
    if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler == SIG_DFL ||
        current.sa_handler == SIG_IGN) {
      continue;
    }
    g_sdl_actions[i] = current;
    struct sigaction ours = current;
    ours.sa_handler = OnQuitSignal;
    sigaction(kQuitSignals[i], &ours, nullptr);
    g_watching[i] = true;
  }
}

void SdlHost::StopWatchingQuitSignals() {
  // SDL's own handlers back, for SDL to take away when it quits.
  for (int i = 0; i < 2; ++i) {
    if (g_watching[i]) sigaction(kQuitSignals[i], &g_sdl_actions[i], nullptr);
    g_watching[i] = false;
  }
}

void SdlHost::MessageBox(const std::string& text, const std::string& caption, unsigned style) {
  // The system asked the program to end: no box holds the ending up.
  if (g_watch != nullptr && g_watch->quit.load() != 0) return;
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if ((style & 0xF0) == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;
  if ((style & 0xF0) == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
  g_showing.store(true);
  SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), window_);
  g_showing.store(false);
  if (g_watch != nullptr) g_watch->box.store(0);
}

}  // namespace platform
