// Soak: plays the real game headless for a span of game time with random input, then reports the
// frames run, the states visited and the resident memory after the first minute and at the end.
// Fails (exit 1) when an error box appears or resident memory grows past a margin (2 MB unless
// --margin-kb says otherwise) after the first whole round of the game (or after the first minute
// if no round ends). The input is random but seeded, so a failing run repeats exactly:
//
//   morv_soak [--minutes N] [--seed S] [--margin-kb K] [--each-minute]
//
// --each-minute prints the state and the resident memory at the end of every minute of game time.
//
// Keys are held for random spans (arrows, fire keys), the mouse moves inside the client area, Enter
// starts a game on the title (K, M or O sometimes first), Y answers the continue prompt, S pauses
// and resumes now and then, T returns to the title now and then. Esc is never pressed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "engine/profile.h"
#include "game/game_states.h"
#include "game/player_data.h"
#include "game/stage_drivers.h"
#include "platform/user32.h"
#include "tests/support/game_driver.h"

namespace {

// Resident memory of this process in kB (VmRSS of /proc/self/status); -1 when unreadable.
long ResidentKb() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, "VmRSS:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(f);
  return kb;
}

// The keys the random player holds in play, and how often each is picked.
constexpr int kSteerKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
constexpr int kFireKeys[] = {VK_SHIFT, VK_SHIFT, VK_SHIFT, VK_CONTROL, 'C', 'V', 'B', 'N', 'M'};
constexpr int kHeldKeyCount = 256;

struct Figures {
  long frames = 0;
  long state_frames[5] = {};  // frames run in each game state
  long state_entries[5] = {};
  long paused_frames = 0, prompt_frames = 0;
  long s1_boss_frames = 0, s2_boss_frames = 0;
  long titles = 0, pauses = 0, continues = 0, returns = 0;
  float max_distance[2] = {};  // furthest distance reached in stage 1 and in stage 2
};

class RandomPlayer {
 public:
  RandomPlayer(morv_test::GameDriver& game, unsigned seed) : game_(game), rng_(seed) {}

  // Chooses this frame's input: presses and releases keys, moves the mouse.
  void Step(long frame, Figures& fig) {
    for (int vk = 0; vk < kHeldKeyCount; ++vk) {
      if (release_at_[vk] != 0 && frame >= release_at_[vk]) {
        game_.Release(vk);
        release_at_[vk] = 0;
      }
    }
    if (gPaused != 0) {
      if (frame >= resume_at_) {
        Tap(frame, 'S');
        resume_at_ = 0;
      }
      return;
    }
    if (gGameState == kStateTitle) {
      // The title reads one key a frame: a control or no-death key first, Enter a few frames on.
      if (title_wait_ == 0) {
        title_wait_ = frame + Range(20, 240);
        title_key_ = 0;
      }
      if (frame >= title_wait_ && title_key_ == 0) {
        const int mode = Range(0, 9);
        title_key_ = mode == 0 ? 'K' : mode == 1 ? 'M' : mode <= 3 ? 'O' : -1;
        if (title_key_ > 0) Tap(frame, title_key_);
      }
      if (frame >= title_wait_ + 4) {
        title_wait_ = 0;
        Tap(frame, VK_RETURN);
        ++fig.titles;
      }
      return;
    }
    if (gContinuePrompt != 0) {
      if (prompt_wait_ == 0) prompt_wait_ = frame + Range(10, 400);
      if (frame >= prompt_wait_) {
        prompt_wait_ = 0;
        Tap(frame, 'Y');
        ++fig.continues;
      }
      return;
    }
    prompt_wait_ = 0;
    if (frame < next_choice_) return;
    next_choice_ = frame + Range(3, 40);
    // A steer key or two, most often a fire key, the mouse now and then.
    Hold(frame, kSteerKeys[Range(0, 3)], Range(4, 90));
    if (Range(0, 2) == 0) Hold(frame, kSteerKeys[Range(0, 3)], Range(4, 60));
    if (Range(0, 3) != 0) Hold(frame, kFireKeys[Range(0, 8)], Range(10, 200));
    if (Range(0, 3) == 0) {
      game_.MoveMouse(Range(0, kProfile.screenWidth - 1), Range(0, kProfile.screenHeight - 1));
    }
    if (Range(0, 5) == 0) {
      game_.MouseDown(Range(1, 2));
      game_.MouseUp(1);
      game_.MouseUp(2);
    }
    if (Range(0, 400) == 0) {
      Tap(frame, 'S');
      resume_at_ = frame + Range(10, 150);
      ++fig.pauses;
    } else if (Range(0, 6000) == 0) {
      Tap(frame, 'T');
      ++fig.returns;
    }
  }

 private:
  int Range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  void Hold(long frame, int vk, int span) {
    if (release_at_[vk] == 0) game_.Press(vk);
    release_at_[vk] = frame + span;
  }
  // Down now, up at the next frame (or later when already held).
  void Tap(long frame, int vk) { Hold(frame, vk, 1); }

  morv_test::GameDriver& game_;
  std::mt19937 rng_;
  long release_at_[kHeldKeyCount] = {};
  long next_choice_ = 0, title_wait_ = 0, prompt_wait_ = 0, resume_at_ = 0;
  int title_key_ = 0;
};

// Each stage's boss section opens past this distance on the stage's clock.
constexpr float kS1BossFrom = 1460.0f;
constexpr float kS2BossFrom = 350.0f;

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each line seen as it is printed, in a log too
  double minutes = 10.0;
  unsigned seed = 1;
  long margin_kb = 2048;
  bool each_minute = false;
  for (int i = 1; i < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--each-minute") {
      each_minute = true;
      --i;
    } else if (i + 1 >= argc) {
      std::fprintf(stderr, "soak: %s needs a value\n", opt.c_str());
      return 2;
    } else if (opt == "--minutes") minutes = std::atof(argv[i + 1]);
    else if (opt == "--seed") seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    else if (opt == "--margin-kb") margin_kb = std::strtol(argv[i + 1], nullptr, 10);
    else {
      std::fprintf(stderr, "usage: %s [--minutes N] [--seed S] [--margin-kb K] [--each-minute]\n",
                   argv[0]);
      return 2;
    }
  }

  morv_test::GameDriver game;
  if (!game.started()) {
    std::fprintf(stderr, "soak: the game did not start\n");
    return 1;
  }
  RandomPlayer player(game, seed);
  Figures fig;
  const uint64_t start_ms = game.host.clock_ms;
  const uint64_t end_ms = start_ms + static_cast<uint64_t>(minutes * 60000.0);
  long first_minute_kb = -1;
  // Resident memory at the first minute's end after a whole round of the game (title, both stages,
  // the ending, the title again): every picture, tune and pool has been used once by then, so from
  // there on the memory must stay flat.
  long round_done_frame = -1, round_kb = -1;
  uint64_t round_minute = 0;
  uint64_t next_report_ms = start_ms + 60000;
  int last_state = -1;
  while (game.host.clock_ms < end_ms && !game.quit()) {
    player.Step(fig.frames, fig);
    if (game.Frames(1) != 1) break;
    ++fig.frames;
    const int state = gGameState >= 0 && gGameState <= 4 ? gGameState : 0;
    ++fig.state_frames[state];
    if (state != last_state) ++fig.state_entries[state];
    last_state = state;
    fig.paused_frames += gPaused != 0;
    fig.prompt_frames += gContinuePrompt != 0;
    fig.s1_boss_frames += state == kStateStage1 && gDistance > kS1BossFrom;
    fig.s2_boss_frames += state == kStateStage2 && gDistance > kS2BossFrom;
    if (state == kStateStage1 || state == kStateStage2) {
      float& furthest = fig.max_distance[state - kStateStage1];
      furthest = gDistance > furthest ? gDistance : furthest;
    }
    if (!game.host.box_texts.empty()) break;
    // The driver's own per-frame log would grow with the run; the soak needs none of it.
    if (fig.frames % 3600 == 0) game.ForgetFrameLog();
    if (first_minute_kb < 0 && game.host.clock_ms >= start_ms + 60000) first_minute_kb = ResidentKb();
    // A round is done when the title comes back after every state has been played.
    if (round_done_frame < 0 && state == kStateTitle && fig.state_frames[kStateEnding] > 0 &&
        fig.state_frames[kStateStage2] > 0) {
      round_done_frame = fig.frames;
    }
    if (game.host.clock_ms >= next_report_ms) {
      next_report_ms += 60000;
      if (round_done_frame >= 0 && round_kb < 0) {
        round_kb = ResidentKb();
        round_minute = (game.host.clock_ms - start_ms) / 60000;
      }
      if (each_minute) {
        std::printf("soak: minute %llu: state %d, %ld kB resident\n",
                    static_cast<unsigned long long>((game.host.clock_ms - start_ms) / 60000),
                    gGameState, ResidentKb());
      }
    }
  }
  const long end_kb = ResidentKb();
  const double played = static_cast<double>(game.host.clock_ms - start_ms) / 60000.0;

  static const char* const kNames[5] = {"none", "title", "stage 1", "stage 2", "ending"};
  std::printf("soak: seed %u, %.2f minutes of game time, %ld frames\n", seed, played, fig.frames);
  for (int s = 1; s <= 4; ++s) {
    std::printf("soak: %-8s %8ld frames, entered %ld times\n", kNames[s], fig.state_frames[s],
                fig.state_entries[s]);
  }
  std::printf("soak: paused %ld frames (%ld pauses), continue prompt %ld frames (%ld Y), %ld starts, "
              "%ld T\n", fig.paused_frames, fig.pauses, fig.prompt_frames, fig.continues,
              fig.titles, fig.returns);
  std::printf("soak: boss sections: stage 1 %ld frames, stage 2 %ld frames; furthest distance: "
              "stage 1 %.0f, stage 2 %.0f\n", fig.s1_boss_frames, fig.s2_boss_frames,
              fig.max_distance[0], fig.max_distance[1]);
  std::printf("soak: resident memory %ld kB after the first minute, %ld kB at the end (%+ld kB)\n",
              first_minute_kb, end_kb, end_kb - first_minute_kb);
  // Without a whole round the first minute is the base.
  const long base_kb = round_kb >= 0 ? round_kb : first_minute_kb;
  if (round_kb >= 0) {
    std::printf("soak: after the first whole round (minute %llu) %ld kB, at the end %+ld kB\n",
                static_cast<unsigned long long>(round_minute), round_kb, end_kb - round_kb);
  }

  int failures = 0;
  if (!game.host.box_texts.empty()) {
    std::printf("soak: FAIL: an error box appeared at frame %ld: \"%s\"\n", fig.frames,
                game.host.box_texts.front().c_str());
    ++failures;
  }
  if (game.quit()) {
    std::printf("soak: FAIL: the program quit at frame %ld\n", fig.frames);
    ++failures;
  }
  if (base_kb >= 0 && end_kb - base_kb > margin_kb) {
    std::printf("soak: FAIL: resident memory grew by more than %ld kB\n", margin_kb);
    ++failures;
  }
  std::printf("soak: %s\n", failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
