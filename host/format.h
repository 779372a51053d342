// FStrings made from an fmt pattern, through the host's narrow constructor.
#pragma once

#include <fmt/format.h>

#include <string>

#include "host/fstring.h"

namespace quellwarden::host {

template <typename... Args>
FString format_fstring(fmt::format_string<Args...> pattern, Args&&... args) {
  const std::string text = fmt::format(pattern, std::forward<Args>(args)...);
  return FString(text.c_str());
}

}  // namespace quellwarden::host
