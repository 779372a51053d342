// The 16-bit text unit shared with the host and the game: wchar_t on Windows, char16_t elsewhere.
#pragma once

#if defined(_WIN32)
using WIDECHAR = wchar_t;
#else
using WIDECHAR = char16_t;
#endif

static_assert(sizeof(WIDECHAR) == 2, "host text units are UTF-16");
