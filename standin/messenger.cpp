// The host's utilities: the messenger lookup and a messenger that records what players are sent.
#include "standin/messenger.h"

#include <atomic>

#include "standin/records.h"
#include "standin/world.h"

namespace standin {
namespace {

struct MessengerState {
  std::atomic<bool> available{true};
  detail::Records<SentMessage> sent;
  detail::Records<std::string> lookups;
  std::mutex mutex;  // guards the listeners
  std::vector<std::function<void(const SentMessage&)>> listeners;
};

MessengerState& state() { return detail::forever<MessengerState>(); }

class Messenger final : public AsaApi::IMessenger {
 public:
  void SendColoredMessage(APlayerController* player, const FLinearColor& colour,
                          const FString& text) override {
    send({player, colour, utf16_to_utf8(text.view()), false});
  }
  void SendColoredMessageToAll(const FLinearColor& colour, const FString& text) override {
    send({nullptr, colour, utf16_to_utf8(text.view()), true});
  }

 private:
  static void send(const SentMessage& message) {
    state().sent.add(message);
    std::vector<std::function<void(const SentMessage&)>> listeners;
    {
      const std::lock_guard lock(state().mutex);
      listeners = state().listeners;
    }
    for (const auto& listener : listeners) {
      listener(message);
    }
  }
};

class ApiUtils final : public AsaApi::IApiUtils {
 public:
  std::shared_ptr<AsaApi::IMessenger> GetMessenger(const FString& module_path) const override {
    state().lookups.add(utf16_to_utf8(module_path.view()));
    return state().available ? std::make_shared<Messenger>() : nullptr;
  }
};

}  // namespace

std::vector<SentMessage> sent_messages() { return state().sent.latest(); }

void on_message(std::function<void(const SentMessage&)> listener) {
  const std::lock_guard lock(state().mutex);
  state().listeners.push_back(std::move(listener));
}

void set_messenger_available(bool available) { state().available.store(available); }

std::vector<std::string> messenger_lookups() { return state().lookups.latest(); }

namespace detail {
void reset_messenger_records() {
  state().available.store(true);
  state().sent.clear();
  state().lookups.clear();
}
}  // namespace detail
}  // namespace standin

AsaApi::IApiUtils& AsaApi::GetApiUtils() { return standin::detail::forever<standin::ApiUtils>(); }
