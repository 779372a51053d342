// A dozen classes a table, as a server might hold back after a wipe: Rex for two days, Giga
// released an hour ago, the rest for a day; Dodo is not listed.
#include "bench/gate_world.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "bench/bare_gates.h"
#include "bench/bench_world.h"
#include "host/asa_api.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"

namespace bench {
namespace {

constexpr const char* kLocked = "Rex_Character_BP_C";
constexpr const char* kReleased = "Giga_Character_BP_C";
constexpr const char* kNotListed = "Dodo_Character_BP_C";

std::string notices_member(Notices notices) {
  switch (notices) {
    case Notices::off:
      return "";
    case Notices::cooling:
      return R"(, "PlayerNotices": {"CooldownSeconds": 86400})";
    case Notices::every_refusal:
      break;
  }
  return R"(, "PlayerNotices": {"CooldownSeconds": 0})";
}

std::string gate_config(std::int64_t wipe, Notices notices) {
  std::string list = std::string("{\"") + kLocked + R"(": {"HoursToDelay": 48}, ")" + kReleased +
                     R"(": {"HoursToDelay": -1})";
  for (const char* filler : {"Raptor", "Stego", "Trike", "Ptero", "Carno", "Spino", "Allo",
                             "Yutyrannus", "Therizino", "Argentavis"}) {
    list += std::string(", \"") + filler + R"(_Character_BP_C": {"HoursToDelay": 24})";
  }
  list += "}";
  return R"({"WipeTimestamp": )" + std::to_string(wipe) + notices_member(notices) +
         R"(, "DinoSettings": {"DisallowRiding": )" + list + R"(, "DisallowTaming": )" + list +
         "}}";
}

// The game's own function, resolved by its declared name, without any hook in front.
template <typename Declared>
typename Declared::Pointer game_function(const Declared& declared) {
  return reinterpret_cast<typename Declared::Pointer>(GetAddress(std::string(declared.name)));
}

}  // namespace

GateWorld::GateWorld(Notices notices) {
  start_plugin();
  write_config(gate_config(unix_now(), notices));
  if (!quellwarden::LoadConfig().applied()) throw std::runtime_error("gate config not applied");
  locked_key_ = FString(kLocked);
  released_key_ = FString(kReleased);
  can_tame_ = game_function(quellwarden::host::game::can_tame);
  imprint_baby_dino_ = game_function(quellwarden::host::game::imprint_baby_dino);
  set_rider_ = game_function(quellwarden::host::game::set_rider);
  hook_bare_gates(*this);
  renew();
}

GateWorld::~GateWorld() {
  quellwarden::DelayTable().swap(quellwarden::plugin_state().tables.riding.table);
  quellwarden::DelayTable().swap(quellwarden::plugin_state().tables.taming.table);
}

void GateWorld::renew() {
  standin::reset_records();
  creatures_ = {nullptr, standin::spawn_creature(kNotListed), standin::spawn_creature(kLocked),
                standin::spawn_creature(kReleased)};
  controller_ = standin::player("bench");
  rider_ = standin::rider("bench", controller_);
}

}  // namespace bench
