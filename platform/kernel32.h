// KERNEL32 stand-in: the single-instance mutex, the last error, the module file name, the resource
// table, and global memory blocks.
#pragma once

#include <vector>

#include "platform/win_types.h"

constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_NOT_OWNER = 288;

// Creates or opens a named mutex. The name is system-wide: a second process that asks for the same
// name gets a handle too, and GetLastError then answers ERROR_ALREADY_EXISTS.
HANDLE CreateMutexA(void* security, BOOL initialOwner, LPCSTR name);
BOOL ReleaseMutex(HANDLE mutex);
BOOL CloseHandle(HANDLE handle);
DWORD GetLastError();
void SetLastError(DWORD error);

// Writes the running program's full path (as the host reports it) into `buffer`, cut to size - 1
// characters; returns the number of characters written.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
HMODULE GetModuleHandleA(LPCSTR name);

// Resources. The programs carry one, their icon "MAIN" (RT_GROUP_ICON, a whole .BMP file); tests
// fill the table to exercise the fall-backs of the loaders. Types are a string ("WAVE") or an
// integer id (RT_BITMAP, RT_RCDATA, RT_GROUP_ICON).
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);

namespace platform {
// Adds a resource to the program's resource table (the program's icon as it starts, and tests).
// `type` is a string type name, or nullptr together with a non-zero `typeId`.
void AddResource(const char* name, const char* type, uintptr_t typeId, std::vector<uint8_t> bytes);
void ClearResources();
// Looks up a resource's bytes; nullptr when absent. Used by LoadImageA for bitmap resources.
const std::vector<uint8_t>* FindResourceBytes(const char* name, const char* type, uintptr_t typeId);
}  // namespace platform

// Clocks: the high-resolution counter (FALSE from both calls on a machine without one) and the
// millisecond tick count since start-up, wrapping after about 49.7 days.
struct LARGE_INTEGER {
  int64_t QuadPart;
};
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
DWORD GetTickCount();

// Global memory.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
HGLOBAL GlobalFree(HGLOBAL block);  // nullptr on success
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
HGLOBAL GlobalHandle(LPCVOID pointer);
