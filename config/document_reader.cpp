// One pass of the JSON library's event parser over the bytes. Frames follow only the objects the
// plugin reads (the top, "DinoSettings", each list and entry, "PlayerNotices"); inside any other
// value the reader only counts levels, or, where an error may have to quote the value, writes the
// start of its text. So no depth of the file reaches the stack, and no ignored member the heap.
#include <algorithm>
#include <array>
#include <cstdint>
#include <istream>
#include <streambuf>

#include "config/document.h"
#include "config/member_names.h"
#include "config/quoted_text.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

constexpr std::size_t kPreviewBytes = 40;                  // value_text() shows no more
constexpr std::size_t kPreviewLevels = kPreviewBytes + 1;  // each level writes a byte at least
constexpr std::size_t kTrailingBytes = 24;
constexpr std::string_view kBlanks = " \t\n\r";

// The bytes as a stream, so that the parser stops after the first value and tells how far it
// read. The get area is never written.
class ByteStream : public std::streambuf {
 public:
  explicit ByteStream(std::string_view bytes) {
    char* start = const_cast<char*>(bytes.data());
    setg(start, start, start + bytes.size());
  }
  [[nodiscard]] std::size_t consumed() const { return static_cast<std::size_t>(gptr() - eback()); }
};

// The start of an array's or object's JSON text, written from its events until it is long enough
// to be shown; deeper and later events only count levels.
class Preview {
 public:
  [[nodiscard]] bool active() const { return depth_ > 0; }

  void begin(Value& into, ValueType type) {
    into_ = &into;
    type_ = type;
    text_.clear();
    levels_.clear();
    after_key_ = false;
    open(type);
  }
  void open(ValueType type) {
    value_start();
    const bool object = type == ValueType::object;
    write(object ? "{" : "[");
    if (depth_++ < kPreviewLevels) levels_.push_back({object, true});
  }
  void close() {
    if (depth_-- <= kPreviewLevels) {
      write(levels_.back().object ? "}" : "]");
      levels_.pop_back();
    }
    if (depth_ == 0) *into_ = Value(type_, std::move(text_));
  }
  void key(std::string_view name) {
    separate();
    write(in_quotes(shortened(name)) + ":");
    after_key_ = true;
  }
  void scalar(const json& value) {
    value_start();
    if (!room()) return;
    write(value.is_string() ? in_quotes(shortened(value.get_ref<const std::string&>()))
                            : value.dump());
  }

 private:
  struct Open {
    bool object;
    bool first;  // nothing written in it yet
  };

  [[nodiscard]] bool room() const { return text_.size() <= kPreviewBytes; }
  void write(std::string_view text) {
    if (room()) text_ += text;
  }
  void separate() {
    if (depth_ > kPreviewLevels) return;
    if (!levels_.back().first) write(",");
    levels_.back().first = false;
  }
  void value_start() {
    if (after_key_) {
      after_key_ = false;
    } else if (depth_ > 0) {
      separate();
    }
  }

  Value* into_ = nullptr;
  ValueType type_ = ValueType::array;
  std::string text_;
  std::vector<Open> levels_;  // the open levels, as far as the text may reach
  std::size_t depth_ = 0;
  bool after_key_ = false;
};

enum class Role { top, top_array, settings, list, entry, notices };

// Where the next value goes.
enum class Target {
  skip,
  document,
  top_array_element,
  wipe,
  settings,
  notices,
  notice_member,
  list,
  item,
  hours,
  display_name,
  mod_class
};

struct Frame {
  explicit Frame(Role frame_role, std::size_t frame_list = 0)
      : role(frame_role), list(frame_list) {}

  Role role;
  std::size_t list = 0;                         // list and entry frames: which list
  std::size_t next_index = 0;                   // arrays: the index of the next element
  std::array<std::uint32_t, 3> known_counts{};  // by the index in known_members() of the level
  std::vector<std::string> unknown;  // top, settings and notices frames: names as they come
};

std::optional<std::size_t> known_index(Level level, std::string_view name) {
  const auto known = known_members(level);
  const auto found = std::find(known.begin(), known.end(), name);
  if (found == known.end()) return std::nullopt;
  return static_cast<std::size_t>(found - known.begin());
}

// A member the level knows is counted for the check of members given twice; an unknown one is
// kept, in `unknown`, for its warning.
std::optional<std::size_t> count_member(Frame& frame, Level level, const std::string& name,
                                        std::vector<std::string>& unknown) {
  const auto index = known_index(level, name);
  if (index) {
    ++frame.known_counts[*index];
  } else {
    unknown.push_back(name);
  }
  return index;
}

// Sorts `names` and keeps each once; each name that came more than once joins `repeats`.
void count_repeats(std::vector<std::string>& names,
                   std::vector<std::pair<std::string, std::size_t>>& repeats) {
  std::sort(names.begin(), names.end());
  for (auto run = names.begin(); run != names.end();) {
    const auto end =
        std::find_if(run, names.end(), [&](const std::string& name) { return name != *run; });
    if (end - run > 1) repeats.emplace_back(*run, static_cast<std::size_t>(end - run));
    run = end;
  }
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

class Reader {
 public:
  explicit Reader(Document& document) : document_(document) {}

  bool null() {
    return scalar([] { return json(nullptr); });
  }
  bool boolean(bool value) {
    return scalar([value] { return json(value); });
  }
  bool number_integer(json::number_integer_t value) {
    return scalar([value] { return json(value); });
  }
  bool number_unsigned(json::number_unsigned_t value) {
    return scalar([value] { return json(value); });
  }
  bool number_float(json::number_float_t value, const json::string_t& /*text*/) {
    return scalar([value] { return json(value); });
  }
  bool string(json::string_t& value) {
    return scalar([&value] { return json(value); });
  }
  bool binary(json::binary_t& /*value*/) {
    return scalar([] { return json(nullptr); });
  }
  bool start_object(std::size_t /*size*/) { return open(ValueType::object); }
  bool start_array(std::size_t /*size*/) { return open(ValueType::array); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }
  bool key(json::string_t& name);
  bool parse_error(std::size_t /*position*/, const std::string& /*token*/,
                   const json::exception& error) {
    document_.parse_error = error.what();
    return false;
  }

 private:
  template <typename Make>
  bool scalar(Make make) {
    if (skipped_ > 0) return true;
    if (preview_.active()) {
      preview_.scalar(make());
      return true;
    }
    aim();
    deliver(Value(make()));
    return true;
  }
  bool open(ValueType type);
  bool close();
  void aim();
  void deliver(Value value);
  void open_here(ValueType type);
  void finish(Frame& frame);
  void report(const MemberPath& prefix, std::vector<std::pair<std::string, std::size_t>> repeats);
  void finish_list(std::size_t list);
  template <typename Prefix>
  void finish_counted(Frame& frame, Level level, std::vector<std::string>& unknown,
                      Prefix&& prefix);
  List& list_of(const Frame& frame) { return document_.lists[frame.list]; }
  ListItem& current_item() { return list_of(frames_.back()).items.back(); }
  MemberPath list_path(std::size_t list) const {
    return {kDinoSettings, std::string(known_members(Level::settings)[list])};
  }

  Document& document_;
  std::vector<Frame> frames_;  // four deep at most
  std::size_t skipped_ = 0;    // levels inside a value nobody reads
  Preview preview_;
  Target target_ = Target::document;
  std::size_t target_index_ = 0;  // the list or notices member a target names
  std::string pending_name_;      // the name of the next item of a list
};

// In an array the frame itself says what its next element is; in an object, key() does.
void Reader::aim() {
  if (frames_.empty()) return;
  Frame& frame = frames_.back();
  if (frame.role == Role::top_array) {
    target_ = Target::top_array_element;
  } else if (frame.role == Role::list && list_of(frame).shape.type() == ValueType::array) {
    pending_name_ = std::to_string(frame.next_index++);
    target_ = Target::item;
  }
}

bool Reader::key(json::string_t& name) {
  if (skipped_ > 0) return true;
  if (preview_.active()) {
    preview_.key(name);
    return true;
  }
  Frame& frame = frames_.back();
  target_ = Target::skip;
  switch (frame.role) {
    case Role::top:
      if (const auto index = count_member(frame, Level::top, name, frame.unknown)) {
        static constexpr std::array<Target, 3> kTargets{Target::wipe, Target::settings,
                                                        Target::notices};
        target_ = kTargets[*index];
      }
      break;
    case Role::settings:
      if (const auto index = count_member(frame, Level::settings, name, frame.unknown)) {
        target_ = Target::list;
        target_index_ = *index;
      }
      break;
    case Role::list:
      pending_name_ = name;
      target_ = Target::item;
      break;
    case Role::entry:
      if (const auto index =
              count_member(frame, Level::entry, name, current_item().unknown_members)) {
        static constexpr std::array<Target, 3> kTargets{Target::hours, Target::display_name,
                                                        Target::mod_class};
        target_ = kTargets[*index];
      }
      break;
    case Role::notices:
      if (const auto index = known_index(Level::notices, name)) {
        target_ = Target::notice_member;
        target_index_ = *index;
      } else {
        frame.unknown.push_back(name);
      }
      break;
    case Role::top_array:
      break;
  }
  return true;
}

void Reader::deliver(Value value) {
  switch (target_) {
    case Target::document:
      document_.top = std::move(value);
      break;
    case Target::top_array_element:
      document_.top_holds_one_object = false;
      ++frames_.back().next_index;
      break;
    case Target::wipe:
      document_.wipe = std::move(value);
      break;
    case Target::settings:
      document_.settings = std::move(value);
      document_.lists = {};
      document_.unknown_settings_members.clear();
      break;
    case Target::notices:
      document_.notices = {std::move(value), {}, {}};
      break;
    case Target::notice_member:
      document_.notices.members[target_index_] = std::move(value);
      break;
    case Target::list: {
      List& list = document_.lists[target_index_];
      list = {value, {}};
      // A list that is a scalar is iterated as one item without a name, the scalar itself.
      if (value.type() != ValueType::null) {
        list.items.push_back({"", value.type(), std::move(value), {}, false, {}});
      }
      break;
    }
    case Target::item:
      list_of(frames_.back())
          .items.push_back({pending_name_, value.type(), std::move(value), {}, false, {}});
      break;
    case Target::hours:
      current_item().hours = std::move(value);
      break;
    case Target::display_name:
      current_item().display_name = std::move(value);
      break;
    case Target::mod_class:
      current_item().mod_class = value.type() == ValueType::boolean && value.held().get<bool>();
      break;
    case Target::skip:
      break;
  }
}

bool Reader::open(ValueType type) {
  if (skipped_ > 0) {
    ++skipped_;
    return true;
  }
  if (preview_.active()) {
    preview_.open(type);
    return true;
  }
  aim();
  open_here(type);
  return true;
}

// A container where the target says: a frame of its own where the plugin reads inside it, a
// preview where an error may quote it, else levels counted through.
void Reader::open_here(ValueType type) {
  const bool object = type == ValueType::object;
  switch (target_) {
    case Target::document:
      document_.top = Value(type, {});
      document_.top_holds_one_object = false;
      frames_.emplace_back(object ? Role::top : Role::top_array);
      return;
    case Target::top_array_element:
      document_.top_holds_one_object = frames_.back().next_index++ == 0 && object;
      break;
    case Target::settings:
      document_.settings = Value(type, {});
      document_.lists = {};
      document_.unknown_settings_members.clear();
      if (object) {
        frames_.emplace_back(Role::settings);
        return;
      }
      break;
    case Target::notices:
      document_.notices = {};
      if (object) {
        document_.notices.shape = Value(type, {});
        frames_.emplace_back(Role::notices);
      } else {
        preview_.begin(document_.notices.shape, type);
      }
      return;
    case Target::list:
      document_.lists[target_index_] = {Value(type, {}), {}};
      frames_.emplace_back(Role::list, target_index_);
      return;
    case Target::item: {
      const std::size_t list = frames_.back().list;
      document_.lists[list].items.push_back({pending_name_, type, {}, {}, false, {}});
      if (object) {
        frames_.emplace_back(Role::entry, list);
        return;
      }
      document_.lists[list].items.back().hours = Value(type, {});
      break;
    }
    case Target::wipe:
      preview_.begin(document_.wipe, type);
      return;
    case Target::notice_member:
      preview_.begin(document_.notices.members[target_index_], type);
      return;
    case Target::hours:
      preview_.begin(current_item().hours, type);
      return;
    case Target::display_name:
      preview_.begin(current_item().display_name, type);
      return;
    case Target::mod_class:
      current_item().mod_class = false;
      break;
    case Target::skip:
      break;
  }
  skipped_ = 1;
}

bool Reader::close() {
  if (skipped_ > 0) {
    --skipped_;
    return true;
  }
  if (preview_.active()) {
    preview_.close();
    return true;
  }
  finish(frames_.back());
  frames_.pop_back();
  return true;
}

void Reader::report(const MemberPath& prefix,
                    std::vector<std::pair<std::string, std::size_t>> repeats) {
  std::sort(repeats.begin(), repeats.end());
  for (auto& [name, count] : repeats) {
    MemberPath path = prefix;
    path.push_back(std::move(name));
    document_.repeated.push_back({std::move(path), count});
  }
}

// Members given twice among the known ones and among the unknown ones, in byte order. The path
// of the object, `prefix()`, is made only when there is one to report.
template <typename Prefix>
void Reader::finish_counted(Frame& frame, Level level, std::vector<std::string>& unknown,
                            Prefix&& prefix) {
  std::vector<std::pair<std::string, std::size_t>> repeats;
  const auto known = known_members(level);
  for (std::size_t index = 0; index < known.size(); ++index) {
    if (frame.known_counts[index] > 1) {
      repeats.emplace_back(known[index], frame.known_counts[index]);
    }
  }
  count_repeats(unknown, repeats);
  if (!repeats.empty()) report(prefix(), std::move(repeats));
}

// The parser keeps the last of equal member names, and the loader adds them in byte order.
void Reader::finish_list(std::size_t list) {
  std::vector<ListItem>& items = document_.lists[list].items;
  std::stable_sort(items.begin(), items.end(), [](const ListItem& left, const ListItem& right) {
    return left.class_name < right.class_name;
  });
  std::vector<std::pair<std::string, std::size_t>> repeats;
  auto kept = items.begin();
  for (auto run = items.begin(); run != items.end();) {
    const auto end = std::find_if(
        run, items.end(), [&](const ListItem& item) { return item.class_name != run->class_name; });
    if (end - run > 1) repeats.emplace_back(run->class_name, static_cast<std::size_t>(end - run));
    if (kept != end - 1) *kept = std::move(*(end - 1));
    ++kept;
    run = end;
  }
  items.erase(kept, items.end());
  if (!repeats.empty()) report(list_path(list), std::move(repeats));
}

void Reader::finish(Frame& frame) {
  switch (frame.role) {
    case Role::top:
      finish_counted(frame, Level::top, frame.unknown, [] { return MemberPath(); });
      document_.unknown_members = std::move(frame.unknown);
      return;
    case Role::settings:
      finish_counted(frame, Level::settings, frame.unknown,
                     [] { return MemberPath{kDinoSettings}; });
      document_.unknown_settings_members = std::move(frame.unknown);
      return;
    case Role::entry:
      finish_counted(frame, Level::entry, current_item().unknown_members, [&] {
        MemberPath path = list_path(frame.list);
        path.push_back(current_item().class_name);
        return path;
      });
      return;
    case Role::list:
      if (list_of(frame).shape.type() == ValueType::object) finish_list(frame.list);
      return;
    case Role::notices: {
      std::vector<std::pair<std::string, std::size_t>> ignored;
      count_repeats(frame.unknown, ignored);
      document_.notices.unknown_members = std::move(frame.unknown);
      return;
    }
    case Role::top_array:
      return;
  }
}

bool is_number_byte(char byte) {
  return (byte >= '0' && byte <= '9') || byte == '.' || byte == 'e' || byte == 'E' || byte == '+' ||
         byte == '-';
}

// The parser knows a number has ended only at the byte after it, which it has then read too.
void find_trailing_text(std::string_view bytes, std::size_t consumed, Document& document) {
  const ValueType top = document.top.type();
  const bool number = top == ValueType::number_integer || top == ValueType::number_unsigned ||
                      top == ValueType::number_float;
  if (number && consumed > 0 && !is_number_byte(bytes[consumed - 1])) --consumed;
  const std::size_t start = bytes.find_first_not_of(kBlanks, consumed);
  if (start == std::string_view::npos) return;
  const std::string_view before = bytes.substr(0, start);
  const std::size_t line_start = before.find_last_of('\n');
  const std::size_t end = bytes.find_last_not_of(kBlanks) + 1;
  std::string_view text = bytes.substr(start, end - start);
  const bool cut = text.size() > kTrailingBytes;
  if (cut) {
    std::size_t keep = kTrailingBytes;
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
    text = text.substr(0, keep);
  }
  document.trailing =
      TrailingText{static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1,
                   (line_start == std::string_view::npos ? start : start - line_start - 1) + 1,
                   std::string(text), cut};
}

}  // namespace

Document read_document(std::string_view bytes) {
  Document document;
  ByteStream buffer(bytes);
  std::istream in(&buffer);
  Reader reader(document);
  if (!json::sax_parse(in, &reader, json::input_format_t::json, false)) return document;
  find_trailing_text(bytes, buffer.consumed(), document);
  return document;
}

}  // namespace quellwarden::config
