// The RCON request record the game hands to an RCON command, as the game lays it out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/fstring.h"

struct RCONPacket {
  std::int32_t Length;
  std::int32_t Id;  // carried back in the reply
  std::int32_t Type;
  FString Body;  // the command line as the client sent it
};
static_assert(offsetof(RCONPacket, Id) == 4 && offsetof(RCONPacket, Body) == 16);
