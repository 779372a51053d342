// Putting the gates' hooks in place with the host and taking them away, remembering which are in
// place: a gate the host refused holds nothing back, and the status must say so.
#pragma once

#include "core/gate.h"

namespace quellwarden {

// Whether `gate` has its hook in place. What a gate without one would hold back is open, so no
// answer may count it as held.
bool gate_in_place(Gate gate) noexcept;

// Asks the host for each gate's hook that is not in place yet, in install order; a refusal is
// logged and tried again at the next call (each reload), never fatal.
void install_missing_gates() noexcept;

// Removes the hooks in place; one the host never installed is not asked for, so it logs nothing.
void remove_gates() noexcept;

}  // namespace quellwarden
