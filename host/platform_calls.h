// The system calls the plugin makes, declared under their Windows names and shapes. Windows
// supplies them there; elsewhere the host stand-in does, so the plugin's source has no branches.
#pragma once

#include <cstdint>

#include "host/widechar.h"

namespace platform {

using BOOL = int;
using DWORD = std::uint32_t;
using HMODULE = void*;

inline constexpr DWORD kModuleFromAddress = 0x4;  // GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
inline constexpr DWORD kModuleUnchangedRefcount =
    0x2;  // GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT
inline constexpr DWORD kMaxPath = 260;

}  // namespace platform

extern "C" {
platform::BOOL GetModuleHandleExA(platform::DWORD flags, const char* module_name,
                                  platform::HMODULE* module);
platform::DWORD GetModuleFileNameW(platform::HMODULE module, WIDECHAR* path, platform::DWORD size);
// The C++ runtime's wall clock: 100-nanosecond ticks since 1970-01-01 00:00:00 UTC.
long long _Xtime_get_ticks();
}
