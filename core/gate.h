// The gates a listed class is held back at, in the order their hooks are installed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quellwarden {

// Taming and imprinting read config.json's taming list, riding its riding list.
enum class Gate : std::uint8_t { taming, imprinting, riding };

inline constexpr std::size_t kGateCount = 3;

// What each gate holds back, in Gate's order, as the log, the status and the census word it.
inline constexpr std::array<const char*, kGateCount> kHeldBack{"taming", "imprinting", "riding"};

constexpr std::size_t index_of(Gate gate) noexcept { return static_cast<std::size_t>(gate); }

}  // namespace quellwarden
