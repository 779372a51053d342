// Announcements follow the notices' rules: every member is checked, and one mistake turns them
// all off rather than send players half of what the admin meant.
#include "config/announcement_settings.h"

#include "config/document.h"
#include "config/notice_settings.h"
#include "config/vocabulary.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

constexpr char kAnnouncementsOff[] = ", so announcements are off; ";

// A number of seconds the schedule can subtract from an unlock time.
bool whole_and_positive(const Value& value) {
  if (value.type() == ValueType::number_unsigned) {
    const auto seconds = value.held().get<std::uint64_t>();
    return seconds > 0 && seconds <= static_cast<std::uint64_t>(kMaxNumber);
  }
  return value.type() == ValueType::number_integer && value.held().get<std::int64_t>() > 0;
}

class AnnouncementReader {
 public:
  explicit AnnouncementReader(const AnnouncementMembers& members) : members_(members) {}

  AnnouncementReading read() && {
    AnnouncementSettings settings{read_text(kTamingAnnouncement), read_text(kRidingAnnouncement),
                                  read_leads(), read_text(kTamingSoon), read_text(kRidingSoon)};
    const bool says_something = !settings.taming.empty() || !settings.riding.empty() ||
                                (!settings.remind_before.empty() &&
                                 (!settings.taming_soon.empty() || !settings.riding_soon.empty()));
    if (invalid_ || !says_something) return {std::nullopt, std::move(problems_)};
    return {std::move(settings), std::move(problems_)};
  }

 private:
  const MemberValue& member(std::string_view name) const {
    return members_.at(index_in(kAnnouncementMembers, name));
  }

  // `what` says what the member is: "is 5", "has the unknown placeholder {x}".
  void wrong(std::string_view name, const std::string& what, std::string_view fix) {
    invalid_ = true;
    problems_.push_back({DiagnosticCode::invalid_announcements,
                         {kAnnouncements, std::string(name)},
                         in_quotes(name) + " in " + in_quotes(kAnnouncements) + " " + what +
                             kAnnouncementsOff + std::string(fix)});
  }

  std::string read_text(std::string_view name) {
    const Value& value = member(name);
    if (!value.present()) return {};
    if (value.type() != ValueType::string) {
      wrong(name, "is " + value_text(value), "write a text, or \"\" for none");
      return {};
    }
    const std::string& text = value.held().get_ref<const std::string&>();
    if (const std::string unknown = unknown_placeholder(text); !unknown.empty()) {
      wrong(name, "has the unknown placeholder {" + unknown + "}",
            "the known ones are " + known_placeholders());
    }
    return text;
  }

  std::vector<std::int64_t> read_leads() {
    constexpr char kFix[] = "write whole numbers of seconds, each more than 0, such as [3600, 600]";
    const MemberValue& value = member(kRemindBefore);
    if (!value.present()) return {};
    if (value.type() != ValueType::array) {
      wrong(kRemindBefore, "is " + value_text(value), kFix);
      return {};
    }
    std::vector<std::int64_t> leads;
    for (const Value& element : value.elements) {
      if (!whole_and_positive(element)) {
        wrong(kRemindBefore, "holds " + value_text(element), kFix);
        return {};
      }
      leads.push_back(element.held().get<std::int64_t>());
    }
    return leads;
  }

  const AnnouncementMembers& members_;
  std::vector<Diagnostic> problems_;
  bool invalid_ = false;
};

}  // namespace

AnnouncementReading read_announcements(const Document& document) {
  const Value& shape = document.members[kAnnouncements];
  if (!shape.present()) return {};
  if (shape.type() != ValueType::object) {
    return {std::nullopt,
            {{DiagnosticCode::invalid_announcements,
              {kAnnouncements},
              in_quotes(kAnnouncements) + " is " + value_text(shape) + kAnnouncementsOff +
                  "write an object such as {\"Taming\": \"{creature} can be tamed from now "
                  "on!\"}, or leave it out for none"}}};
  }
  return AnnouncementReader(document.announcements).read();
}

}  // namespace quellwarden::config
