# The fuzz harnesses as object libraries: fuzz/ links them with libFuzzer, tests/robustness with a
# plain main that replays the seed corpus and the crash reproducers.
include_guard(GLOBAL)

# The real loader with the plugin's own tables, inside the stand-in host.
add_library(qw_config_loader_harness OBJECT ${CMAKE_CURRENT_LIST_DIR}/config_loader_fuzzer.cpp)
target_link_libraries(qw_config_loader_harness PUBLIC qw_config AsaApi)
qw_enable_warnings(qw_config_loader_harness)

# The byte-keeping edits of config.json, against the JSON library's reading of the result.
add_library(qw_file_edit_harness OBJECT ${CMAKE_CURRENT_LIST_DIR}/file_edit_fuzzer.cpp)
target_link_libraries(qw_file_edit_harness PUBLIC qw_config_reading)
qw_enable_warnings(qw_file_edit_harness)

# The checker's diagnostics and its text and JSON reports, when the tools are built.
if(TARGET qw_check)
  add_library(qw_check_report_harness OBJECT ${CMAKE_CURRENT_LIST_DIR}/check_report_fuzzer.cpp)
  target_link_libraries(qw_check_report_harness PUBLIC qw_check)
  qw_enable_warnings(qw_check_report_harness)
endif()

# The sandbox's RCON packet reader, when the tools are built.
if(TARGET qw_sandbox)
  add_library(qw_rcon_reader_harness OBJECT ${CMAKE_CURRENT_LIST_DIR}/rcon_reader_fuzzer.cpp)
  target_link_libraries(qw_rcon_reader_harness PUBLIC qw_sandbox)
  qw_enable_warnings(qw_rcon_reader_harness)
endif()
