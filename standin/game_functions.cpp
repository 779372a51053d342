// The three game functions the plugin gates, as the game calls them (through whatever hook is
// installed) and as the game itself runs them (recorded, with a settable taming answer).
#include "standin/gated_functions.h"
#include "standin/world.h"

namespace standin {
namespace {

struct GameState {
  std::mutex mutex;
  bool can_tame_answer = true;
  std::vector<GameCall> calls;
};

GameState& state() { return detail::forever<GameState>(); }

void record(GameCall call) {
  const std::lock_guard lock(state().mutex);
  state().calls.push_back(std::move(call));
}

}  // namespace

void set_can_tame_answer(bool answer) {
  const std::lock_guard lock(state().mutex);
  state().can_tame_answer = answer;
}

std::vector<GameCall> game_calls() {
  const std::lock_guard lock(state().mutex);
  return state().calls;
}

bool game_can_tame(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                   bool second) {
  using Function = bool (*)(APrimalDinoCharacter*, AShooterPlayerController*, bool, bool);
  auto* entry = reinterpret_cast<Function>(
      detail::entry_of("APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)"));
  return entry(creature, controller, first, second);
}

void game_imprint_baby_dino(APrimalDinoCharacter* creature, APlayerController* controller,
                            bool flag) {
  using Function = void (*)(APrimalDinoCharacter*, APlayerController*, bool);
  auto* entry = reinterpret_cast<Function>(
      detail::entry_of("APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)"));
  entry(creature, controller, flag);
}

void game_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  using Function = void (*)(APrimalDinoCharacter*, AShooterCharacter*);
  auto* entry = reinterpret_cast<Function>(
      detail::entry_of("APrimalDinoCharacter.SetRider(AShooterCharacter*)"));
  entry(creature, rider);
}

namespace detail {

bool own_can_tame(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                  bool second) {
  record({"CanTame", creature, controller, first, second});
  const std::lock_guard lock(state().mutex);
  return state().can_tame_answer;
}

void own_imprint_baby_dino(APrimalDinoCharacter* creature, APlayerController* controller,
                           bool flag) {
  record({"ImprintBabyDino", creature, controller, flag, false});
}

void own_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider) {
  record({"SetRider", creature, rider, false, false});
}

void reset_game_records() {
  const std::lock_guard lock(state().mutex);
  state().calls.clear();
  state().can_tame_answer = true;
}

}  // namespace detail
}  // namespace standin
