// Administrators often paste what the editor copies, a blueprint path such as
// "Blueprint'/Game/Dinos/Rex/Rex_Character_BP.Rex_Character_BP'", where the game's class name is
// the part after the last point with "_C" added; the table never matches the path itself. A name
// that holds back nothing because of a typo looks valid, so it is held against the game's list.
#include <algorithm>

#include "config/creature_classes.h"
#include "config/diagnostics/checks.h"
#include "config/vocabulary.h"
#include "text/ascii_fold.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

bool is_blank_or_control(char byte) {
  const auto code = static_cast<unsigned char>(byte);
  return code <= 0x20 || code == 0x7F;
}

bool is_quote(char byte) { return byte == '\'' || byte == '"'; }

bool is_path(std::string_view name) { return name.find_first_of("/.") != std::string_view::npos; }

bool has_odd_characters(std::string_view name) {
  return std::any_of(name.begin(), name.end(),
                     [](char byte) { return is_quote(byte) || is_blank_or_control(byte); });
}

// Letter case as the table compares: "rex_character_bp_c" is a class name too.
bool ends_as_class_name(std::string_view name) { return ends_folded(name, kClassNameEnding); }

// The class name a blueprint path or a name with stray characters stands for, or empty.
std::string suggested_class_name(std::string_view name) {
  const std::size_t last_separator = name.find_last_of("/.");
  const std::string_view tail =
      last_separator == std::string_view::npos ? name : name.substr(last_separator + 1);
  std::string suggestion;
  for (const char byte : tail) {
    if (!is_quote(byte) && !is_blank_or_control(byte)) suggestion += byte;
  }
  if (is_path(name) && !suggestion.empty() && !ends_as_class_name(suggestion)) {
    suggestion += kClassNameEnding;
  }
  return suggestion == name ? std::string() : suggestion;
}

std::string problem_text(std::string_view name) {
  if (is_path(name)) return "is a blueprint path, not a class name, so no creature matches it";
  if (has_odd_characters(name)) {
    return "holds a quote, a blank or a control character, so no creature matches it";
  }
  return "does not end in \"" + std::string(kClassNameEnding) +
         "\", so it is likely not a creature's class name and matches none";
}

// What unknown_class says after the entry's place.
std::string not_of_the_game(const std::vector<GameClass>& meant) {
  constexpr std::string_view kModClassHint = "add \"ModClass\": true to its entry";
  if (meant.empty()) {
    return " is not a creature class of the game nor close to one; for a mod's creature, " +
           std::string(kModClassHint);
  }
  std::string text = " is not a creature class of the game (for a mod's creature, " +
                     std::string(kModClassHint) + "); did you mean ";
  for (std::size_t at = 0; at < meant.size(); ++at) {
    if (at > 0) text += at + 1 == meant.size() ? " or " : ", ";
    text += in_quotes(meant[at].class_name) + " (" + std::string(meant[at].common_name) + ")";
  }
  return text + "?";
}

}  // namespace

std::optional<Diagnostic> class_name_diagnostic(std::string_view class_name,
                                                std::string_view list_name,
                                                const MemberPath& list_path) {
  if (!is_path(class_name) && !has_odd_characters(class_name) && ends_as_class_name(class_name)) {
    return std::nullopt;
  }
  std::string text = "class name " + in_quotes(class_name) + " in " + in_quotes(list_name) + " " +
                     problem_text(class_name);
  const std::string suggestion = suggested_class_name(class_name);
  text += suggestion.empty() || !ends_as_class_name(suggestion)
              ? "; write the class name as the game gives it, ending in \"" +
                    std::string(kClassNameEnding) + "\""
              : "; did you mean " + in_quotes(suggestion) + "?";
  return Diagnostic{DiagnosticCode::not_a_class_name, below(list_path, class_name),
                    std::move(text)};
}

std::optional<Diagnostic> mod_class_diagnostic(const ListItem& item, std::string_view list_name,
                                               const MemberPath& list_path) {
  const Value& mod_class = item.members[kModClass];
  if (!mod_class.present() || mod_class.type() == ValueType::boolean) return std::nullopt;
  return Diagnostic{DiagnosticCode::invalid_mod_class,
                    below(below(list_path, item.class_name), kModClass),
                    in_quotes(kModClass) + " of class " + in_quotes(item.class_name) + " in " +
                        in_quotes(list_name) + " is " + found_text(mod_class) +
                        ", not true or false, so the class is taken for the game's own; write "
                        "true for a mod's creature, or leave it out"};
}

void check_class_name(const ListItem& item, std::string_view list_name, const MemberPath& list_path,
                      Diagnostics& out) {
  const std::string_view name = item.class_name;
  if (auto problem = class_name_diagnostic(name, list_name, list_path)) {
    out.push_back(std::move(*problem));
  }
  std::optional<Diagnostic> invisible = invisible_character_diagnostic(name, list_name, list_path);
  const bool has_invisible = invisible.has_value();
  if (has_invisible) out.push_back(std::move(*invisible));
  if (item.mod_class()) return;
  std::string meant = has_invisible ? without_invisible_characters(name) : std::string(name);
  if (is_path(name) || has_odd_characters(name)) {
    if (std::string suggestion = suggested_class_name(meant); !suggestion.empty()) {
      meant = std::move(suggestion);
    }
  }
  const GameClassMatch match = match_game_class(meant);
  // A name that only its stray characters keep from a game class: the warnings above said so.
  if (match.in_game_list) return;
  out.push_back({DiagnosticCode::unknown_class, below(list_path, name),
                 entry_place(name, list_name) + not_of_the_game(match.meant)});
}

}  // namespace quellwarden::config
