// UTF-8 and UTF-16 conversions for the stand-in's texts; malformed input becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

#include "host/export.h"

namespace standin {

ASAAPI_EXPORT std::u16string utf8_to_utf16(std::string_view text);
ASAAPI_EXPORT std::string utf16_to_utf8(std::u16string_view text);

}  // namespace standin
