// The system calls the plugin makes, declared under their Windows names and shapes. Windows
// supplies them there; elsewhere the host stand-in does, so the plugin's source has no branches.
#pragma once

#include <cstdint>

#include "host/widechar.h"

#if defined(_WIN32)
// The system's own types, so these declarations agree with <windows.h> wherever both are seen.
struct HINSTANCE__;
#define QW_SYSTEM_CALL __declspec(dllimport)
#else
#define QW_SYSTEM_CALL
#endif

namespace platform {

using BOOL = int;
#if defined(_WIN32)
using DWORD = unsigned long;
using HMODULE = HINSTANCE__*;
#else
using DWORD = std::uint32_t;
using HMODULE = void*;
#endif

inline constexpr DWORD kModuleFromAddress = 0x4;  // GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
inline constexpr DWORD kModuleUnchangedRefcount =
    0x2;  // GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT
inline constexpr DWORD kMaxPath = 260;

}  // namespace platform

extern "C" {
QW_SYSTEM_CALL platform::BOOL GetModuleHandleExA(platform::DWORD flags, const char* module_name,
                                                 platform::HMODULE* module);
QW_SYSTEM_CALL platform::DWORD GetModuleFileNameW(platform::HMODULE module, WIDECHAR* path,
                                                  platform::DWORD size);
// The C++ runtime's wall clock: 100-nanosecond ticks since 1970-01-01 00:00:00 UTC.
long long _Xtime_get_ticks();
}
