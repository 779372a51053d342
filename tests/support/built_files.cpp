// The plugin is found beside the program on every platform; only the library's name differs.
#include "tests/support/built_files.h"

#include "standin/plugin_library.h"

namespace qw_test {

std::string built_plugin_path() { return standin::plugin_beside(utf8(program_file())); }

}  // namespace qw_test
