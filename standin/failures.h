// Host failures on demand, each striking the next use of one name only.
#pragma once

#include <cstddef>
#include <string_view>

#include "host/export.h"

namespace standin {

// The next `count` look-ups of that signature or field name through GetAddress, either form,
// yield null (nullptr or 0). A count of 0 withdraws what is pending.
ASAAPI_EXPORT void fail_resolve(std::string_view name, std::size_t count = 1);
// The next SetHook on that signature returns false and installs nothing.
ASAAPI_EXPORT void fail_next_hook(std::string_view signature);
// The next AddConsoleCommand or AddRconCommand of that name (any letter case) throws
// std::runtime_error naming it: the host's Add* return nothing, so throwing is how it refuses.
ASAAPI_EXPORT void fail_next_command(std::string_view name);

}  // namespace standin
