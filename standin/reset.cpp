// The whole-world reset between tests: every record and setting back to how a fresh server starts.
#include "standin/standin.h"
#include "standin/world.h"

namespace standin {

void reset_records() {
  detail::reset_game_records();
  detail::reset_messenger_records();
  detail::reset_rcon_records();
  detail::reset_failures();
  thaw_clock();
  reset_world();
}

}  // namespace standin
