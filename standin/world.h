// The stand-in's shared state, private to the library. Every piece is created on first use and
// deliberately never destroyed: a plugin unloaded at process exit still reaches it after the
// library's other static objects are gone.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/asa_api.h"
#include "host/fstring.h"
#include "standin/standin.h"

struct RCONClientConnection {
  standin::RconReplySink sink;
};

namespace standin::detail {

template <typename T>
T& forever() {
  static T* const instance = new T();
  return *instance;
}

// UTF-16 text up to its first NUL (as the wide constructor reads) in an FString from the game's
// allocator, for the host's own texts (what a command hands to the plugin), which fail_alloc never
// refuses: its refusals are for the plugin.
FString host_fstring(std::u16string_view text);

void* game_malloc(std::uint64_t size, std::uint32_t alignment);
// FMemory.Malloc without the refusal switch.
void* host_malloc(std::uint64_t size, std::uint32_t alignment);
void* game_realloc(void* block, std::uint64_t size, std::uint32_t alignment);
void game_free(void* block);

int game_stricmp(WIDECHAR* left, WIDECHAR* right);
void game_name_to_string(FName* name, FString& out);
void game_unique_id_of_player(AShooterPlayerController* player, FString& out);
void game_rcon_send_message(RCONClientConnection* connection, int id, int type, FString& text);
bool own_can_tame(APrimalDinoCharacter* creature, AShooterPlayerController* controller, bool first,
                  bool second);
void own_imprint_baby_dino(APrimalDinoCharacter* creature, APlayerController* controller,
                           bool flag);
void own_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider);

void* own_function(const std::string& signature);

// The newest handler hooked on `signature`, or the game's own function.
void* entry_of(const std::string& signature);

// Each consumes one pending failure of that name set through the control surface.
enum class NameFailure { none, null, throws };
NameFailure name_fails(std::string_view name);
bool hook_fails(std::string_view signature);
bool command_fails(std::string_view name);
// Consumes the allocator's countdown: true for the refused call.
bool allocation_fails();
bool module_lookup_fails_now();
// Whether keep_books is on.
bool books_are_kept();
// A free the game did not make because a failure switch struck it: the block stays live.
void note_refused_free();

void reset_game_records();
void reset_failures();
void reset_rcon_records();
void reset_messenger_records();

}  // namespace standin::detail
