// The stand-in game's object layout: the fields the plugin reads by name sit at fixed offsets.
#pragma once

#include <cstdint>

struct FName {
  std::int32_t ComparisonIndex = 0;
  std::int32_t Number = 0;
};

struct UObjectBase {
  void* VTable = nullptr;
  std::int32_t ObjectFlags = 0;
  std::int32_t InternalIndex = 0;
  UObjectBase* ClassPrivate = nullptr;
  FName NamePrivate{};
  UObjectBase* OuterPrivate = nullptr;
};

struct APrimalDinoCharacter : UObjectBase {};
struct APlayerController : UObjectBase {};
struct AShooterPlayerController : APlayerController {};
// The game keeps the controller on every pawn; a rider is a player's character.
struct AShooterCharacter : UObjectBase {
  APlayerController* Controller = nullptr;
};
