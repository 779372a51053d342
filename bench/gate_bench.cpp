// Each gate's decision in its four situations, against a direct call of the game's own function
// and against the host work that every decision owes: reading the class name and one compare,
// each reached by name through the resolver.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "bench/bench_world.h"
#include "core/delay_table.h"
#include "host/asa_api.h"
#include "host/class_name.h"
#include "host/fstring.h"
#include "host/platform_calls.h"
#include "plugin/gates.h"
#include "plugin/plugin_state.h"
#include "standin/standin.h"

namespace {

enum class Situation { null_creature, not_listed, locked, released };

constexpr std::array<const char*, 4> kSituationNames{"null_creature", "not_listed", "locked",
                                                     "released"};
constexpr const char* kLocked = "Rex_Character_BP_C";
constexpr const char* kReleased = "Giga_Character_BP_C";
constexpr const char* kNotListed = "Dodo_Character_BP_C";

// A dozen classes a table, as a server might hold back after a wipe: Rex for two days, Giga
// released an hour ago.
std::string gate_config(std::int64_t wipe) {
  std::string list = std::string("{\"") + kLocked + R"(": {"HoursToDelay": 48}, ")" + kReleased +
                     R"(": {"HoursToDelay": -1})";
  for (const char* filler : {"Raptor", "Stego", "Trike", "Ptero", "Carno", "Spino", "Allo",
                             "Yutyrannus", "Therizino", "Argentavis"}) {
    list += std::string(", \"") + filler + R"(_Character_BP_C": {"HoursToDelay": 24})";
  }
  list += "}";
  return R"({"WipeTimestamp": )" + std::to_string(wipe) +
         R"(, "DinoSettings": {"DisallowRiding": )" + list + R"(, "DisallowTaming": )" + list +
         "}}";
}

// The game keeps a record of every run of its own functions; the world is renewed now and then,
// outside the timing, so the records do not pile up over millions of calls.
constexpr int kRenewEvery = 1 << 16;

class GateWorld {
 public:
  GateWorld() {
    bench::start_plugin();
    bench::write_config(gate_config(bench::unix_now()));
    if (!quellwarden::LoadConfig().applied()) throw std::runtime_error("gate config not applied");
    renew();
  }
  // Empty tables hold no block of the game's allocator, so nothing is left for the static
  // destructors to give back after the host has gone.
  ~GateWorld() {
    quellwarden::plugin_state().tables.riding.clear();
    quellwarden::plugin_state().tables.taming.clear();
  }
  GateWorld(const GateWorld&) = delete;
  GateWorld& operator=(const GateWorld&) = delete;

  void renew() {
    standin::reset_records();
    creatures_ = {nullptr, standin::spawn_creature(kNotListed), standin::spawn_creature(kLocked),
                  standin::spawn_creature(kReleased)};
    controller_ = standin::player("bench");
    rider_ = standin::rider("bench");
  }

  APrimalDinoCharacter* creature(Situation situation) const {
    return creatures_[static_cast<std::size_t>(situation)];
  }
  AShooterPlayerController* controller() const { return controller_; }
  AShooterCharacter* rider() const { return rider_; }

 private:
  std::array<APrimalDinoCharacter*, 4> creatures_{};
  AShooterPlayerController* controller_ = nullptr;
  AShooterCharacter* rider_ = nullptr;
};

// Runs `call(creature, world)` once per iteration and reports the game compares per call.
template <typename Call>
void run(benchmark::State& state, Situation situation, Call call) {
  GateWorld world;
  APrimalDinoCharacter* creature = world.creature(situation);
  std::size_t compares = 0;  // the world's renewal restarts the game's count
  int countdown = kRenewEvery;
  for (auto _ : state) {
    call(creature, world);
    if (--countdown == 0) {
      state.PauseTiming();
      compares += standin::compare_calls();
      world.renew();
      creature = world.creature(situation);
      countdown = kRenewEvery;
      state.ResumeTiming();
    }
  }
  compares += standin::compare_calls();
  state.counters["compares"] =
      static_cast<double>(compares) /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

template <typename Function>
Function game_function(const char* signature) {
  return reinterpret_cast<Function>(GetAddress(std::string(signature)));
}

using CanTame = bool (*)(APrimalDinoCharacter*, AShooterPlayerController*, bool, bool);
using ImprintBabyDino = void (*)(APrimalDinoCharacter*, APlayerController*, bool);
using SetRider = void (*)(APrimalDinoCharacter*, AShooterCharacter*);

constexpr const char* kCanTame =
    "APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)";
constexpr const char* kImprint = "APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)";
constexpr const char* kSetRider = "APrimalDinoCharacter.SetRider(AShooterCharacter*)";

void taming_game(benchmark::State& state, Situation situation) {
  const auto own = game_function<CanTame>(kCanTame);
  run(state, situation, [own](APrimalDinoCharacter* creature, const GateWorld& world) {
    benchmark::DoNotOptimize(own(creature, world.controller(), true, false));
  });
}

void taming_gate(benchmark::State& state, Situation situation) {
  run(state, situation, [](APrimalDinoCharacter* creature, const GateWorld& world) {
    benchmark::DoNotOptimize(quellwarden::taming_gate(creature, world.controller(), true, false));
  });
}

void imprint_game(benchmark::State& state, Situation situation) {
  const auto own = game_function<ImprintBabyDino>(kImprint);
  run(state, situation, [own](APrimalDinoCharacter* creature, const GateWorld& world) {
    own(creature, world.controller(), true);
    benchmark::ClobberMemory();
  });
}

void imprint_gate(benchmark::State& state, Situation situation) {
  run(state, situation, [](APrimalDinoCharacter* creature, const GateWorld& world) {
    quellwarden::imprint_gate(creature, world.controller(), true);
    benchmark::ClobberMemory();
  });
}

void riding_game(benchmark::State& state, Situation situation) {
  const auto own = game_function<SetRider>(kSetRider);
  run(state, situation, [own](APrimalDinoCharacter* creature, const GateWorld& world) {
    own(creature, world.rider());
    benchmark::ClobberMemory();
  });
}

void riding_gate(benchmark::State& state, Situation situation) {
  run(state, situation, [](APrimalDinoCharacter* creature, const GateWorld& world) {
    quellwarden::riding_gate(creature, world.rider());
    benchmark::ClobberMemory();
  });
}

// What no decision on a creature can do without: its class name, read through two fields and
// FName.ToString, one case-insensitive compare, and the name's buffer given back, all by name.
void host_work(benchmark::State& state, Situation situation) {
  const FString held(situation == Situation::released ? kReleased : kLocked);
  run(state, situation, [&held](APrimalDinoCharacter* creature, const GateWorld&) {
    const FString name = quellwarden::host::read_class_name(creature);
    benchmark::DoNotOptimize(quellwarden::host::compare_ignoring_case(held, name));
  });
}

// The two steps of a decision that are the plugin's own beyond the host work.
void key_hash_part(benchmark::State& state) {
  const FString name(kLocked);
  for (auto _ : state) {
    benchmark::DoNotOptimize(quellwarden::key_hash(name));
  }
}

void clock_part(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(_Xtime_get_ticks());
  }
}

template <typename Function>
void register_each(const std::string& name, Function function) {
  for (std::size_t index = 0; index < kSituationNames.size(); ++index) {
    benchmark::RegisterBenchmark((name + "/" + kSituationNames[index]).c_str(), function,
                                 static_cast<Situation>(index));
  }
}

[[maybe_unused]] const bool registered = [] {
  register_each("gate/taming/game", taming_game);
  register_each("gate/taming/gate", taming_gate);
  register_each("gate/imprint/game", imprint_game);
  register_each("gate/imprint/gate", imprint_gate);
  register_each("gate/riding/game", riding_game);
  register_each("gate/riding/gate", riding_gate);
  for (const Situation situation :
       {Situation::not_listed, Situation::locked, Situation::released}) {
    const std::string suffix = kSituationNames[static_cast<std::size_t>(situation)];
    benchmark::RegisterBenchmark(("gate/host_work/" + suffix).c_str(), host_work, situation);
  }
  benchmark::RegisterBenchmark("gate/part/key_hash", key_hash_part);
  benchmark::RegisterBenchmark("gate/part/clock_read", clock_part);
  return true;
}();

}  // namespace
