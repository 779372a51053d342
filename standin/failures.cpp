// Failures on demand, so that a test or a sandbox script can show how the plugin copes when the
// host cannot resolve a name, install a hook or register a command.
#include "standin/failures.h"

#include <algorithm>
#include <cctype>

#include "standin/world.h"

namespace standin {
namespace {

struct Pending {
  std::mutex mutex;
  std::map<std::string, std::size_t, std::less<>> resolves;  // look-ups still to fail
  std::map<std::string, std::size_t, std::less<>> hooks;
  std::map<std::string, std::size_t, std::less<>> commands;  // keyed in lower case
};

Pending& pending() { return detail::forever<Pending>(); }

// Command names compare without regard to ASCII case, as the registry finds them.
std::string lower_ascii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char letter) {
    return static_cast<char>(letter < 0x80 ? std::tolower(letter) : letter);
  });
  return out;
}

bool take(std::map<std::string, std::size_t, std::less<>>& counts, std::string_view name) {
  const std::lock_guard lock(pending().mutex);
  const auto found = counts.find(name);
  if (found == counts.end()) {
    return false;
  }
  if (--found->second == 0) {
    counts.erase(found);
  }
  return true;
}

void arm(std::map<std::string, std::size_t, std::less<>>& counts, std::string name,
         std::size_t count) {
  const std::lock_guard lock(pending().mutex);
  if (count == 0) {
    counts.erase(name);
  } else {
    counts.insert_or_assign(std::move(name), count);
  }
}

}  // namespace

void fail_resolve(std::string_view name, std::size_t count) {
  arm(pending().resolves, std::string(name), count);
}

void fail_next_hook(std::string_view signature) { arm(pending().hooks, std::string(signature), 1); }

void fail_next_command(std::string_view name) { arm(pending().commands, lower_ascii(name), 1); }

namespace detail {

bool resolve_fails(std::string_view name) { return take(pending().resolves, name); }

bool hook_fails(std::string_view signature) { return take(pending().hooks, signature); }

bool command_fails(std::string_view name) { return take(pending().commands, lower_ascii(name)); }

void reset_failures() {
  const std::lock_guard lock(pending().mutex);
  pending().resolves.clear();
  pending().hooks.clear();
  pending().commands.clear();
}

}  // namespace detail
}  // namespace standin
