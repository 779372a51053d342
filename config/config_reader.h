// Turns what the reader read of the file into validated settings, or the refusal the loader gives.
#pragma once

#include <variant>

#include "config/configuration.h"
#include "config/refusal.h"

namespace quellwarden::config {

struct Document;

// Reads the document in the loader's order and refuses it at the first failing read, as the
// library's own errors word it: type_error 306 (a holder that is not an object), type_error 302
// (a number member of another type); or in the plugin's words: a number out of range, a
// "WipeTimestamp" text that is no date with its zone, a class name holding a NUL. Player notices
// and display names never refuse it: a mistake in them leaves them out, and diagnose() says so.
// A type error's refusal carries its place and a hint.
// `document` must hold no parse error.
std::variant<Configuration, Refusal> read_configuration(const Document& document);

}  // namespace quellwarden::config
