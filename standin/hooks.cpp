// The hook manager: handlers stack per game function; each one's call-through pointer reaches
// the handler below it, the lowest the game's own function.
#include <algorithm>
#include <stdexcept>

#include "standin/registry.h"
#include "standin/world.h"

namespace standin {
namespace {

struct Hook {
  std::string signature;
  void* handler;
  void** call_through;
};

class Hooks final : public AsaApi::IHooks {
 public:
  bool RemoveHook(const std::string& signature, void* handler) override {
    const std::lock_guard lock(mutex_);
    for (auto hook = hooks_.begin(); hook != hooks_.end(); ++hook) {
      if (hook->signature == signature && hook->handler == handler) {
        relink_above(hook);
        hooks_.erase(hook);
        return true;
      }
    }
    return false;
  }

  bool SetHook(const std::string& signature, void* handler, void** call_through) override {
    if (detail::hook_fails(signature)) {
      return false;
    }
    const std::lock_guard lock(mutex_);
    try {
      *call_through = newest_entry(signature);
    } catch (const std::invalid_argument&) {
      return false;  // the game has no such function: nothing to hook
    }
    hooks_.push_back({signature, handler, call_through});
    return true;
  }

  void* entry_of(const std::string& signature) {
    const std::lock_guard lock(mutex_);
    return newest_entry(signature);
  }

  std::vector<std::string> signatures() {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const Hook& hook : hooks_) {
      out.push_back(hook.signature);
    }
    return out;
  }

 private:
  // The newest handler on `signature`, else the game's own function. Under the lock.
  void* newest_entry(const std::string& signature) const {
    const auto newest = std::find_if(hooks_.rbegin(), hooks_.rend(),
                                     [&](const Hook& hook) { return hook.signature == signature; });
    return newest != hooks_.rend() ? newest->handler : detail::own_function(signature);
  }

  // The next handler on the same function now calls through to what the removed one did.
  void relink_above(std::vector<Hook>::iterator removed) {
    const auto above = std::find_if(removed + 1, hooks_.end(), [&](const Hook& hook) {
      return hook.signature == removed->signature;
    });
    if (above != hooks_.end()) {
      *above->call_through = *removed->call_through;
    }
  }

  std::mutex mutex_;
  std::vector<Hook> hooks_;
};

Hooks& hooks() { return detail::forever<Hooks>(); }

}  // namespace

std::vector<std::string> installed_hooks() { return hooks().signatures(); }

namespace detail {
void* entry_of(const std::string& signature) { return hooks().entry_of(signature); }
}  // namespace detail
}  // namespace standin

AsaApi::IHooks& AsaApi::GetHooks() { return standin::hooks(); }
