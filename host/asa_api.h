// What the plugin imports from the host framework: its entry points and the interfaces they return.
// Interfaces are asked for anew before every use; the plugin keeps none of them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"

namespace spdlog::sinks {
class sink;
}

namespace AsaApi {

using ConsoleCallback = std::function<void(APlayerController*, FString*, bool)>;
using RconCallback = std::function<void(RCONClientConnection*, RCONPacket*, UWorld*)>;
// The player who wrote, the whole message, the chat mode.
using ChatCallback = std::function<void(AShooterPlayerController*, FString*, int)>;
using TimerCallback = std::function<void()>;

// The virtual order below is part of the binary interface shared with the host.
class IHooks {
 public:
  virtual bool RemoveHook(const std::string& signature, void* handler) = 0;
  virtual bool SetHook(const std::string& signature, void* handler, void** call_through) = 0;

 protected:
  ~IHooks() = default;
};

class ICommands {
 public:
  virtual void AddConsoleCommand(const FString& name, const ConsoleCallback& callback) = 0;
  virtual void AddRconCommand(const FString& name, const RconCallback& callback) = 0;
  virtual bool RemoveConsoleCommand(const FString& name) = 0;
  virtual bool RemoveRconCommand(const FString& name) = 0;
  // A chat message whose first word is `name` runs the callback.
  virtual void AddChatCommand(const FString& name, const ChatCallback& callback) = 0;
  virtual bool RemoveChatCommand(const FString& name) = 0;
  // Until removed, the host calls the callback on the game thread about once a second; a clock
  // that jumps brings one call at the new time, not one for every second passed.
  virtual void AddTimer(const FString& name, const TimerCallback& callback) = 0;
  virtual bool RemoveTimer(const FString& name) = 0;

 protected:
  ~ICommands() = default;
};

// Sends coloured text to players on behalf of one plugin.
class IMessenger {
 public:
  virtual ~IMessenger() = default;
  virtual void SendColoredMessage(APlayerController* player, const FLinearColor& colour,
                                  const FString& text) = 0;
  // To every player on the server.
  virtual void SendColoredMessageToAll(const FLinearColor& colour, const FString& text) = 0;
};

class IApiUtils {
 public:
  // Looks up the messenger of the plugin whose library file is `module_path`; may yield none.
  virtual std::shared_ptr<IMessenger> GetMessenger(const FString& module_path) const = 0;

 protected:
  ~IApiUtils() = default;
};

ASAAPI_EXPORT IHooks& GetHooks();
ASAAPI_EXPORT ICommands& GetCommands();
ASAAPI_EXPORT IApiUtils& GetApiUtils();

}  // namespace AsaApi

// The resolver: a game function by its signature text, a field of an object by class and field
// name.
ASAAPI_EXPORT void* GetAddress(const std::string& signature);
ASAAPI_EXPORT std::uint64_t GetAddress(const void* object, const std::string& field);

ASAAPI_EXPORT std::vector<std::shared_ptr<spdlog::sinks::sink>>& GetLogSinks();
