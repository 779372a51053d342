// What the plugin does when the system attaches its library to the process and detaches it.
#pragma once

namespace quellwarden {

// The load sequence: the plugin log, the configuration, the three hooks, the console and RCON
// commands, and the players' chat command when the configuration has one.
// Nothing escapes: the plugin never takes its host down, and a configuration that fails at start
// still leaves the reload command in place to load the fixed file.
void process_attach() noexcept;

// The unload sequence: the hooks and the commands go; the tables and the log stay until the
// library's static objects are released right after.
void process_detach() noexcept;

}  // namespace quellwarden
