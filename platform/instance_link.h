// The channel between two starts of the program on one machine.
//
// The first start holds a lock file for each named mutex it creates (kernel32.cpp) and, once its
// window exists, listens on a local socket named from the window's class and title. A second start
// finds that window by connecting to the socket (FindWindowA) and asks it to come to the front by
// sending one byte (SetForegroundWindow). Only processes of the same user are heard.
//
// Lock files and socket names are scoped by the lock directory ($XDG_RUNTIME_DIR, else /tmp), so
// tests can run programs side by side by giving each its own directory.
#pragma once

#include <string>

namespace platform {

// Where lock files live. SetLockDirectory overrides the default (tests).
std::string LockDirectory();
void SetLockDirectory(const std::string& directory);

// A file name made only of safe characters and a hash of `name`, for a lock file in LockDirectory.
std::string LockFilePath(const std::string& name);

// Closes every named mutex of this process, so that a test can start the program again in the
// same process (kernel32.cpp).
void CloseAllNamedMutexes();

// First start: listen for requests addressed to the window (class, title). False when another
// process already listens under that name or no socket can be made.
bool LinkListen(const std::string& className, const std::string& title);
void LinkStopListening();
// Takes pending requests without blocking; true when at least one asked to come to the front.
bool LinkTakeRaiseRequest();

// Second start: connect to the window (class, title) of another process. Returns a connection
// descriptor, or -1 when no such window listens.
int LinkConnect(const std::string& className, const std::string& title);
// Sends the request to come to the front over a connection and closes it.
bool LinkSendRaise(int connection);
void LinkClose(int connection);

}  // namespace platform
