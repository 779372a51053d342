// The host's messenger: what players were sent, and whether a plugin finds a messenger at all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"

namespace standin {

struct SentMessage {
  const APlayerController* player = nullptr;  // null when to_everyone
  FLinearColor colour{};
  std::string text;  // UTF-8
  bool to_everyone = false;
};
// The latest (up to a few thousand since the last reset), oldest first.
ASAAPI_EXPORT std::vector<SentMessage> sent_messages();
// Also called for every message sent, e.g. to print it.
ASAAPI_EXPORT void on_message(std::function<void(const SentMessage&)> listener);
// When false, the messenger lookup yields none.
ASAAPI_EXPORT void set_messenger_available(bool available);
// Module paths passed to the messenger lookup, the latest in order (UTF-8).
ASAAPI_EXPORT std::vector<std::string> messenger_lookups();

}  // namespace standin
