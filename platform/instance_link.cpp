#include "platform/instance_link.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

constexpr char kRaiseByte = 'R';
constexpr int kMaxPeers = 8;

std::string g_lock_directory;  // empty: the default
int g_listen_fd = -1;
int g_peers[kMaxPeers] = {-1, -1, -1, -1, -1, -1, -1, -1};

uint64_t Fnv1a64(const std::string& text) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::string Hex64(uint64_t v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
  return buf;
}

bool IsDirectory(const char* path) {
  struct stat st;
  return path != nullptr && path[0] == '/' && stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Abstract socket address: no file on disk, gone when the listener ends. The name holds the user
// and a hash of the lock directory, class and title, so it never carries outside text as such.
socklen_t LinkAddress(const std::string& className, const std::string& title, sockaddr_un& addr) {
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  const std::string key = LockDirectory() + '\n' + className + '\n' + title;
  const std::string name = "morventica-window-" + std::to_string(getuid()) + "-" + Hex64(Fnv1a64(key));
  std::memcpy(addr.sun_path + 1, name.data(), name.size());  // sun_path[0] stays 0: abstract
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

bool PeerIsSameUser(int fd) {
  ucred cred{};
  socklen_t len = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return cred.uid == getuid();
}

}  // namespace

std::string LockDirectory() {
  if (!g_lock_directory.empty()) return g_lock_directory;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (IsDirectory(runtime)) return runtime;
  return "/tmp";
}

void SetLockDirectory(const std::string& directory) { g_lock_directory = directory; }

std::string LockFilePath(const std::string& name) {
  std::string safe;
  for (char c : name) {
    if (safe.size() >= 64) break;
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '-' || c == '.';
    safe += ok ? c : '_';
  }
  return LockDirectory() + "/morventica-" + std::to_string(getuid()) + "-" + safe + "-" +
         Hex64(Fnv1a64(name)) + ".lock";
}

bool LinkListen(const std::string& className, const std::string& title) {
  LinkStopListening();
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un addr;
  const socklen_t len = LinkAddress(className, title, addr);
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(fd, kMaxPeers) != 0) {
    close(fd);
    return false;
  }
  g_listen_fd = fd;
  return true;
}

void LinkStopListening() {
  for (int& peer : g_peers) {
    if (peer >= 0) close(peer);
    peer = -1;
  }
  if (g_listen_fd >= 0) close(g_listen_fd);
  g_listen_fd = -1;
}

bool LinkTakeRaiseRequest() {
  if (g_listen_fd < 0) return false;
  // Accept whoever connected; a peer of another user is hung up on at once.
  for (;;) {
    const int fd = accept4(g_listen_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) break;
    int* slot = nullptr;
    for (int& peer : g_peers) {
      if (peer < 0) {
        slot = &peer;
        break;
      }
    }
    if (slot == nullptr || !PeerIsSameUser(fd)) {
      close(fd);
      continue;
    }
    *slot = fd;
  }
  // A peer that only looked for the window hangs up without a byte; one that wants the window in
  // front sends the raise byte.
  bool raise = false;
  for (int& peer : g_peers) {
    if (peer < 0) continue;
    char buf[16];
    const ssize_t n = read(peer, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
    if (n > 0 && std::memchr(buf, kRaiseByte, static_cast<size_t>(n)) != nullptr) raise = true;
    close(peer);
    peer = -1;
  }
  return raise;
}

int LinkConnect(const std::string& className, const std::string& title) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un addr;
  const socklen_t len = LinkAddress(className, title, addr);
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool LinkSendRaise(int connection) {
  if (connection < 0) return false;
  const char byte = kRaiseByte;
  const bool ok = send(connection, &byte, 1, MSG_NOSIGNAL) == 1;
  close(connection);
  return ok;
}

void LinkClose(int connection) {
  if (connection >= 0) close(connection);
}

}  // namespace platform
