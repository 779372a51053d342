// Runs only after a refusal, so the gates' other paths cost nothing for it. The cooldown is asked
// first, with what the gate found: a refusal inside it builds no text.
#include "plugin/refusal_notices.h"

#include <string>

#include "host/game_functions.h"
#include "host/utf8.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"

namespace quellwarden {
namespace {

const std::string& text_of(Gate gate, const config::NoticeSettings& settings) {
  if (gate == Gate::taming) return settings.taming;
  return gate == Gate::imprinting ? settings.imprinting : settings.riding;
}

void send_notice(const config::NoticeSettings& settings, const std::string& text,
                 const GateRefusal& refusal, APlayerController* player) {
  const config::DisplayNames& names = plugin_state().tables.of(refusal.gate).names;
  const std::string name = host::encode_utf8(refusal.class_name.view());
  PlayerReply(player).send(kYellow,
                           config::notice_text(text,
                                               {config::display_name_at(names, refusal.slot), name,
                                                refusal.unlock_time, refusal.now},
                                               settings));
}

}  // namespace

APlayerController* controller_of(Gate gate, const void* player) noexcept {
  if (gate != Gate::riding) {
    return static_cast<APlayerController*>(const_cast<void*>(player));
  }
  try {
    return player == nullptr ? nullptr : *host::field_of<host::game::controller_of_pawn>(player);
  } catch (...) {
    return nullptr;
  }
}

void send_refusal_notice(const config::NoticeSettings& settings, const GateRefusal& refusal,
                         APlayerController* controller) noexcept {
  try {
    const std::string& text = text_of(refusal.gate, settings);
    // A class held until config.json is fixed has no time to tell; the refusal is silent.
    if (text.empty() || config::never_unlocks(refusal.unlock_time)) return;
    const NoticeKey key{controller, refusal.gate, refusal.class_name.view(), refusal.class_hash};
    if (plugin_state().notice_cooldown.admit(key, refusal.now, settings.cooldown_seconds)) {
      send_notice(settings, text, refusal, controller);
    }
  } catch (...) {
    // The refusal stands either way; a player simply hears nothing.
  }
}

}  // namespace quellwarden
