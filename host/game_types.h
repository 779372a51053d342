// Game types the plugin passes through without looking inside, and the two records it does read.
#pragma once

#include <cstddef>
#include <cstdint>

struct APrimalDinoCharacter;
struct APlayerController;
struct AShooterPlayerController;
struct AShooterCharacter;
struct RCONClientConnection;
struct UWorld;
struct FName;

class FString;

// Colour of a message to a player: red, green, blue, alpha, each 0 to 1.
struct FLinearColor {
  float R;
  float G;
  float B;
  float A;
};

// Only the request id is read by the plugin; it must stay the second 32-bit field.
struct RCONPacket {
  std::int32_t Length;
  std::int32_t Id;
  std::int32_t Type;
};
static_assert(offsetof(RCONPacket, Id) == 4);
