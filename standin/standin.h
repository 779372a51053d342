// Control surface of the stand-in host and game: what tests, the sandbox and the tools use to
// drive the world the plugin runs in and to read back what it did. The plugin never includes this.
//
// Threads: one thread drives the world, the game thread. It loads and unloads the plugin, spawns,
// calls the game functions, runs commands, opens RCON connections, arms failures and resets; in
// the sandbox it is the thread that runs the game queue (network threads only post to it), in a
// test the test's own thread. The clock and the records (allocator_stats, game_calls,
// sent_messages, rcon_replies, messenger_lookups, compare_calls, installed_hooks) may also be
// read from any other thread, e.g. by a log sink; the command registry and the game objects may
// not, since the plugin's callbacks on the game thread change them without a lock.
#pragma once

#include <cstddef>

#include "host/export.h"
#include "standin/allocator.h"
#include "standin/clock.h"
#include "standin/failures.h"
#include "standin/gated_functions.h"
#include "standin/messenger.h"
#include "standin/objects.h"
#include "standin/rcon.h"
#include "standin/registry.h"
#include "standin/text.h"

namespace standin {

// Clears every record and pending failure, thaws the clock, the taming answer back to true, a
// messenger available, the world emptied. Hooks, commands and log sinks stay: they belong to
// whoever installed them.
ASAAPI_EXPORT void reset_records();

// How many of the latest entries each record keeps for reading back (4096 unless set; counts such
// as game_call_count go on regardless). A reset leaves it as set. The sandbox keeps none: it prints
// what happens as it happens, and a week of status replies over RCON would otherwise hold
// megabytes.
ASAAPI_EXPORT void keep_latest_records(std::size_t entries);

}  // namespace standin
