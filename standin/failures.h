// Host failures on demand, each striking the next uses of one name (or the allocator) only.
#pragma once

#include <cstddef>
#include <string_view>

#include "host/export.h"

namespace standin {

// The next `count` look-ups of that signature or field name through GetAddress, either form,
// yield null (nullptr or 0). A count of 0 withdraws what is pending.
ASAAPI_EXPORT void fail_resolve(std::string_view name, std::size_t count = 1);
// The next `count` uses of that name throw std::runtime_error naming it: a game function is
// resolved as usual but throws when called, a field's look-up throws. A count of 0 withdraws.
ASAAPI_EXPORT void fail_throw(std::string_view name, std::size_t count = 1);
// The game's allocator refuses its `nth` allocating call from now (FMemory.Malloc, or
// FMemory.Realloc to a size above 0, answers null; the host's FString constructors throw
// std::bad_alloc). Then it allocates again. An `nth` of 0 withdraws.
ASAAPI_EXPORT void fail_alloc(std::size_t nth);
// Whether a refusal set by fail_alloc is still to come.
ASAAPI_EXPORT bool alloc_failure_pending();
// The next SetHook on that signature returns false and installs nothing.
ASAAPI_EXPORT void fail_next_hook(std::string_view signature);
// The next AddConsoleCommand, AddRconCommand, AddChatCommand or AddTimer of that name (any letter
// case) throws std::runtime_error naming it: the host's Add* return nothing, so throwing is how it
// refuses.
ASAAPI_EXPORT void fail_next_command(std::string_view name);
// The system's next look-up of a module by address (GetModuleHandleExA) fails. Only where the
// stand-in supplies that call; Windows answers it itself.
ASAAPI_EXPORT void fail_next_module_lookup();

}  // namespace standin
