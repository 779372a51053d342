// Runs only after a refusal, so the gates' other paths stay as cheap as without notices. The class
// name is read again here rather than handed over, for the same reason.
#include "plugin/refusal_notices.h"

#include "config/ascii_fold.h"
#include "config/notice_settings.h"
#include "host/class_name.h"
#include "host/game_functions.h"
#include "host/utf8.h"
#include "plugin/clock.h"
#include "plugin/player_messages.h"
#include "plugin/plugin_state.h"

namespace quellwarden {
namespace {

APlayerController* player_of(RefusedGate gate, const void* player) {
  if (gate != RefusedGate::riding) {
    return static_cast<APlayerController*>(const_cast<void*>(player));
  }
  return player == nullptr ? nullptr : *host::field_of(player, host::game::controller_of_pawn);
}

const std::string& text_of(RefusedGate gate, const config::NoticeSettings& settings) {
  switch (gate) {
    case RefusedGate::taming:
      return settings.taming;
    case RefusedGate::imprinting:
      return settings.imprinting;
    case RefusedGate::riding:
      break;
  }
  return settings.riding;
}

void send_notice(RefusedGate gate, const APrimalDinoCharacter* creature, APlayerController* player,
                 const config::NoticeSettings& settings) {
  PluginState& state = plugin_state();
  const bool riding = gate == RefusedGate::riding;
  const DelayTable& table = riding ? state.tables.riding : state.tables.taming;
  const FString class_name = host::read_class_name(creature);
  const std::int32_t slot = table.find(key_hash(class_name), class_name);
  const std::int64_t now = unix_now();
  if (slot == -1 || table.unlock_time(slot) <= now) return;
  const std::string name = host::encode_utf8(class_name.view());
  std::string folded = config::ascii_folded(name);
  const config::DisplayNames& names =
      riding ? state.tables.riding_names : state.tables.taming_names;
  const auto display = names.find(folded);
  if (!state.notice_cooldown.admit({player, static_cast<int>(gate), std::move(folded)}, now,
                                   settings.cooldown_seconds)) {
    return;
  }
  const std::string text = config::notice_text(
      text_of(gate, settings),
      {display == names.end() ? name : display->second, name, table.unlock_time(slot), now});
  PlayerReply(player).send(kYellow, text);
}

}  // namespace

void send_refusal_notice(RefusedGate gate, const APrimalDinoCharacter* creature,
                         const void* player) noexcept {
  try {
    const auto& settings = plugin_state().tables.notices;
    if (!settings || text_of(gate, *settings).empty()) return;
    APlayerController* const controller = player_of(gate, player);
    if (controller != nullptr) send_notice(gate, creature, controller, *settings);
  } catch (...) {
    // The refusal stands either way; a player simply hears nothing.
  }
}

}  // namespace quellwarden
