// Game types the plugin passes through without looking inside, and the colour record it fills.
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

struct RCONPacket;  // host/rcon_packet.h
