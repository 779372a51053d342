// Stands first on the plugin room's include path, so that a plugin/ file that reaches the JSON
// library, by any chain of includes, fails to build: the plugin's JSON is made in config/.
#pragma once
#error "plugin/ does not use the JSON library; build JSON with config/report_json.h"
