// MCI command strings over the sequencer of platform/midi_synth: the one MIDI device.
#include "platform/mci.h"

#include <fluidsynth.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/midi_synth.h"
#include "platform/sound_mixer.h"
#include "platform/user32.h"

namespace {

using platform::AudioLock;

constexpr long kMaxMidiFileBytes = 16L << 20;

struct SequencerDevice {
  bool open = false;
  std::string name;  // the alias, or the file as given when there is none
  MCIDEVICEID id = 0;
  platform::Sequencer sequencer;
  // The window to tell when the current play ends; read and cleared by the audio thread.
  HWND notifyWindow = nullptr;
  bool notifyPending = false;
};

// Never destroyed: the audio thread may still read it while the program's statics go away.
SequencerDevice& Device() {
  static SequencerDevice* device = new SequencerDevice;
  return *device;
}

MCIDEVICEID gNextDeviceId = 1;

// A notification to post once the audio lock is released.
struct Notice {
  HWND window = nullptr;
  WPARAM code = 0;
  bool due = false;
  void Post(MCIDEVICEID id) const {
    if (due) PostMessageA(window, MM_MCINOTIFY, code, static_cast<LPARAM>(id));
  }
};

// Runs on the audio thread when a play reaches the end of the tune.
void OnSequencerEnd(void*) {
  SequencerDevice& d = Device();
  if (!d.notifyPending) return;
  d.notifyPending = false;
  PostMessageA(d.notifyWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, static_cast<LPARAM>(d.id));
}

// Takes the pending play notification away (under the audio lock), to be posted with `code`.
Notice TakePending(WPARAM code) {
  SequencerDevice& d = Device();
  Notice n;
  if (d.notifyPending) {
    n = Notice{d.notifyWindow, code, true};
    d.notifyPending = false;
  }
  return n;
}

bool SameText(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool SameText(const std::string& a, const std::string& b) { return SameText(a, b.c_str()); }

// Splits a command into words; a word in double quotes may hold spaces.
bool Tokenize(const char* command, std::vector<std::string>* words) {
  const char* p = command;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '\0') return true;
    std::string word;
    if (*p == '"') {
      const char* close = std::strchr(p + 1, '"');
      if (close == nullptr) return false;
      word.assign(p + 1, close);
      p = close + 1;
    } else {
      while (*p != '\0' && *p != ' ' && *p != '\t') word.push_back(*p++);
    }
    words->push_back(word);
  }
}

bool HasMidiExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string ext = path.substr(dot + 1);
  return SameText(ext, "mid") || SameText(ext, "midi") || SameText(ext, "rmi");
}

MCIERROR ReadSong(const std::string& path, platform::MidiSong* song) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return MCIERR_FILE_NOT_FOUND;
  if (st.st_size > kMaxMidiFileBytes) return MCIERR_INVALID_FILE;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return MCIERR_FILE_NOT_FOUND;
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  if (got != bytes.size()) return MCIERR_INVALID_FILE;
  if (!platform::ReadMidiFile(bytes.data(), bytes.size(), song)) return MCIERR_INVALID_FILE;
  return 0;
}

struct Flags {
  bool notify = false;
};

// Reads the trailing "notify" and "wait" words; anything else is not understood.
MCIERROR ReadFlags(const std::vector<std::string>& words, size_t from, Flags* flags) {
  for (size_t i = from; i < words.size(); ++i) {
    if (SameText(words[i], "notify")) {
      flags->notify = true;
    } else if (!SameText(words[i], "wait")) {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
  }
  return 0;
}

MCIERROR Open(const std::vector<std::string>& words, HWND callback) {
  if (words.size() < 2) return MCIERR_MISSING_PARAMETER;
  const std::string& path = words[1];
  std::string type, alias;
  bool notify = false;
  for (size_t i = 2; i < words.size(); ++i) {
    if (SameText(words[i], "type") || SameText(words[i], "alias")) {
      if (i + 1 >= words.size()) return MCIERR_MISSING_STRING_ARGUMENT;
      (SameText(words[i], "type") ? type : alias) = words[i + 1];
      ++i;
    } else if (SameText(words[i], "notify")) {
      notify = true;
    } else if (!SameText(words[i], "wait") && !SameText(words[i], "shareable")) {
      return MCIERR_UNRECOGNIZED_KEYWORD;
    }
  }
  if (!type.empty() && !SameText(type, "sequencer")) return MCIERR_INVALID_DEVICE_NAME;
  if (type.empty() && !HasMidiExtension(path)) return MCIERR_EXTENSION_NOT_FOUND;
  const std::string name = alias.empty() ? path : alias;

  SequencerDevice& d = Device();
  if (d.open) return SameText(d.name, name) ? MCIERR_DUPLICATE_ALIAS : MCIERR_SEQ_PORT_INUSE;

  platform::MidiSong song;
  if (MCIERROR error = ReadSong(path, &song); error != 0) return error;
  if (!platform::AcquireAudioOutput()) return MCIERR_SEQ_NOMIDIPRESENT;
  if (!platform::LoadSoundFont()) {
    platform::ReleaseAudioOutput();
    return MCIERR_SEQ_NOMIDIPRESENT;
  }
  {
    AudioLock lock;
    platform::Sequencer& s = d.sequencer;
    s.song = std::move(song);
    s.position = 0;
    s.nextEvent = 0;
    s.playing = false;
    s.onEnd = OnSequencerEnd;
    s.onEndUser = nullptr;
    d.notifyPending = false;
    fluid_synth_system_reset(platform::AudioSynth());
    platform::SetMusicSource(&s);
  }
  d.open = true;
  d.name = name;
  d.id = gNextDeviceId++;
  if (notify) Notice{callback, MCI_NOTIFY_SUCCESSFUL, true}.Post(d.id);
  return 0;
}

MCIERROR Close(const Flags& flags, HWND callback) {
  SequencerDevice& d = Device();
  Notice aborted;
  {
    AudioLock lock;
    aborted = TakePending(MCI_NOTIFY_ABORTED);
    d.sequencer.Stop(platform::AudioSynth());
    platform::SetMusicSource(nullptr);
    d.sequencer.song = platform::MidiSong{};
  }
  platform::ReleaseAudioOutput();
  const MCIDEVICEID id = d.id;
  d.open = false;
  d.name.clear();
  aborted.Post(id);
  if (flags.notify) Notice{callback, MCI_NOTIFY_SUCCESSFUL, true}.Post(id);
  return 0;
}

}  // namespace

MCIERROR mciSendStringA(LPCSTR command, LPSTR reply, UINT replyLength, HWND callback) {
  if (reply != nullptr && replyLength > 0) reply[0] = '\0';
  if (command == nullptr) return MCIERR_MISSING_COMMAND_STRING;
  platform::CurrentHost().NoteMciCommand(command);
  std::vector<std::string> words;
  if (!Tokenize(command, &words)) return MCIERR_MISSING_STRING_ARGUMENT;
  if (words.empty()) return MCIERR_MISSING_COMMAND_STRING;
  const std::string& verb = words[0];
  if (SameText(verb, "open")) return Open(words, callback);

  const bool known = SameText(verb, "play") || SameText(verb, "seek") || SameText(verb, "stop") ||
                     SameText(verb, "close") || SameText(verb, "status");
  if (!known) return MCIERR_UNRECOGNIZED_COMMAND;
  if (words.size() < 2) return MCIERR_MISSING_PARAMETER;
  SequencerDevice& d = Device();
  if (!d.open || !SameText(words[1], d.name)) return MCIERR_INVALID_DEVICE_NAME;

  Flags flags;
  if (SameText(verb, "status")) {
    if (words.size() < 3) return MCIERR_MISSING_PARAMETER;
    if (!SameText(words[2], "mode")) return MCIERR_UNRECOGNIZED_KEYWORD;
    if (MCIERROR e = ReadFlags(words, 3, &flags); e != 0) return e;
    bool playing;
    {
      AudioLock lock;
      playing = d.sequencer.playing;
    }
    const char* mode = playing ? "playing" : "stopped";
    if (reply != nullptr && replyLength > 0) {
      std::snprintf(reply, replyLength, "%s", mode);
      if (std::strlen(mode) >= replyLength) return MCIERR_PARAM_OVERFLOW;
    }
    if (flags.notify) Notice{callback, MCI_NOTIFY_SUCCESSFUL, true}.Post(d.id);
    return 0;
  }

  if (SameText(verb, "close")) {
    if (MCIERROR e = ReadFlags(words, 2, &flags); e != 0) return e;
    return Close(flags, callback);
  }

  Notice earlier;
  if (SameText(verb, "play")) {
    if (MCIERROR e = ReadFlags(words, 2, &flags); e != 0) return e;
    AudioLock lock;
    earlier = TakePending(flags.notify ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED);
    d.sequencer.playing = true;
    if (flags.notify) {
      d.notifyWindow = callback;
      d.notifyPending = true;
    }
  } else if (SameText(verb, "seek")) {
    if (words.size() < 4 || !SameText(words[2], "to")) return MCIERR_MISSING_PARAMETER;
    const bool toStart = SameText(words[3], "start");
    if (!toStart && !SameText(words[3], "end")) return MCIERR_UNRECOGNIZED_KEYWORD;
    if (MCIERROR e = ReadFlags(words, 4, &flags); e != 0) return e;
    AudioLock lock;
    earlier = TakePending(MCI_NOTIFY_ABORTED);
    if (toStart) {
      d.sequencer.SeekToStart(platform::AudioSynth());
    } else {
      d.sequencer.SeekToEnd(platform::AudioSynth());
    }
  } else {  // stop
    if (MCIERROR e = ReadFlags(words, 2, &flags); e != 0) return e;
    AudioLock lock;
    earlier = TakePending(MCI_NOTIFY_ABORTED);
    d.sequencer.Stop(platform::AudioSynth());
  }
  earlier.Post(d.id);
  if (flags.notify && !SameText(verb, "play")) Notice{callback, MCI_NOTIFY_SUCCESSFUL, true}.Post(d.id);
  return 0;
}
