// The game's names, objects and the text functions the plugin reaches by name: creatures with
// class objects, players with their unique ids, FName.ToString, the case-insensitive compare, and
// FString's two host constructors.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <new>
#include <stdexcept>
#include <unordered_map>

#include "standin/objects.h"
#include "standin/world.h"

namespace standin {
namespace {

struct NameTable {
  std::mutex mutex;
  std::deque<std::u16string> texts{u"None"};  // a deque: views into it stay valid
  std::unordered_map<std::u16string, std::int32_t> index{{u"None", 0}};
};

struct World {
  std::map<std::u16string, std::unique_ptr<UObjectBase>> classes;
  std::vector<std::unique_ptr<UObjectBase>> objects;
  std::unordered_map<const APlayerController*, std::u16string> player_ids;
  std::int32_t next_index = 1;
};

World& world() { return detail::forever<World>(); }

std::atomic<std::size_t> compare_count{0};

// Names interned as the game's FName table does.
FName intern_name(std::u16string_view text) {
  auto& table = detail::forever<NameTable>();
  const std::lock_guard lock(table.mutex);
  const std::u16string key(text);
  auto found = table.index.find(key);
  if (found == table.index.end()) {
    found = table.index.emplace(key, static_cast<std::int32_t>(table.texts.size())).first;
    table.texts.push_back(key);
  }
  return FName{found->second, 0};
}

std::u16string_view name_text(const FName& name) {
  auto& table = detail::forever<NameTable>();
  const auto index = static_cast<std::size_t>(name.ComparisonIndex);
  if (!detail::books_are_kept()) {
    return table.texts.at(index);
  }
  const std::lock_guard lock(table.mutex);
  return table.texts.at(index);
}

void fill(FString& out, std::u16string_view text, void* (*allocate)(std::uint64_t, std::uint32_t)) {
  if (text.empty()) {
    out.release();
    return;
  }
  const auto units = static_cast<std::int32_t>(text.size() + 1);
  auto* buffer =
      static_cast<WIDECHAR*>(allocate(static_cast<std::uint64_t>(units) * sizeof(WIDECHAR), 0));
  // The host's constructors and the game's functions cannot answer null: they throw.
  if (buffer == nullptr) {
    throw std::bad_alloc();
  }
  std::memcpy(buffer, text.data(), text.size() * sizeof(WIDECHAR));
  buffer[text.size()] = 0;
  out.adopt(buffer, units, units);
}

// Copies UTF-16 text into an FString whose buffer comes from the game's allocator.
void fill_fstring(FString& out, std::u16string_view text) { fill(out, text, &detail::game_malloc); }

UObjectBase* class_object(std::u16string_view name) {
  std::unique_ptr<UObjectBase>& made = world().classes[std::u16string(name)];
  if (!made) {
    made = std::make_unique<UObjectBase>();
    made->NamePrivate = intern_name(name);
    made->InternalIndex = world().next_index++;
  }
  return made.get();
}

// An object of class `class_name` whose own name is `instance_name`.
template <typename Object>
Object* make_object(std::u16string_view class_name, std::u16string_view instance_name) {
  auto made = std::make_unique<Object>();
  made->ClassPrivate = class_object(class_name);
  made->NamePrivate = intern_name(instance_name);
  made->InternalIndex = world().next_index++;
  Object* object = made.get();
  world().objects.push_back(std::move(made));
  return object;
}

// The same id for the same name on every run, so that transcripts stay put: the online service's
// prefix, then 28 hex digits from two rounds of FNV-1a over the name.
std::u16string id_for_name(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325U;
  const auto round = [&] {
    for (const char byte : name) {
      hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3U;
    }
    return hash;
  };
  const unsigned long long first = round();
  const unsigned long long second = round() >> 16;
  char id[33];
  std::snprintf(id, sizeof id, "0002%016llx%012llx", first, second);
  return utf8_to_utf16(id);
}

// Letters that fold here: ASCII and the Latin-1 letters; the game folds more than the plugin's
// hash.
char32_t fold(char32_t unit) {
  if ((unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7)) {
    return unit - 0x20;
  }
  return unit;
}

}  // namespace

APrimalDinoCharacter* spawn_creature(std::string_view class_name_utf8) {
  const std::u16string class_name = utf8_to_utf16(class_name_utf8);
  const std::u16string instance =
      class_name + u"_" + utf8_to_utf16(std::to_string(world().next_index));
  return make_object<APrimalDinoCharacter>(class_name, instance);
}

AShooterPlayerController* player(std::string_view name) {
  AShooterPlayerController* const made =
      make_object<AShooterPlayerController>(u"ShooterPlayerController", utf8_to_utf16(name));
  world().player_ids[made] = id_for_name(name);
  return made;
}

void set_player_id(const AShooterPlayerController* player, std::string_view id) {
  world().player_ids[player] = utf8_to_utf16(id);
}

std::string player_id(const AShooterPlayerController* player) {
  const auto found = world().player_ids.find(player);
  return found != world().player_ids.end() ? utf16_to_utf8(found->second) : std::string();
}

AShooterCharacter* rider(std::string_view name, APlayerController* controller) {
  AShooterCharacter* character =
      make_object<AShooterCharacter>(u"ShooterCharacter", utf8_to_utf16(name));
  character->Controller = controller;
  return character;
}

void reset_world() {
  world().objects.clear();
  world().player_ids.clear();
  compare_count.store(0);
}

std::size_t compare_calls() { return compare_count.load(); }

namespace detail {

FString host_fstring(std::u16string_view text) {
  FString out;
  fill(out, text.substr(0, text.find(u'\0')), &host_malloc);
  return out;
}

void game_name_to_string(FName* name, FString& out) { fill_fstring(out, name_text(*name)); }

// The game would crash on a null `this`; the stand-in says so instead.
void game_unique_id_of_player(AShooterPlayerController* player, FString& out) {
  if (player == nullptr) {
    throw std::invalid_argument("the unique id of a null player controller");
  }
  const auto found = world().player_ids.find(player);
  fill_fstring(out, found != world().player_ids.end() ? found->second : std::u16string_view());
}

int game_stricmp(WIDECHAR* left, WIDECHAR* right) {
  compare_count.fetch_add(1, std::memory_order_relaxed);
  for (;; ++left, ++right) {
    const char32_t a = fold(static_cast<char16_t>(*left));
    const char32_t b = fold(static_cast<char16_t>(*right));
    if (a != b || a == 0) {
      return a < b ? -1 : (a > b ? 1 : 0);
    }
  }
}

}  // namespace detail
}  // namespace standin

FString::FString(const char* text) { standin::fill_fstring(*this, standin::utf8_to_utf16(text)); }

FString::FString(const WIDECHAR* text) {
  standin::fill_fstring(*this, std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}
