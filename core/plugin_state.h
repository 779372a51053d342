// The plugin's process-wide state: the two delay tables and the wipe timestamp.
#pragma once

#include <cstdint>

#include "core/delay_table.h"

namespace quellwarden {

// Riding is held back by the riding table; taming and imprinting by the taming table.
extern DelayTable riding_table;
extern DelayTable taming_table;
// Unix seconds of the last wipe that a configuration load applied; 0 until then.
extern std::int64_t wipe_timestamp;

}  // namespace quellwarden
