// Writes the configuration fuzzers' libFuzzer dictionary: every member name the reader knows, bare
// and as a key, followed by the fixed tokens of a second file, so a new member reaches the
// fuzzers without anyone remembering to add it.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "config/members.h"

namespace {

using quellwarden::config::Level;

// A dictionary entry: the bytes in double quotes, with quotes and backslashes escaped.
std::string entry(std::string_view bytes) {
  std::string text = "\"";
  for (const char byte : bytes) {
    if (byte == '"' || byte == '\\') text += '\\';
    text += byte;
  }
  return text + "\"\n";
}

std::string member_entries() {
  std::string text = "# Member names, from the reader's own lists\n";
  for (const Level level : quellwarden::config::kLevels) {
    for (const quellwarden::config::Member& member : quellwarden::config::members_of(level)) {
      text += entry(member.name) + entry("\"" + std::string(member.name) + "\":");
    }
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " <fixed tokens> <dictionary to write>\n";
    return 2;
  }
  std::ifstream tokens(argv[1], std::ios::binary);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << member_entries() << tokens.rdbuf();
  if (!tokens || !out) {
    std::cerr << argv[0] << ": cannot read " << argv[1] << " or write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
