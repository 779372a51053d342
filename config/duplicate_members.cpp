// The parser keeps the last of two equal member names without a word, so only a second, event by
// event pass over the text can see them. Only objects the plugin reads are tracked.
#include <map>

#include "config/diagnostic_parts.h"
#include "config/quoted_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
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
  return name == kDisallowRiding || name == kDisallowTaming;
}

Depth depth_below(const Frame& parent, std::string_view name) {
  switch (parent.depth) {
    case Depth::top:
      return parent.is_object && name == kDinoSettings ? Depth::settings : Depth::ignored;
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

  Diagnostics take_diagnostics() { return std::move(diagnostics_); }

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
  MemberPath path_of(std::string_view name) const;
  void report(const Frame& frame);

  std::vector<Frame> frames_;
  std::string pending_name_;
  Diagnostics diagnostics_;
};

std::string DuplicateFinder::where(const Frame& frame) const {
  switch (frame.depth) {
    case Depth::top:
      return "at the top level";
    case Depth::settings:
      return "in " + in_quotes(kDinoSettings);
    case Depth::list:
      return "in " + in_quotes(frame.name);
    default:
      return "in the entry of class " + in_quotes(frame.name) + " in " +
             in_quotes(frames_[frames_.size() - 2].name);
  }
}

// Called while the reported object's frame is still open: the frames below the top name it.
MemberPath DuplicateFinder::path_of(std::string_view name) const {
  MemberPath path;
  for (std::size_t index = 1; index < frames_.size(); ++index) path.push_back(frames_[index].name);
  path.emplace_back(name);
  return path;
}

void DuplicateFinder::report(const Frame& frame) {
  const std::string_view kind = frame.depth == Depth::list ? "class " : "member ";
  for (const auto& [name, count] : frame.member_counts) {
    if (count < 2) continue;
    diagnostics_.push_back({"duplicate_member", path_of(name),
                            std::string(kind) + in_quotes(name) + " is given " +
                                std::to_string(count) + " times " + where(frame) +
                                "; the plugin reads only the last one"});
  }
}

}  // namespace

Diagnostics duplicate_member_diagnostics(std::string_view bytes) {
  DuplicateFinder finder;
  json::sax_parse(bytes.begin(), bytes.end(), &finder, json::input_format_t::json, false);
  return finder.take_diagnostics();
}

}  // namespace quellwarden::config
