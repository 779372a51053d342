// The three game functions the plugin gates, as the game calls them (through whatever hook is
// installed) and as the game itself runs them (recorded, with a settable taming answer).
#include "standin/gated_functions.h"

#include <atomic>
#include <type_traits>

#include "host/game_functions.h"
#include "standin/records.h"
#include "standin/world.h"

namespace standin {
namespace {

std::atomic<bool> can_tame_answer{true};

detail::Records<GameCall>& calls() { return detail::forever<detail::Records<GameCall>>(); }

namespace game = quellwarden::host::game;

// The newest hook on the declared function, or its own body.
template <const auto& declared>
auto entry() {
  return reinterpret_cast<typename std::remove_cvref_t<decltype(declared)>::Pointer>(
      detail::entry_of(std::string(declared.name)));
}

}  // namespace

void set_can_tame_answer(bool answer) { can_tame_answer.store(answer); }

std::vector<GameCall> game_calls() { return calls().latest(); }

std::size_t game_call_count() { return calls().total(); }

bool game_can_tame(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                   bool second) {
  return entry<game::can_tame>()(creature, controller, first, second);
}

void game_imprint_baby_dino(APrimalDinoCharacter* creature, APlayerController* controller,
                            bool flag) {
  entry<game::imprint_baby_dino>()(creature, controller, flag);
}

void game_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  entry<game::set_rider>()(creature, rider);
}

namespace detail {

bool own_can_tame(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                  bool second) {
  calls().add({"CanTame", creature, controller, first, second});
  return can_tame_answer.load();
}

void own_imprint_baby_dino(APrimalDinoCharacter* creature, APlayerController* controller,
                           bool flag) {
  calls().add({"ImprintBabyDino", creature, controller, flag, false});
}

void own_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  calls().add({"SetRider", creature, rider, false, false});
}

void reset_game_records() {
  calls().clear();
  can_tame_answer.store(true);
}

}  // namespace detail
}  // namespace standin
