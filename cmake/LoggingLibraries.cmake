# spdlog's compiled part lives in the host library, as the real host carries its logging library,
# and every other module uses it from there. The host's sinks outlive a plugin: a formatter the
# plugin's logger puts into them must be code of the host, or the host would call into an unloaded
# plugin after an unload and a load (or at its own exit). No module needs spdlog's or fmt's shared
# libraries, so the admins' kits run where they are unpacked. fmt is taken header-only.

# qw_logging_libraries(INCLUDE_DIR): the targets spdlog::spdlog (headers, importing the compiled
# part) and fmt::fmt from the headers below INCLUDE_DIR; QW_SPDLOG_COMPILED_SOURCE names the source
# that the host library compiles with qw_host_carries_spdlog().
function(qw_logging_libraries include_dir)
  add_library(fmt::fmt INTERFACE IMPORTED GLOBAL)
  set_target_properties(fmt::fmt PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${include_dir}
                                            INTERFACE_COMPILE_DEFINITIONS FMT_HEADER_ONLY)
  add_library(qw_spdlog INTERFACE)
  target_include_directories(qw_spdlog SYSTEM INTERFACE ${include_dir})
  target_compile_definitions(qw_spdlog INTERFACE SPDLOG_COMPILED_LIB SPDLOG_SHARED_LIB
                                                 SPDLOG_FMT_EXTERNAL SPDLOG_DISABLE_DEFAULT_LOGGER)
  target_link_libraries(qw_spdlog INTERFACE fmt::fmt Threads::Threads)
  add_library(spdlog::spdlog ALIAS qw_spdlog)
endfunction()

# qw_host_carries_spdlog(TARGET): TARGET (the host library) compiles and exports spdlog's compiled
# part.
function(qw_host_carries_spdlog target)
  target_sources(${target} PRIVATE ${QW_LOGGING_LIBRARIES_DIR}/spdlog_compiled.cpp)
  target_compile_definitions(${target} PRIVATE spdlog_EXPORTS)
  target_link_libraries(${target} PUBLIC spdlog::spdlog)
endfunction()
set(QW_LOGGING_LIBRARIES_DIR ${CMAKE_CURRENT_LIST_DIR})
