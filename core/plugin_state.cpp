// The tables exist, empty, before any of the plugin's code runs: they need no constructor. Their
// destructors are registered here, in this order, so the library's shutdown releases the taming
// table before the riding table; see library_entry_posix.cpp for where the plugin log fits in.
#include "core/plugin_state.h"

namespace quellwarden {

constinit DelayTable riding_table;
constinit DelayTable taming_table;
constinit std::int64_t wipe_timestamp = 0;

}  // namespace quellwarden
