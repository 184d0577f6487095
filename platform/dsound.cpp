// DirectSound objects over the software mixer.
#include "platform/dsound.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/host.h"
#include "platform/sound_mixer.h"


namespace {

// A plain PCM format, or the extensible form whose sub-format is integer PCM with no more valid
// bits than its container holds (the samples play as their container).
bool IsPcm(const WAVEFORMATEX& f) {
  if (f.wFormatTag == WAVE_FORMAT_PCM) return true;
  if (f.wFormatTag != WAVE_FORMAT_EXTENSIBLE || f.cbSize < 22) return false;
  WAVEFORMATEXTENSIBLE x;
  std::memcpy(&x, &f, sizeof x);
  return std::memcmp(&x.SubFormat, &KSDATAFORMAT_SUBTYPE_PCM, sizeof(GUID)) == 0 &&
         x.wValidBitsPerSample >= 1 && x.wValidBitsPerSample <= f.wBitsPerSample;
}

using platform::AudioLock;
using platform::MixChannel;

class DirectSoundImpl;

class SoundBufferImpl final : public IDirectSoundBuffer {
 public:
  SoundBufferImpl(DirectSoundImpl* owner, DWORD flags) : owner_(owner), flags_(flags) {}

  bool primary() const { return (flags_ & DSBCAPS_PRIMARYBUFFER) != 0; }
  MixChannel& channel() { return channel_; }

  // Sets the format and size of a secondary buffer and hands it to the mixer.
  void Init(const WAVEFORMATEX& format, DWORD bytes) {
    channel_.channels = format.nChannels;
    channel_.bits = format.wBitsPerSample;
    channel_.blockAlign = format.nBlockAlign;
    channel_.frequency = format.nSamplesPerSec;
    channel_.data.assign(bytes, format.wBitsPerSample == 8 ? 0x80 : 0);
    channel_.frames = bytes / format.nBlockAlign;
    originalFrequency_ = format.nSamplesPerSec;
    AudioLock lock;
    platform::AttachChannel(&channel_);
  }

  // Called once the buffer is no longer reachable (its last release, or its owner's).
  void Destroy() {
    if (!primary()) {
      AudioLock lock;
      platform::DetachChannel(&channel_);
    }
    delete this;
  }

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;

  HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override {
    if (primary()) return DSERR_PRIOLEVELNEEDED;
    DWORD pos;
    {
      AudioLock lock;
      pos = static_cast<DWORD>(std::min<uint64_t>(channel_.position >> 32, channel_.frames)) *
            static_cast<DWORD>(channel_.blockAlign);
    }
    if (pos >= channel_.data.size()) pos = 0;
    if (playCursor != nullptr) *playCursor = pos;
    if (writeCursor != nullptr) *writeCursor = pos;
    return DS_OK;
  }

  HRESULT GetFrequency(DWORD* frequency) override {
    if (frequency == nullptr) return DSERR_INVALIDPARAM;
    if (primary()) {
      *frequency = platform::kMixRate;
      return DS_OK;
    }
    if ((flags_ & DSBCAPS_CTRLFREQUENCY) == 0) return DSERR_CONTROLUNAVAIL;
    *frequency = channel_.frequency;
    return DS_OK;
  }

  HRESULT GetPan(LONG* pan) override {
    if (pan == nullptr) return DSERR_INVALIDPARAM;
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    *pan = pan_;
    return DS_OK;
  }

  HRESULT GetVolume(LONG* volume) override {
    if (volume == nullptr) return DSERR_INVALIDPARAM;
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    *volume = volume_;
    return DS_OK;
  }

  HRESULT GetStatus(DWORD* status) override {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    AudioLock lock;
    *status = 0;
    if (channel_.playing) {
      *status = DSBSTATUS_PLAYING | (channel_.looping ? DSBSTATUS_LOOPING : 0);
    }
    return DS_OK;
  }

  HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1, LPVOID* part2,
               DWORD* bytes2, DWORD flags) override {
    if (primary()) return DSERR_PRIOLEVELNEEDED;
    if (part1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
    if (locked_) return DSERR_INVALIDCALL;
    const DWORD size = static_cast<DWORD>(channel_.data.size());
    if ((flags & DSBLOCK_FROMWRITECURSOR) != 0) GetCurrentPosition(nullptr, &offset);
    if ((flags & DSBLOCK_ENTIREBUFFER) != 0) bytes = size;
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    const DWORD first = std::min(bytes, size - offset);
    const DWORD second = bytes - first;
    if (second > 0 && (part2 == nullptr || bytes2 == nullptr)) return DSERR_INVALIDPARAM;
    // The caller writes into a copy, which reaches the mixer at Unlock: the audio thread never
    // reads half-written samples. The mix only reads the samples, so copying needs no lock.
    staging_.assign(channel_.data.begin(), channel_.data.end());
    lockOffset_ = offset;
    locked_ = true;
    *part1 = staging_.data() + offset;
    *bytes1 = first;
    if (part2 != nullptr) *part2 = second > 0 ? staging_.data() : nullptr;
    if (bytes2 != nullptr) *bytes2 = second;
    return DS_OK;
  }

  HRESULT Unlock(LPVOID part1, DWORD, LPVOID, DWORD) override {
    if (!locked_ || part1 != staging_.data() + lockOffset_) return DSERR_INVALIDPARAM;
    {
      AudioLock lock;
      channel_.data.swap(staging_);
    }
    staging_.clear();
    staging_.shrink_to_fit();
    locked_ = false;
    return DS_OK;
  }

  HRESULT Play(DWORD, DWORD, DWORD flags) override {
    if (primary()) return DS_OK;
    platform::CurrentHost().NoteSoundPlay(this);
    AudioLock lock;
    channel_.looping = (flags & DSBPLAY_LOOPING) != 0;
    channel_.playing = channel_.frames > 0;
    if (channel_.position >= (static_cast<uint64_t>(channel_.frames) << 32)) {
      channel_.position = 0;
    }
    return DS_OK;
  }

  HRESULT SetCurrentPosition(DWORD position) override {
    if (primary()) return DSERR_INVALIDCALL;
    if (position >= channel_.data.size()) return DSERR_INVALIDPARAM;
    AudioLock lock;
    channel_.position = static_cast<uint64_t>(position / channel_.blockAlign) << 32;
    return DS_OK;
  }

  HRESULT SetFrequency(DWORD frequency) override {
    if (primary() || (flags_ & DSBCAPS_CTRLFREQUENCY) == 0) return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL) frequency = originalFrequency_;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    AudioLock lock;
    channel_.frequency = frequency;
    return DS_OK;
  }

  HRESULT SetPan(LONG pan) override {
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    pan_ = pan;
    UpdateGains();
    return DS_OK;
  }

  HRESULT SetVolume(LONG volume) override {
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    volume_ = volume;
    UpdateGains();
    return DS_OK;
  }

  HRESULT Stop() override {
    AudioLock lock;
    channel_.playing = false;
    return DS_OK;
  }

 private:
  ~SoundBufferImpl() override = default;

  void UpdateGains() {
    float left, right;
    platform::GainsFor(volume_, pan_, &left, &right);
    AudioLock lock;
    channel_.gainLeft = left;
    channel_.gainRight = right;
  }

  DirectSoundImpl* owner_;
  DWORD flags_;
  ULONG refs_ = 1;
  MixChannel channel_;
  DWORD originalFrequency_ = 0;
  LONG pan_ = DSBPAN_CENTER;
  LONG volume_ = DSBVOLUME_MAX;
  std::vector<uint8_t> staging_;
  bool locked_ = false;
  DWORD lockOffset_ = 0;
};

class DirectSoundImpl final : public IDirectSound {
 public:
  ULONG AddRef() override { return ++refs_; }

  ULONG Release() override {
    if (--refs_ > 0) return refs_;
    // The DirectSound object takes every buffer it made with it.
    for (SoundBufferImpl* b : buffers_) b->Destroy();
    buffers_.clear();
    platform::ReleaseAudioOutput();
    delete this;
    return 0;
  }

  HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                            IUnknown* outer) override {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    if (desc == nullptr ||
        (desc->dwSize != kDsBufferDescSize && desc->dwSize != kDsBufferDescSizeOld)) {
      return DSERR_INVALIDPARAM;
    }
    if (level_ == 0) return DSERR_PRIOLEVELNEEDED;
    if ((desc->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
      if (desc->dwBufferBytes != 0 || desc->lpwfxFormat != nullptr) return DSERR_INVALIDPARAM;
      if (primary_ == nullptr) {
        primary_ = new SoundBufferImpl(this, desc->dwFlags);
        buffers_.push_back(primary_);
      } else {
        primary_->AddRef();
      }
      *buffer = primary_;
      return DS_OK;
    }
    const WAVEFORMATEX* f = desc->lpwfxFormat;
    if (f == nullptr || desc->dwBufferBytes < DSBSIZE_MIN || desc->dwBufferBytes > DSBSIZE_MAX) {
      return DSERR_INVALIDPARAM;
    }
    // PCM only, plain or in the extensible form: mono or stereo, 8 or 16 bits, a consistent
    // block size and a playable rate.
    if (!IsPcm(*f) || (f->nChannels != 1 && f->nChannels != 2) ||
        (f->wBitsPerSample != 8 && f->wBitsPerSample != 16) ||
        f->nBlockAlign != f->nChannels * f->wBitsPerSample / 8 ||
        f->nSamplesPerSec < DSBFREQUENCY_MIN || f->nSamplesPerSec > DSBFREQUENCY_MAX) {
      return DSERR_BADFORMAT;
    }
    if (desc->dwBufferBytes < f->nBlockAlign) return DSERR_INVALIDPARAM;
    auto* b = new SoundBufferImpl(this, desc->dwFlags);
    b->Init(*f, desc->dwBufferBytes);
    buffers_.push_back(b);
    *buffer = b;
    return DS_OK;
  }

  HRESULT SetCooperativeLevel(HWND, DWORD level) override {
    if (level < DSSCL_NORMAL || level > DSSCL_EXCLUSIVE) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
  }

  // A buffer's last release.
  void Forget(SoundBufferImpl* b) {
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), b), buffers_.end());
    if (b == primary_) primary_ = nullptr;
  }

 private:
  ~DirectSoundImpl() override = default;

  ULONG refs_ = 1;
  DWORD level_ = 0;
  SoundBufferImpl* primary_ = nullptr;
  std::vector<SoundBufferImpl*> buffers_;
};

ULONG SoundBufferImpl::Release() {
  if (--refs_ > 0) return refs_;
  owner_->Forget(this);
  Destroy();
  return 0;
}

}  // namespace

HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* directSound, IUnknown* outer) {
  if (directSound == nullptr) return DSERR_INVALIDPARAM;
  *directSound = nullptr;
  if (outer != nullptr) return DSERR_NOAGGREGATION;
  if (device != nullptr) return DSERR_NODRIVER;
  if (!platform::AcquireAudioOutput()) return DSERR_NODRIVER;
  *directSound = new DirectSoundImpl;
  return DS_OK;
}
