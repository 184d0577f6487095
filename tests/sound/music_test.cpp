// MIDI music through the MCI sequencer: the command strings, the end-of-play notification and the
// game's loop, stop and replace rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/midi.h"
#include "engine/shell.h"
#include "platform/mci.h"
#include "platform/user32.h"
#include "tests/sound/sound_test_util.h"

namespace sound_test {
namespace {

constexpr int kSecond = 44100;

class MusicTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    WriteData("MIDI/VKT1.MID", OneNoteTune(24, 96));    // 0.5 s
    WriteData("MIDI/VKTEND.MID", OneNoteTune(24, 48));  // 0.25 s
    StartWithSound();
  }

  // The MM_MCINOTIFY codes waiting in the queue (taken out of it).
  std::vector<WPARAM> TakeNotifications() {
    std::vector<WPARAM> codes;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) {
      codes.push_back(msg.wParam);
    }
    return codes;
  }

  // The MCI command strings sent since the log stood at `from`.
  std::vector<std::string> CommandsSince(int from) const {
    std::vector<std::string> out;
    for (int i = from; i < host.mci_log.count && i < platform::kMciLogSize; ++i) {
      out.push_back(host.mci_log.commands[i]);
    }
    return out;
  }
  static std::string OpenCommand(const char* file) {
    return "open \"" + std::string(GetDataDirectory()) + file + "\" type sequencer alias midi";
  }
};

TEST_F(MusicTest, TheCommandStringsOfPlayReplaceAndStop) {
  const int from = host.mci_log.count;
  PlayMidi("MIDI/VKT1.MID", 1);
  PlayMidi("MIDI/VKTEND.MID", 0);
  StopMidi();
  StopMidi();  // nothing open: nothing sent
  const std::vector<std::string> want = {
      OpenCommand("MIDI/VKT1.MID"),   "seek midi to start", "play midi notify",
      "stop midi",                    "close midi",
      OpenCommand("MIDI/VKTEND.MID"), "seek midi to start", "play midi notify",
      "stop midi",                    "close midi",
  };
  EXPECT_EQ(CommandsSince(from), want);
}

TEST_F(MusicTest, TheEndOfALoopingTuneAsksTheModeThenSeeksAndPlaysAgain) {
  PlayMidi("MIDI/VKT1.MID", 1);
  host.RenderAudio(kSecond / 2 + 64);
  const int from = host.mci_log.count;
  DispatchMessages();
  const std::vector<std::string> want = {"status midi mode", "seek midi to start",
                                         "play midi notify"};
  EXPECT_EQ(CommandsSince(from), want);
}

TEST_F(MusicTest, OpenFailsForAMissingOrNonMidiFile) {
  WriteData("MIDI/NOTMIDI.MID", ToneWave(22050, 100));
  const std::string missing = "open \"" + program_dir + "/MIDI/NONE.MID\" type sequencer alias midi";
  const std::string wave = "open \"" + program_dir + "/MIDI/NOTMIDI.MID\" type sequencer alias midi";
  EXPECT_EQ(mciSendStringA(missing.c_str(), nullptr, 0, nullptr), MCIERR_FILE_NOT_FOUND);
  EXPECT_EQ(mciSendStringA(wave.c_str(), nullptr, 0, nullptr), MCIERR_INVALID_FILE);
  // The game does not look: the tune counts as open and stays silent.
  PlayMidi("MIDI/NONE.MID", 1);
  EXPECT_EQ(gMidiOpen, 1);
  EXPECT_EQ(Peak(host.RenderAudio(kSecond / 2), 0, kSecond / 2), 0);
  StopMidi();
  EXPECT_EQ(gMidiOpen, 0);
  EXPECT_TRUE(RunFrames(2));
}

TEST_F(MusicTest, PlayingAnotherTuneClosesTheOpenOneFirst) {
  PlayMidi("MIDI/VKT1.MID", 1);
  ASSERT_EQ(MidiMode(), "playing");
  PlayMidi("MIDI/VKTEND.MID", 1);
  // The sequencer holds one file: the new open only succeeds after "stop" and "close".
  EXPECT_EQ(MidiMode(), "playing");
  EXPECT_EQ(TakeNotifications(), std::vector<WPARAM>{MCI_NOTIFY_ABORTED});
  host.RenderAudio(kSecond / 4 + 100);  // the ending tune's length, not the stage tune's
  EXPECT_EQ(MidiMode(), "stopped");
}

TEST_F(MusicTest, LoopingTuneRestartsAtItsEndAndKeepsLooping) {
  PlayMidi("MIDI/VKT1.MID", 1);
  for (int pass = 0; pass < 3; ++pass) {
    host.RenderAudio(kSecond / 2 + 64);
    EXPECT_EQ(MidiMode(), "stopped") << pass;
    DispatchMessages();  // MM_MCINOTIFY reaches the window procedure
    EXPECT_EQ(MidiMode(), "playing") << pass;
    EXPECT_EQ(gMidiOpen, 1);
  }
}

TEST_F(MusicTest, TuneWithoutLoopClosesAtItsEnd) {
  PlayMidi("MIDI/VKTEND.MID", 0);
  host.RenderAudio(kSecond / 2);
  DispatchMessages();
  EXPECT_EQ(gMidiOpen, 0);
  EXPECT_EQ(MidiMode(), "error");  // closed
}

TEST_F(MusicTest, NotificationAfterStopChangesNothing) {
  PlayMidi("MIDI/VKT1.MID", 1);
  host.RenderAudio(kSecond);  // the end's notification is now queued
  StopMidi();
  DispatchMessages();
  EXPECT_EQ(gMidiOpen, 0);
  EXPECT_EQ(MidiMode(), "error");
}

TEST_F(MusicTest, StaleNotificationLeavesTheNextTunePlaying) {
  PlayMidi("MIDI/VKT1.MID", 1);
  host.RenderAudio(kSecond);  // the stage tune's end is queued ...
  PlayMidi("MIDI/VKTEND.MID", 0);  // ... when the ending tune, not looping, replaces it
  host.RenderAudio(kSecond / 10);
  DispatchMessages();
  EXPECT_EQ(gMidiOpen, 1);
  EXPECT_EQ(MidiMode(), "playing");
}

TEST_F(MusicTest, AbortedNotificationDoesNotRestartTheTune) {
  PlayMidi("MIDI/VKT1.MID", 1);
  mciSendStringA("stop midi", nullptr, 0, nullptr);  // posts MCI_NOTIFY_ABORTED
  DispatchMessages();
  EXPECT_EQ(MidiMode(), "stopped");
}

class MusicPathTest : public SoundTest {};

TEST_F(MusicPathTest, DataDirectoryWithSpacesWorks) {
  const std::string dir = program_dir + "/my games/morventica dir";
  std::filesystem::create_directories(dir + "/MIDI");
  host.module_path = dir + "/morventica-w480";
  WriteData("my games/morventica dir/MIDI/VKT1.MID", OneNoteTune(24, 96));
  StartWithSound();
  PlayMidi("MIDI/VKT1.MID", 1);
  EXPECT_EQ(MidiMode(), "playing");
}

}  // namespace
}  // namespace sound_test
