// The world a gate decides in: the plugin with a dozen classes a table and its hooks installed, a
// creature of each situation, and the game's own functions resolved once, as the game calls them.
#pragma once

#include <array>
#include <cstddef>

#include "host/fstring.h"
#include "host/game_functions.h"
#include "host/game_types.h"

namespace bench {

enum class Gate { taming, imprint, riding };
enum class Situation { null_creature, not_listed, locked, released };

inline constexpr std::array<const char*, 3> kGateNames{"taming", "imprint", "riding"};
inline constexpr std::array<const char*, 4> kSituationNames{"null_creature", "not_listed", "locked",
                                                            "released"};

template <typename Enum, std::size_t N>
const char* name_of(const std::array<const char*, N>& names, Enum value) {
  return names[static_cast<std::size_t>(value)];
}

using CanTame = decltype(quellwarden::host::game::can_tame)::Pointer;
using ImprintBabyDino = decltype(quellwarden::host::game::imprint_baby_dino)::Pointer;
using SetRider = decltype(quellwarden::host::game::set_rider)::Pointer;

// Player notices off; on with a cooldown longer than any run, so a locked decision after the first
// pays for the cooldown's check alone; or on without a cooldown, so every refusal sends its notice.
enum class Notices { off, cooling, every_refusal };

// The game keeps a record of every run of its own functions: renew() clears them, and makes new
// creatures, outside any measurement and before the records pile up.
class GateWorld {
 public:
  explicit GateWorld(Notices notices = Notices::off);
  // Empty tables hold no block of the game's allocator, so nothing is left for the static
  // destructors to give back after the host has gone.
  ~GateWorld();
  GateWorld(const GateWorld&) = delete;
  GateWorld& operator=(const GateWorld&) = delete;

  void renew();

  APrimalDinoCharacter* creature(Situation situation) const {
    return creatures_[static_cast<std::size_t>(situation)];
  }
  AShooterPlayerController* controller() const { return controller_; }
  AShooterCharacter* rider() const { return rider_; }
  // The key in the table that a listed situation's class name is compared with.
  const FString& stored_key(Situation situation) const {
    return situation == Situation::released ? released_key_ : locked_key_;
  }

  CanTame can_tame() const { return can_tame_; }
  ImprintBabyDino imprint_baby_dino() const { return imprint_baby_dino_; }
  SetRider set_rider() const { return set_rider_; }

 private:
  std::array<APrimalDinoCharacter*, 4> creatures_{};
  AShooterPlayerController* controller_ = nullptr;
  AShooterCharacter* rider_ = nullptr;
  FString locked_key_;
  FString released_key_;
  CanTame can_tame_ = nullptr;
  ImprintBabyDino imprint_baby_dino_ = nullptr;
  SetRider set_rider_ = nullptr;
};

}  // namespace bench
