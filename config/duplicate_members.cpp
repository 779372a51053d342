// The parser keeps the last of two equal member names without a word, so only a second, event by
// event pass over the text can see them. Only objects the plugin reads are tracked.
#include <map>

#include "tools/check/display_text.h"
#include "tools/check/warnings.h"

namespace quellwarden::check {
namespace {

using nlohmann::json;

// How far down the plugin reads: the top object, "DinoSettings", a list, an entry.
enum class Depth { ignored, top, settings, list, entry };

struct Frame {
  bool is_object = false;
  Depth depth = Depth::ignored;
  std::string name;  // the member name or array index under which this value stands
  std::size_t next_index = 0;
  std::map<std::string, std::size_t> member_counts;  // tracked objects only
};

bool is_list_name(std::string_view name) {
  return name == "DisallowRiding" || name == "DisallowTaming";
}

Depth depth_below(const Frame& parent, std::string_view name) {
  switch (parent.depth) {
    case Depth::top:
      return parent.is_object && name == "DinoSettings" ? Depth::settings : Depth::ignored;
    case Depth::settings:
      return parent.is_object && is_list_name(name) ? Depth::list : Depth::ignored;
    case Depth::list:
      return Depth::entry;
    default:
      return Depth::ignored;
  }
}

class DuplicateFinder {
 public:
  bool null() { return value(); }
  bool boolean(bool) { return value(); }
  bool number_integer(json::number_integer_t) { return value(); }
  bool number_unsigned(json::number_unsigned_t) { return value(); }
  bool number_float(json::number_float_t, const json::string_t&) { return value(); }
  bool string(json::string_t&) { return value(); }
  bool binary(json::binary_t&) { return value(); }
  bool start_object(std::size_t) { return open(true); }
  bool start_array(std::size_t) { return open(false); }
  bool end_array() { return close(); }
  bool end_object() {
    report(frames_.back());
    return close();
  }
  bool key(json::string_t& name) {
    Frame& frame = frames_.back();
    if (frame.depth != Depth::ignored) ++frame.member_counts[name];
    pending_name_ = name;
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const json::exception&) { return false; }

  std::vector<std::string> take_warnings() { return std::move(warnings_); }

 private:
  std::string child_name() {
    if (frames_.empty() || frames_.back().is_object) return pending_name_;
    return std::to_string(frames_.back().next_index++);
  }
  bool value() {
    child_name();  // advances an array's index
    return true;
  }
  bool open(bool is_object) {
    Frame frame;
    frame.is_object = is_object;
    frame.name = child_name();
    frame.depth = frames_.empty() ? Depth::top : depth_below(frames_.back(), frame.name);
    frames_.push_back(std::move(frame));
    return true;
  }
  bool close() {
    frames_.pop_back();
    return true;
  }
  std::string where(const Frame& frame) const;
  void report(const Frame& frame);

  std::vector<Frame> frames_;
  std::string pending_name_;
  std::vector<std::string> warnings_;
};

std::string DuplicateFinder::where(const Frame& frame) const {
  switch (frame.depth) {
    case Depth::top:
      return "at the top level";
    case Depth::settings:
      return "in \"DinoSettings\"";
    case Depth::list:
      return "in " + json_quoted(frame.name);
    default:
      return "in the entry of class " + json_quoted(frame.name) + " in " +
             json_quoted(frames_[frames_.size() - 2].name);
  }
}

void DuplicateFinder::report(const Frame& frame) {
  const std::string_view kind = frame.depth == Depth::list ? "class " : "member ";
  for (const auto& [name, count] : frame.member_counts) {
    if (count < 2) continue;
    warnings_.push_back(std::string(kind) + json_quoted(name) + " is given " +
                        std::to_string(count) + " times " + where(frame) +
                        "; the plugin reads only the last one");
  }
}

}  // namespace

std::vector<std::string> duplicate_member_warnings(std::string_view text) {
  DuplicateFinder finder;
  json::sax_parse(text.begin(), text.end(), &finder, json::input_format_t::json, false);
  return finder.take_warnings();
}

}  // namespace quellwarden::check
