// Every game function and field the plugin reaches, each declared once with its exact type, and
// the one way to reach them: by name, resolved anew on every use, so a game update that moves a
// function is picked up without a restart. A name the resolver cannot find is an error, never a
// call of address 0. The names' texts are made once for the life of the library.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "host/asa_api.h"
#include "host/game_types.h"
#include "host/widechar.h"

namespace quellwarden::host {

template <typename Signature>
struct GameFunction;

// A game function by its signature text.
template <typename Result, typename... Params>
struct GameFunction<Result(Params...)> {
  using Signature = Result(Params...);
  using Pointer = Result (*)(Params...);
  std::string_view name;
};

// A field of a game object by class and field name.
template <typename Field>
struct GameField {
  using Type = Field;
  std::string_view name;
};

namespace game {

inline constexpr GameFunction<void*(std::uint64_t, std::uint32_t)> malloc_block{
    "FMemory.Malloc(unsigned__int64,unsignedint)"};
inline constexpr GameFunction<void*(void*, std::uint64_t, std::uint32_t)> realloc_block{
    "FMemory.Realloc(void*,unsigned__int64,unsignedint)"};
inline constexpr GameFunction<void(void*)> free_block{"FMemory.Free(void*)"};
inline constexpr GameFunction<int(WIDECHAR*, WIDECHAR*)> compare_ignoring_case{
    "FGenericPlatformStricmp.Stricmp(wchar_t*,wchar_t*)"};
// A member function; on the host's platform `this` is passed as the first argument.
inline constexpr GameFunction<void(FName*, FString&)> name_to_string{"FName.ToString(FString&)"};
inline constexpr GameFunction<void(RCONClientConnection*, int, int, FString&)> rcon_send_message{
    "RCONClientConnection.SendMessage(int,int,FString&)"};
// The player's unique id as the online service issues it, 32 hex digits
// ("0002a1b2c3d4e5f6a7b8c9d0e1f2a3b4"); a member function like FName.ToString.
inline constexpr GameFunction<void(AShooterPlayerController*, FString&)> unique_id_of_player{
    "AShooterPlayerController.GetUniqueNetIdAsString(FString&)"};

// The three functions the gates stand in front of, reached through the host's hooks.
inline constexpr GameFunction<bool(APrimalDinoCharacter*, AShooterPlayerController*, bool, bool)>
    can_tame{"APrimalDinoCharacter.CanTame(AShooterPlayerController*,bool,bool)"};
inline constexpr GameFunction<void(APrimalDinoCharacter*, APlayerController*, bool)>
    imprint_baby_dino{"APrimalDinoCharacter.ImprintBabyDino(APlayerController*,bool)"};
inline constexpr GameFunction<void(APrimalDinoCharacter*, AShooterCharacter*)> set_rider{
    "APrimalDinoCharacter.SetRider(AShooterCharacter*)"};

inline constexpr GameField<const void*> class_of_object{"UObjectBase.ClassPrivate"};
inline constexpr GameField<FName> name_of_class{"UObjectBase.NamePrivate"};
// The controller that steers a pawn, such as a rider; for a player's character, the player's.
inline constexpr GameField<APlayerController*> controller_of_pawn{"APawn.Controller"};

// Every name the plugin resolves itself, functions then fields: what a stand-in must answer and
// what a test fails one at a time.
inline constexpr std::array<std::string_view, 10> resolved_names{
    malloc_block.name,          realloc_block.name,   free_block.name,
    compare_ignoring_case.name, name_to_string.name,  rcon_send_message.name,
    unique_id_of_player.name,   class_of_object.name, name_of_class.name,
    controller_of_pawn.name};
// The gated functions, which the plugin reaches only through the host's hooks.
inline constexpr std::array<std::string_view, 3> hooked_names{can_tame.name, imprint_baby_dino.name,
                                                              set_rider.name};

}  // namespace game

// The resolver yielded null for `name`: the running game has no such function or field.
class UnresolvedName : public std::runtime_error {
 public:
  explicit UnresolvedName(std::string_view name)
      : std::runtime_error("cannot resolve \"" + std::string(name) + "\" in the running game") {}
};

namespace detail {

// Position of `name` in game::resolved_names; the array's size when it is not there.
constexpr std::size_t resolved_index(std::string_view name) {
  return static_cast<std::size_t>(std::ranges::find(game::resolved_names, name) -
                                  game::resolved_names.begin());
}

// Set once the texts below are destroyed, as the library unloads or the process exits. Constant-
// initialized and trivially destructible, so it can still be read after them.
inline bool resolver_texts_gone = false;

// The resolver takes its names as std::string, and every one is too long to be kept without the
// heap: all are kept in one set for the life of the library, so a use allocates nothing.
class ResolverTexts {
 public:
  ResolverTexts() { std::ranges::copy(game::resolved_names, texts_.begin()); }
  ~ResolverTexts() { resolver_texts_gone = true; }
  ResolverTexts(const ResolverTexts&) = delete;
  ResolverTexts& operator=(const ResolverTexts&) = delete;

  [[nodiscard]] const std::string& operator[](std::size_t index) const { return texts_[index]; }

 private:
  std::array<std::string, game::resolved_names.size()> texts_;
};

// The one set, shared by every name; made on first use, never during static initialization.
inline const ResolverTexts& resolver_texts() {
  static const ResolverTexts texts;
  return texts;
}

// Calls `resolve` with the resolver's text of `declared`'s name; a table that a static destructor
// empties after the texts are gone gets a text made for the call.
template <const auto& declared, typename Resolve>
decltype(auto) resolve_by_name(Resolve&& resolve) {
  constexpr std::size_t index = resolved_index(declared.name);
  static_assert(index < game::resolved_names.size(),
                "every name the plugin resolves itself is listed in game::resolved_names");
  if (!resolver_texts_gone) [[likely]] {
    return resolve(resolver_texts()[index]);
  }
  return resolve(std::string(declared.name));
}

template <const auto& function,
          typename Signature = typename std::remove_cvref_t<decltype(function)>::Signature>
struct Call;

template <const auto& function, typename Result, typename... Params>
struct Call<function, Result(Params...)> {
  Result operator()(Params... args) const {
    void* const address =
        resolve_by_name<function>([](const std::string& name) { return GetAddress(name); });
    if (address == nullptr) {
      throw UnresolvedName(function.name);
    }
    return reinterpret_cast<Result (*)(Params...)>(address)(args...);
  }
};

}  // namespace detail

// `call<game::f>(arguments...)` resolves f's name and calls it. The arguments convert to f's
// declared parameters, so a call site's literal types can never change its binary interface.
template <const auto& function>
inline constexpr detail::Call<function> call{};

// Address of `field` inside `object`.
template <const auto& field>
auto* field_of(const void* object) {
  using Field = typename std::remove_cvref_t<decltype(field)>::Type;
  const std::uint64_t address = detail::resolve_by_name<field>(
      [object](const std::string& name) { return GetAddress(object, name); });
  if (address == 0) {
    throw UnresolvedName(field.name);
  }
  return reinterpret_cast<Field*>(static_cast<std::uintptr_t>(address));
}

// The game's allocator: a null block allocates; a size of 0 frees and yields null.
inline void* resize_block(void* block, std::uint64_t size) {
  return block == nullptr ? call<game::malloc_block>(size, 0)
                          : call<game::realloc_block>(block, size, 0);
}

namespace detail {
// Blocks of this module that the game would not take back; see free_block.
inline std::atomic<std::uint64_t> blocks_left{0};
}  // namespace detail

// Gives `block` back to the game. Called from destructors and from every release, so it never
// throws: when the game's free cannot be resolved, or throws, the block stays allocated, which is
// safer than a crash, and is counted in blocks_left_behind().
inline void free_block(void* block) noexcept {
  if (block == nullptr) {
    return;
  }
  try {
    void* const address = detail::resolve_by_name<game::free_block>(
        [](const std::string& name) { return GetAddress(name); });
    if (address != nullptr) {
      reinterpret_cast<decltype(game::free_block)::Pointer>(address)(block);
      return;
    }
  } catch (...) {
    // The resolver or the game's free failed (or the name's text could not be made).
  }
  detail::blocks_left.fetch_add(1, std::memory_order_relaxed);
}

inline std::uint64_t blocks_left_behind() noexcept {
  return detail::blocks_left.load(std::memory_order_relaxed);
}

}  // namespace quellwarden::host
