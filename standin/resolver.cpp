// GetAddress in both forms: game functions by signature text, object fields by class and field
// name, each registered under its name in host::game and checked against its declared type. An
// unknown name is an error that names it; a null or a throwing function comes only when a test
// asks for one.
#include <cstddef>
#include <stdexcept>
#include <type_traits>
#include <unordered_map>

#include "host/game_functions.h"
#include "standin/world.h"

namespace standin {
namespace {

namespace game = quellwarden::host::game;

struct FunctionEntry {
  void* own;       // the stand-in game's function
  void* throwing;  // the same signature, throwing what a failing game would
};
using FunctionTable = std::unordered_map<std::string, FunctionEntry>;
using FieldTable = std::unordered_map<std::string, std::size_t>;

std::runtime_error game_error(std::string_view name) {
  return std::runtime_error("the game failed in " + std::string(name));
}

template <typename Signature>
struct Throwing;

template <typename Result, typename... Params>
struct Throwing<Result(Params...)> {
  template <const quellwarden::host::GameFunction<Result(Params...)>* declared>
  static Result call(Params... /*arguments*/) {
    throw game_error(declared->name);
  }
};

// The stand-in's `own` function must have exactly the type the plugin calls it by.
template <const auto& declared, auto own>
std::pair<std::string, FunctionEntry> function_entry() {
  using Declared = std::remove_cvref_t<decltype(declared)>;
  static_assert(std::is_same_v<decltype(own), typename Declared::Pointer>,
                "the stand-in's function differs from its declaration in host::game");
  return {
      std::string(declared.name),
      {reinterpret_cast<void*>(own),
       reinterpret_cast<void*>(&Throwing<typename Declared::Signature>::template call<&declared>)}};
}

// Never destroyed, like the rest of the world: a plugin's tables may give their blocks back at
// process exit, after this library's ordinary static objects are gone.
const FunctionTable& functions() {
  using namespace detail;
  static const FunctionTable* const table = new FunctionTable{
      function_entry<game::malloc_block, &game_malloc>(),
      function_entry<game::realloc_block, &game_realloc>(),
      function_entry<game::free_block, &game_free>(),
      function_entry<game::compare_ignoring_case, &game_stricmp>(),
      function_entry<game::name_to_string, &game_name_to_string>(),
      function_entry<game::rcon_send_message, &game_rcon_send_message>(),
      function_entry<game::unique_id_of_player, &game_unique_id_of_player>(),
      function_entry<game::can_tame, &own_can_tame>(),
      function_entry<game::imprint_baby_dino, &own_imprint_baby_dino>(),
      function_entry<game::set_rider, &own_set_rider>(),
  };
  return *table;
}

// A field read by the plugin as `Declared` must be stored as that type, or as another object
// pointer of the same size (the plugin reads the class pointer as an untyped one).
template <typename Declared, typename Stored>
constexpr bool field_matches = std::is_same_v<Declared, Stored> ||
                               (std::is_pointer_v<Declared> && std::is_pointer_v<Stored> &&
                                sizeof(Declared) == sizeof(Stored));

static_assert(
    field_matches<decltype(game::class_of_object)::Type, decltype(UObjectBase::ClassPrivate)>);
static_assert(
    field_matches<decltype(game::name_of_class)::Type, decltype(UObjectBase::NamePrivate)>);
static_assert(field_matches<decltype(game::controller_of_pawn)::Type,
                            decltype(AShooterCharacter::Controller)>);

// offsetof is not for a class with members in both a base and itself, so the pawn's controller
// is measured on an object.
std::size_t controller_offset() {
  static const AShooterCharacter probe;
  return static_cast<std::size_t>(reinterpret_cast<const char*>(&probe.Controller) -
                                  reinterpret_cast<const char*>(&probe));
}

const FieldTable& fields() {
  static const FieldTable* const table = new FieldTable{
      {std::string(game::class_of_object.name), offsetof(UObjectBase, ClassPrivate)},
      {std::string(game::name_of_class.name), offsetof(UObjectBase, NamePrivate)},
      {std::string(game::controller_of_pawn.name), controller_offset()},
  };
  return *table;
}

const FunctionEntry& function_named(const std::string& signature) {
  const auto found = functions().find(signature);
  if (found == functions().end()) {
    throw std::invalid_argument("GetAddress: no game function \"" + signature + "\"");
  }
  return found->second;
}

// A struck free leaves its block with the plugin; the allocator's books say how many.
detail::NameFailure struck(std::string_view name) {
  const detail::NameFailure failure = detail::name_fails(name);
  if (failure != detail::NameFailure::none && name == game::free_block.name) {
    detail::note_refused_free();
  }
  return failure;
}

}  // namespace

namespace detail {

void* own_function(const std::string& signature) { return function_named(signature).own; }

}  // namespace detail
}  // namespace standin

void* GetAddress(const std::string& signature) {
  using standin::detail::NameFailure;
  const standin::FunctionEntry& entry = standin::function_named(signature);
  switch (standin::struck(signature)) {
    case NameFailure::null:
      return nullptr;
    case NameFailure::throws:
      return entry.throwing;
    case NameFailure::none:
      break;
  }
  return entry.own;
}

std::uint64_t GetAddress(const void* object, const std::string& field) {
  using standin::detail::NameFailure;
  const auto found = standin::fields().find(field);
  if (found == standin::fields().end()) {
    throw std::invalid_argument("GetAddress: no field \"" + field + "\"");
  }
  switch (standin::struck(field)) {
    case NameFailure::null:
      return 0;
    case NameFailure::throws:
      throw standin::game_error(field);
    case NameFailure::none:
      break;
  }
  if (object == nullptr) {
    throw std::invalid_argument("GetAddress: field \"" + field + "\" of a null object");
  }
  return reinterpret_cast<std::uintptr_t>(object) + found->second;
}
