// One decision of a gate in one situation, made in one of four ways; the timings and the
// instruction counts run the same code.
#pragma once

#include <array>

#include "bench/gate_world.h"

namespace bench {

// loop: only picks the creature, what the measuring loop costs by itself. game: the game's own
// function alone. gate: the gate's decision. host_work: what the rules make every gate do.
enum class Way { loop, game, gate, host_work };

inline constexpr std::array<const char*, 4> kWayNames{"loop", "game", "gate", "host_work"};

using Decision = void (*)(const GateWorld& world);

Decision decision(Gate gate, Situation situation, Way way);

}  // namespace bench
