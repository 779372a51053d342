// One pass of the JSON library's event parser over the bytes, the slips an admin makes by hand
// read away on the way in (config/slip_filter.h). Frames follow only the objects the
// plugin reads, as the member tables lay them out (config/members.h); inside any other value the
// reader only counts levels, or, where an error may have to quote the value, writes the start of
// its text. So no depth of the file reaches the stack, and no ignored member the heap.
// What it buys over the library's own tree (figures in docs/benchmarks.md): a tree keeps one of two
// members of one name, so a class listed twice could not be told, and it keeps every ignored
// member; bounded by the library's filtering callback, its parse turns quadratic (the callback
// parser scans an object's members at the end of each one within it).
#include <algorithm>
#include <array>
#include <cstdint>
#include <istream>
#include <numeric>

#include "config/document.h"
#include "config/slip_filter.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"
#include "text/utf8.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

constexpr std::size_t kPreviewBytes = 40;                  // value_text() shows no more
constexpr std::size_t kPreviewLevels = kPreviewBytes + 1;  // each level writes a byte at least
constexpr std::size_t kTrailingBytes = 24;

// The start of an array's or object's JSON text, written from its events until it is long enough
// to be shown; deeper and later events only count levels.
class Preview {
 public:
  [[nodiscard]] bool active() const { return depth_ > 0; }
  [[nodiscard]] std::size_t depth() const { return depth_; }

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

// What an open array or object of the plugin's own is: the top's array, an object whose members
// a level's table names, a list of class entries, or an array read element by element.
enum class Role { top_array, level, list, elements };

struct Frame {
  Role role;
  Level level = Level::top;  // level frames: whose members
  // Where it stands in the table of the frame below; for entries, the list. Element frames keep
  // that frame's level as theirs.
  std::size_t member = 0;
  std::size_t next_index = 0;                        // arrays: the index of the next element
  std::array<std::uint32_t, kMostMembers> counts{};  // level frames: each member's count
};

// Where the next value goes.
enum class Target { skip, document, top_array_element, member, item, element };

// Every class list is a member of "DinoSettings", and only lists are: the document keeps lists
// there and nowhere else.
constexpr bool lists_only_in_settings() {
  for (const Level level : kLevels) {
    for (const Member& member : members_of(level)) {
      if ((member.kept == Kept::class_list) != (level == Level::settings)) return false;
    }
  }
  return true;
}
static_assert(lists_only_in_settings());

// Only the levels whose slots are MemberValue hold members read element by element.
constexpr bool elements_only_where_kept() {
  for (const Level level : kLevels) {
    for (const Member& member : members_of(level)) {
      if (member.kept == Kept::elements && (level == Level::settings || level == Level::entry)) {
        return false;
      }
    }
  }
  return true;
}
static_assert(elements_only_where_kept());

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

ListItem make_item(std::string name, ValueType type, Value itself = {}) {
  ListItem item{std::move(name), type, {}};
  item.members[kHoursToDelay] = std::move(itself);
  return item;
}

class Reader {
 public:
  explicit Reader(Document& document) : document_(document) {}

  bool null() { return scalar(nullptr); }
  bool boolean(bool value) { return scalar(value); }
  bool number_integer(json::number_integer_t value) { return scalar(value); }
  bool number_unsigned(json::number_unsigned_t value) { return scalar(value); }
  bool number_float(json::number_float_t value, const json::string_t& /*text*/) {
    return scalar(value);
  }
  // Copied only where it is kept: a text nobody reads never reaches the heap.
  bool string(json::string_t& value) { return skipped_ > 0 || scalar(value); }
  bool binary(json::binary_t& /*value*/) { return scalar(nullptr); }
  bool start_object(std::size_t /*size*/) { return open(ValueType::object); }
  bool start_array(std::size_t /*size*/) { return open(ValueType::array); }
  bool end_object() { return close(); }
  bool end_array() { return close(); }
  bool key(json::string_t& name);
  bool parse_error(std::size_t position, const std::string& /*token*/,
                   const json::exception& error) {
    document_.parse_error = error.what();
    document_.parse_error_at = position;
    return false;
  }

 private:
  bool scalar(json value) {
    if (skipped_ > 0) return true;
    if (preview_.active()) {
      preview_.scalar(value);
      return true;
    }
    aim();
    deliver(Value(std::move(value)));
    return true;
  }
  bool open(ValueType type);
  bool close();
  void aim();
  void deliver(Value value);
  void open_here(ValueType type);
  void open_member(ValueType type);
  void finish(const Frame& frame);
  void finish_list(List& list);
  void report(std::vector<std::pair<std::string, std::size_t>> repeats);
  [[nodiscard]] MemberPath path() const;
  Value& slot(const Frame& frame, std::size_t index);
  std::vector<std::string>& unknown_of(const Frame& frame);
  std::vector<Value>& elements_of(Level level, std::size_t index);
  void clear(Level level);
  const Member& target_member() const { return members_of(frames_.back().level)[target_index_]; }
  List& list_of(const Frame& frame) { return document_.lists.at(frame.member); }
  ListItem& current_item() { return list_of(frames_.back()).items.back(); }

  Document& document_;
  std::vector<Frame> frames_;  // as deep as the tables, at most
  std::size_t skipped_ = 0;    // levels inside a value nobody reads
  Preview preview_;
  Target target_ = Target::document;
  std::size_t target_index_ = 0;  // the member a target names, in its frame's table
  std::string pending_name_;      // the name of the next item of a list
};

// Where the value of the member at `index` of `frame`'s table is kept.
Value& Reader::slot(const Frame& frame, std::size_t index) {
  switch (frame.level) {
    case Level::top:
      return document_.members.at(index);
    case Level::settings:
      return document_.lists.at(index).shape;
    case Level::notices:
      return document_.notices.at(index);
    case Level::announcements:
      return document_.announcements.at(index);
    case Level::entry:
      break;
  }
  return current_item().members.at(index);
}

std::vector<Value>& Reader::elements_of(Level level, std::size_t index) {
  if (level == Level::top) return document_.members.at(index).elements;
  if (level == Level::notices) return document_.notices.at(index).elements;
  return document_.announcements.at(index).elements;
}

std::vector<std::string>& Reader::unknown_of(const Frame& frame) {
  switch (frame.level) {
    case Level::top:
      return document_.members.unknown;
    case Level::settings:
      return document_.lists.unknown;
    case Level::notices:
      return document_.notices.unknown;
    case Level::announcements:
      return document_.announcements.unknown;
    case Level::entry:
      break;
  }
  return current_item().members.unknown;
}

// A member that holds a level came again: the parser keeps the last one, so nothing of an
// earlier one stays.
void Reader::clear(Level level) {
  if (level == Level::settings) document_.lists = {};
  if (level == Level::notices) document_.notices = {};
  if (level == Level::announcements) document_.announcements = {};
}

// In an array the frame itself says what its next element is; in an object, key() does.
void Reader::aim() {
  if (frames_.empty()) return;
  Frame& frame = frames_.back();
  if (frame.role == Role::top_array) {
    target_ = Target::top_array_element;
  } else if (frame.role == Role::list && list_of(frame).shape.type() == ValueType::array) {
    pending_name_ = std::to_string(frame.next_index++);
    target_ = Target::item;
  } else if (frame.role == Role::elements) {
    target_ = Target::element;
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
  if (frame.role == Role::list) {
    pending_name_ = name;
    target_ = Target::item;
  } else if (frame.role == Role::level) {
    const auto table = members_of(frame.level);
    target_index_ = index_in(table, name);
    if (target_index_ < table.size()) {
      ++frame.counts[target_index_];
      target_ = Target::member;
    } else {
      unknown_of(frame).push_back(name);
    }
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
    case Target::member: {
      const Member& member = target_member();
      if (member.kept == Kept::level) clear(member.inner);
      if (member.kept == Kept::class_list) {
        List& list = document_.lists.at(target_index_);
        list = {value, {}};
        // A list that is a scalar is iterated as one item without a name, the scalar itself.
        if (value.type() != ValueType::null) {
          list.items.push_back(make_item("", value.type(), std::move(value)));
        }
        break;
      }
      if (member.kept == Kept::elements) elements_of(frames_.back().level, target_index_).clear();
      slot(frames_.back(), target_index_) = std::move(value);
      break;
    }
    case Target::element:
      elements_of(frames_.back().level, frames_.back().member).push_back(std::move(value));
      break;
    case Target::item:
      list_of(frames_.back())
          .items.push_back(make_item(pending_name_, value.type(), std::move(value)));
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

// A member's array or object: a frame of its own where the table reads inside it, else a
// preview, since an error may quote it.
void Reader::open_member(ValueType type) {
  const Member& member = target_member();
  const std::size_t index = target_index_;
  if (member.kept == Kept::class_list) {
    document_.lists.at(index) = {Value(type, {}), {}};
    frames_.push_back({Role::list, Level::entry, index});
    return;
  }
  if (member.kept == Kept::level) clear(member.inner);
  const Level level = frames_.back().level;
  if (member.kept == Kept::elements) elements_of(level, index).clear();
  Value& into = slot(frames_.back(), index);
  if (member.kept == Kept::level && type == ValueType::object) {
    into = Value(type, {});
    frames_.push_back({Role::level, member.inner, index});
    return;
  }
  if (member.kept == Kept::elements && type == ValueType::array) {
    into = Value(type, {});
    frames_.push_back({Role::elements, level, index});
    return;
  }
  preview_.begin(into, type);
}

// A container where the target says: a frame, a preview, or else levels counted through.
void Reader::open_here(ValueType type) {
  const bool object = type == ValueType::object;
  switch (target_) {
    case Target::document:
      document_.top = Value(type, {});
      document_.top_holds_one_object = false;
      frames_.push_back({object ? Role::level : Role::top_array});
      return;
    case Target::top_array_element:
      document_.top_holds_one_object = frames_.back().next_index++ == 0 && object;
      break;
    case Target::member:
      open_member(type);
      return;
    case Target::item: {
      const std::size_t list = frames_.back().member;
      if (object) {
        document_.lists.at(list).items.push_back(make_item(pending_name_, type));
        frames_.push_back({Role::level, Level::entry, list});
        return;
      }
      document_.lists.at(list).items.push_back(make_item(pending_name_, type, Value(type, {})));
      break;
    }
    case Target::element: {
      std::vector<Value>& elements = elements_of(frames_.back().level, frames_.back().member);
      preview_.begin(elements.emplace_back(), type);
      return;
    }
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

// The members from the top down to the innermost open frame.
MemberPath Reader::path() const {
  MemberPath path;
  for (std::size_t depth = 1; depth < frames_.size(); ++depth) {
    const Frame& frame = frames_[depth];
    if (frame.role == Role::level && frame.level == Level::entry) {
      path.push_back(document_.lists.at(frame.member).items.back().class_name);
    } else {
      path.emplace_back(members_of(frames_[depth - 1].level)[frame.member].name);
    }
  }
  return path;
}

void Reader::report(std::vector<std::pair<std::string, std::size_t>> repeats) {
  if (repeats.empty()) return;
  std::sort(repeats.begin(), repeats.end());
  const MemberPath prefix = path();
  for (auto& [name, count] : repeats) {
    MemberPath member = prefix;
    member.push_back(std::move(name));
    document_.repeated.push_back({std::move(member), count});
  }
}

// The parser keeps the last of equal member names, and the loader adds them in byte order. The
// items are sorted by their index and each moved once, into a vector of the list's own size.
void Reader::finish_list(List& list) {
  std::vector<ListItem>& items = list.items;
  std::vector<std::uint32_t> order(items.size());
  std::iota(order.begin(), order.end(), 0U);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t left, std::uint32_t right) {
    return items[left].class_name < items[right].class_name;
  });
  std::vector<std::pair<std::string, std::size_t>> repeats;
  std::vector<ListItem> kept;
  kept.reserve(items.size());
  for (auto run = order.begin(); run != order.end();) {
    const std::string& name = items[*run].class_name;
    const auto end = std::find_if(
        run, order.end(), [&](std::uint32_t index) { return items[index].class_name != name; });
    if (end - run > 1) repeats.emplace_back(name, static_cast<std::size_t>(end - run));
    kept.push_back(std::move(items[*(end - 1)]));
    run = end;
  }
  items = std::move(kept);
  report(std::move(repeats));
}

// Members given twice, among the known ones and among the unknown ones, in byte order.
void Reader::finish(const Frame& frame) {
  if (frame.role == Role::list) {
    if (list_of(frame).shape.type() == ValueType::object) finish_list(list_of(frame));
    return;
  }
  if (frame.role != Role::level) return;
  std::vector<std::pair<std::string, std::size_t>> repeats;
  const auto table = members_of(frame.level);
  for (std::size_t index = 0; index < table.size(); ++index) {
    if (frame.counts[index] > 1) repeats.emplace_back(table[index].name, frame.counts[index]);
  }
  count_repeats(unknown_of(frame), repeats);
  report(std::move(repeats));
}

bool is_number_byte(char byte) {
  return (byte >= '0' && byte <= '9') || byte == '.' || byte == 'e' || byte == 'E' || byte == '+' ||
         byte == '-';
}

// Comments after the value are comments too; only what is neither is text the reader never sees.
std::size_t after_blanks_and_comments(std::string_view bytes, std::size_t at,
                                      std::vector<Slip>& slips) {
  for (;;) {
    at = bytes.find_first_not_of(kJsonBlanks, at);
    if (at == std::string_view::npos) return at;
    const std::size_t end = comment_end(bytes, at);
    if (end == 0) return at;
    const std::string_view before = bytes.substr(0, at);
    slips.push_back({bytes[at + 1] == '/' ? Slip::Kind::line_comment : Slip::Kind::block_comment,
                     static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1,
                     at, 0});
    at = end;
  }
}

// The parser knows a number has ended only at the byte after it, which it has then read too.
std::size_t value_end(std::string_view bytes, std::size_t consumed, const Document& document) {
  if (document.top.held().is_number() && consumed > 0 && !is_number_byte(bytes[consumed - 1]))
    --consumed;
  return consumed;
}

void find_trailing_text(std::string_view bytes, std::size_t value_end, Document& document) {
  const std::size_t start = after_blanks_and_comments(bytes, value_end, document.slips);
  if (start == std::string_view::npos) return;
  const std::string_view before = bytes.substr(0, start);
  const std::size_t line_start = before.find_last_of('\n');
  const std::size_t end = bytes.find_last_not_of(kJsonBlanks) + 1;
  std::string_view text = bytes.substr(start, end - start);
  const bool cut = text.size() > kTrailingBytes;
  text = utf8_prefix(text, kTrailingBytes);
  document.trailing =
      TrailingText{static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1,
                   (line_start == std::string_view::npos ? start : start - line_start - 1) + 1,
                   std::string(text), cut};
}

}  // namespace

Document read_document(std::string_view bytes) {
  Document document;
  SlipFilter filter(bytes, document.slips);
  std::istream in(&filter);
  Reader reader(document);
  if (!json::sax_parse(in, &reader, json::input_format_t::json, false)) return document;
  // The filter read ahead of the parser: slips past the value are found again below, or belong to
  // text nobody reads.
  const std::size_t end = value_end(bytes, filter.consumed(), document);
  std::erase_if(document.slips, [&](const Slip& slip) { return slip.at >= end; });
  find_trailing_text(bytes, end, document);
  document.notice_reading = read_notice_settings(document);
  document.announcement_reading = read_announcements(document);
  document.bypass_reading = read_bypass(document);
  return document;
}

}  // namespace quellwarden::config
