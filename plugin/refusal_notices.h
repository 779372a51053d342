// Tells a player why a gate refused them, when the configuration asks for it.
#pragma once

#include <cstdint>

#include "config/notice_settings.h"
#include "core/gate.h"
#include "host/fstring.h"

namespace quellwarden {

// What the gate found on its way to the refusal, handed on so that nothing is read twice.
struct GateRefusal {
  Gate gate;
  std::int32_t slot;  // where the gate's table keeps the class
  const FString& class_name;
  std::uint32_t class_hash;  // key_hash of class_name
  std::int64_t unlock_time;
  std::int64_t now;
};

// The controller of the player a gate refused: `player` itself, or for riding the rider's
// controller; null when there is none or the host cannot tell.
APlayerController* controller_of(Gate gate, const void* player) noexcept;

// Sends, after a refusal of the player of `controller` (not null): a notice in yellow, unless the
// gate's text is empty, the class is held until config.json is fixed (it has no time to tell) or
// the same notice went out within the cooldown. Logs nothing and never
// throws: a notice that cannot be made is simply not sent.
void send_refusal_notice(const config::NoticeSettings& settings, const GateRefusal& refusal,
                         APlayerController* controller) noexcept;

}  // namespace quellwarden
