// GetAddress in both forms: game functions by signature text, object fields by class and field
// name. An unknown name is an error that names it; a null comes only when a test asks for one.
#include <cstddef>
#include <stdexcept>
#include <unordered_map>

#include "standin/world.h"

namespace standin {
namespace {

using FunctionTable = std::unordered_map<std::string, void*>;
using FieldTable = std::unordered_map<std::string, std::size_t>;

// Never destroyed, like the rest of the world: a plugin's tables may give their blocks back at
// process exit, after this library's ordinary static objects are gone.
FunctionTable* make_functions() {
  using namespace detail;
  return new FunctionTable{
      {"FMemory.Malloc(unsigned__int64,unsignedint)", reinterpret_cast<void*>(&game_malloc)},
      {"FMemory.Realloc(void*,unsigned__int64,unsignedint)",
       reinterpret_cast<void*>(&game_realloc)},
      {"FMemory.Free(void*)", reinterpret_cast<void*>(&game_free)},
      {"FGenericPlatformStricmp.Stricmp(wchar_t*,wchar_t*)",
       reinterpret_cast<void*>(&game_stricmp)},
      {"FName.ToString(FString&)", reinterpret_cast<void*>(&game_name_to_string)},
      {"RCONClientConnection.SendMessage(int,int,FString&)",
       reinterpret_cast<void*>(&game_rcon_send_message)},
      {"APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)",
       reinterpret_cast<void*>(&own_can_tame)},
      {"APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)",
       reinterpret_cast<void*>(&own_imprint_baby_dino)},
      {"APrimalDinoCharacter.SetRider(AShooterCharacter*)",
       reinterpret_cast<void*>(&own_set_rider)},
  };
}

const FunctionTable& functions() {
  static const FunctionTable* const table = make_functions();
  return *table;
}

// offsetof is not for a class with members in both a base and itself, so the pawn's controller
// is measured on an object.
std::size_t controller_offset() {
  static const AShooterCharacter probe;
  return static_cast<std::size_t>(reinterpret_cast<const char*>(&probe.Controller) -
                                  reinterpret_cast<const char*>(&probe));
}

const FieldTable& fields() {
  static const FieldTable* const table = new FieldTable{
      {"UObjectBase.ClassPrivate", offsetof(UObjectBase, ClassPrivate)},
      {"UObjectBase.NamePrivate", offsetof(UObjectBase, NamePrivate)},
      {"APawn.Controller", controller_offset()},
  };
  return *table;
}

}  // namespace

namespace detail {

void* own_function(const std::string& signature) {
  const auto found = functions().find(signature);
  if (found == functions().end()) {
    throw std::invalid_argument("GetAddress: no game function \"" + signature + "\"");
  }
  return found->second;
}

}  // namespace detail
}  // namespace standin

void* GetAddress(const std::string& signature) {
  if (standin::detail::resolve_fails(signature)) {
    return nullptr;
  }
  return standin::detail::own_function(signature);
}

std::uint64_t GetAddress(const void* object, const std::string& field) {
  if (standin::detail::resolve_fails(field)) {
    return 0;
  }
  const auto found = standin::fields().find(field);
  if (found == standin::fields().end()) {
    throw std::invalid_argument("GetAddress: no field \"" + field + "\"");
  }
  if (object == nullptr) {
    throw std::invalid_argument("GetAddress: field \"" + field + "\" of a null object");
  }
  return reinterpret_cast<std::uintptr_t>(object) + found->second;
}
