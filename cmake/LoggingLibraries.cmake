# spdlog and fmt built into each module that uses them, on every platform: no module needs their
# shared libraries, so the admins' kits run where they are unpacked, and the plugin and the
# stand-in host lay out spdlog's sinks alike because both compile the same headers. fmt is taken
# header-only; spdlog's compiled part is built once here (spdlog_compiled.cpp), since compiling
# it into every file that logs would double those files' build time.

# qw_logging_libraries(INCLUDE_DIR): the targets spdlog::spdlog and fmt::fmt from the headers
# below INCLUDE_DIR.
function(qw_logging_libraries include_dir)
  add_library(fmt::fmt INTERFACE IMPORTED GLOBAL)
  set_target_properties(fmt::fmt PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${include_dir}
                                            INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY)
  add_library(qw_spdlog STATIC ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/spdlog_compiled.cpp)
  target_include_directories(qw_spdlog SYSTEM PUBLIC ${include_dir})
  target_compile_definitions(qw_spdlog PUBLIC SPDLOG_COMPILED_LIB SPDLOG_FMT_EXTERNAL
                                               SPDLOG_DISABLE_DEFAULT_LOGGER)
  target_link_libraries(qw_spdlog PUBLIC fmt::fmt Threads::Threads)
  add_library(spdlog::spdlog ALIAS qw_spdlog)
endfunction()
