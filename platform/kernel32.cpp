#include "platform/kernel32.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host.h"
#include "platform/instance_link.h"

namespace {

thread_local DWORD t_last_error = ERROR_SUCCESS;

// --- Named mutexes ---
// A named mutex is an exclusive advisory lock on a file named from the mutex name: the lock lives
// as long as the process keeps the handle (the whole run, as the game never closes it), so a
// second process asking for the same name learns that it exists.
constexpr int kMaxMutexes = 8;

struct MutexRecord {
  bool used = false;
  std::string name;
  int fd = -1;        // lock file; locked by this process unless another process holds it
  int handles = 0;    // open handles of this process
  bool owned = false;
};
MutexRecord g_mutexes[kMaxMutexes];

MutexRecord* MutexFromHandle(HANDLE h) {
  for (MutexRecord& m : g_mutexes) {
    if (m.used && reinterpret_cast<HANDLE>(&m) == h) return &m;
  }
  return nullptr;
}

// --- Resources ---
struct ResourceRecord {
  std::string name;      // upper case; empty for an integer id
  uintptr_t nameId = 0;
  std::string type;      // upper case; empty for an integer type
  uintptr_t typeId = 0;
  std::vector<uint8_t> bytes;
};
std::vector<ResourceRecord>& Resources() {
  static std::vector<ResourceRecord> table;
  return table;
}

std::string Upper(const char* s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool NameMatches(const std::string& name, uintptr_t id, LPCSTR wanted) {
  if (wanted == nullptr) return false;
  if (IS_INTRESOURCE(wanted)) return name.empty() && id == reinterpret_cast<uintptr_t>(wanted);
  return !name.empty() && name == Upper(wanted);
}

ResourceRecord* FindRecord(LPCSTR name, LPCSTR type) {
  for (ResourceRecord& r : Resources()) {
    if (NameMatches(r.name, r.nameId, name) && NameMatches(r.type, r.typeId, type)) return &r;
  }
  return nullptr;
}

// --- Global memory ---
// Blocks never move, so a handle is the block's address and locking gives it back.
struct alignas(16) GlobalHeader {
  uint32_t magic;
  uint32_t locks;
  size_t bytes;
};
constexpr uint32_t kGlobalMagic = 0x474C4F42;  // "GLOB"

GlobalHeader* HeaderOf(LPCVOID p) {
  if (p == nullptr) return nullptr;
  auto* h = reinterpret_cast<GlobalHeader*>(const_cast<char*>(static_cast<const char*>(p))) - 1;
  return h->magic == kGlobalMagic ? h : nullptr;
}

// The program's own module handle: any non-null value will do.
char g_module_marker;

}  // namespace

DWORD GetLastError() { return t_last_error; }
void SetLastError(DWORD error) { t_last_error = error; }

HANDLE CreateMutexA(void* /*security*/, BOOL initialOwner, LPCSTR name) {
  MutexRecord* free_slot = nullptr;
  if (name != nullptr) {
    for (MutexRecord& m : g_mutexes) {
      if (m.used && m.name == name) {
        // Already made by this process: another handle to the same mutex.
        ++m.handles;
        SetLastError(ERROR_ALREADY_EXISTS);
        return reinterpret_cast<HANDLE>(&m);
      }
    }
  }
  for (MutexRecord& m : g_mutexes) {
    if (!m.used) {
      free_slot = &m;
      break;
    }
  }
  if (free_slot == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  MutexRecord& m = *free_slot;
  bool exists_elsewhere = false;
  int fd = -1;
  if (name != nullptr) {
    const std::string path = platform::LockFilePath(name);
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) exists_elsewhere = true;
  }
  m.used = true;
  m.name = name != nullptr ? name : "";
  m.fd = fd;
  m.handles = 1;
  m.owned = initialOwner != 0 && !exists_elsewhere;
  SetLastError(exists_elsewhere ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return reinterpret_cast<HANDLE>(&m);
}

BOOL ReleaseMutex(HANDLE mutex) {
  MutexRecord* m = MutexFromHandle(mutex);
  if (m == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!m->owned) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  m->owned = false;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  MutexRecord* m = MutexFromHandle(handle);
  if (m == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (--m->handles > 0) return TRUE;
  if (m->fd >= 0) close(m->fd);  // drops the lock; the file stays for the next start
  *m = MutexRecord{};
  return TRUE;
}

DWORD GetModuleFileNameA(HMODULE /*module*/, LPSTR buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  const std::string path = platform::CurrentHost().ModulePath();
  const size_t n = path.size() < size - 1 ? path.size() : size - 1;
  std::memcpy(buffer, path.data(), n);
  buffer[n] = '\0';
  return static_cast<DWORD>(n);
}

HMODULE GetModuleHandleA(LPCSTR name) {
  if (name != nullptr) return nullptr;
  return reinterpret_cast<HMODULE>(&g_module_marker);
}

namespace platform {

void CloseAllNamedMutexes() {
  for (MutexRecord& m : g_mutexes) {
    if (m.used && m.fd >= 0) close(m.fd);
    m = MutexRecord{};
  }
}

void AddResource(const char* name, const char* type, uintptr_t typeId, std::vector<uint8_t> bytes) {
  ResourceRecord r;
  if (name != nullptr && IS_INTRESOURCE(name)) {
    r.nameId = reinterpret_cast<uintptr_t>(name);
  } else {
    r.name = Upper(name != nullptr ? name : "");
  }
  if (type != nullptr) {
    r.type = Upper(type);
  } else {
    r.typeId = typeId;
  }
  r.bytes = std::move(bytes);
  Resources().push_back(std::move(r));
}

void ClearResources() { Resources().clear(); }

const std::vector<uint8_t>* FindResourceBytes(const char* name, const char* type, uintptr_t typeId) {
  const ResourceRecord* r =
      FindRecord(name, type != nullptr ? type : MAKEINTRESOURCEA(typeId));
  return r != nullptr ? &r->bytes : nullptr;
}

}  // namespace platform

HRSRC FindResourceA(HMODULE /*module*/, LPCSTR name, LPCSTR type) {
  return reinterpret_cast<HRSRC>(FindRecord(name, type));
}

HGLOBAL LoadResource(HMODULE /*module*/, HRSRC resource) {
  return reinterpret_cast<HGLOBAL>(resource);
}

DWORD SizeofResource(HMODULE /*module*/, HRSRC resource) {
  if (resource == nullptr) return 0;
  return static_cast<DWORD>(reinterpret_cast<ResourceRecord*>(resource)->bytes.size());
}

LPVOID LockResource(HGLOBAL data) {
  if (data == nullptr) return nullptr;
  return reinterpret_cast<ResourceRecord*>(data)->bytes.data();
}

HGLOBAL GlobalAlloc(UINT flags, size_t bytes) {
  void* raw = (flags & GMEM_ZEROINIT) != 0 ? std::calloc(1, sizeof(GlobalHeader) + bytes)
                                           : std::malloc(sizeof(GlobalHeader) + bytes);
  if (raw == nullptr) return nullptr;
  auto* h = static_cast<GlobalHeader*>(raw);
  h->magic = kGlobalMagic;
  h->locks = 0;
  h->bytes = bytes;
  return reinterpret_cast<HGLOBAL>(h + 1);
}

HGLOBAL GlobalFree(HGLOBAL block) {
  if (block == nullptr) return nullptr;
  GlobalHeader* h = HeaderOf(block);
  if (h == nullptr) return block;  // not a block of ours: failure
  h->magic = 0;
  std::free(h);
  return nullptr;
}

LPVOID GlobalLock(HGLOBAL block) {
  GlobalHeader* h = HeaderOf(block);
  if (h == nullptr) return nullptr;
  ++h->locks;
  return block;
}

BOOL GlobalUnlock(HGLOBAL block) {
  GlobalHeader* h = HeaderOf(block);
  if (h == nullptr || h->locks == 0) return FALSE;
  return --h->locks != 0 ? TRUE : FALSE;
}

HGLOBAL GlobalHandle(LPCVOID pointer) {
  return HeaderOf(pointer) != nullptr ? reinterpret_cast<HGLOBAL>(const_cast<void*>(pointer))
                                      : nullptr;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (frequency == nullptr) return FALSE;
  frequency->QuadPart = platform::CurrentHost().CounterFrequency();
  return frequency->QuadPart != 0 ? TRUE : FALSE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (count == nullptr) return FALSE;
  if (platform::CurrentHost().CounterFrequency() == 0) {
    count->QuadPart = 0;
    return FALSE;
  }
  count->QuadPart = platform::CurrentHost().CounterValue();
  return TRUE;
}

DWORD GetTickCount() { return platform::CurrentHost().TickMilliseconds(); }
