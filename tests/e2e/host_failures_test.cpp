// When the host fails the plugin: a gate lets the game decide and counts it, a load that cannot
// build its tables changes nothing, refused hooks and commands are logged, and unload still
// removes everything it can.
#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <optional>

#include "host/game_functions.h"
#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

namespace game = quellwarden::host::game;
using qw_test::imprints;
using qw_test::rides;
using qw_test::tames;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kCanTame(game::can_tame.name);
const std::string kImprint(game::imprint_baby_dino.name);
const std::string kSetRider(game::set_rider.name);
const std::string kMalloc(game::malloc_block.name);
const std::string kRexLocked = qw_test::config_text({}, {{"Rex_Character_BP_C", 24}});

class host_failures_test : public qw_test::PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(1700000000);
  }

  std::vector<std::string> status() {
    std::vector<std::string> lines;
    for (const auto& message : console(standin::player("admin"), "Quellwarden.status")) {
      lines.push_back(message.text);
    }
    return lines;
  }
};

TEST_F(host_failures_test, a_gate_the_host_fails_lets_the_game_decide_and_counts_it) {
  write_config(kRexLocked);
  load();
  sink_->forget();
  for (const std::string_view name :
       {game::name_to_string.name, game::class_of_object.name, game::compare_ignoring_case.name}) {
    standin::fail_resolve(name);
    EXPECT_TRUE(tames("Rex_Character_BP_C")) << name;
    EXPECT_FALSE(tames("Rex_Character_BP_C")) << "only the failed decision is left to the game";
  }
  EXPECT_TRUE(log_lines().empty()) << "a gate never logs";
  EXPECT_THAT(status(), Contains("the host failed the gates 3 times; the game decided alone"));
}

TEST_F(host_failures_test, a_load_that_cannot_build_its_tables_changes_nothing) {
  write_config(kRexLocked);
  load();
  write_config(R"({"WipeTimestamp": 1600000000, "DinoSettings": {
      "DisallowTaming": {"Giga_Character_BP_C": {"HoursToDelay": 1}}}})");
  standin::fail_resolve(kMalloc);
  const auto replies = console(standin::player("admin"));
  ASSERT_EQ(replies.size(), 2U);
  EXPECT_EQ(replies[0].text, "Quellwarden: Failed to reload config");
  const std::string error = "cannot resolve \"" + kMalloc + "\" in the running game";
  EXPECT_EQ(replies[1].text, error);
  EXPECT_EQ(log_messages().back(), error);
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
  EXPECT_TRUE(tames("Giga_Character_BP_C"));
  const auto lines = status();
  ASSERT_GE(lines.size(), 4U);
  EXPECT_THAT(lines[0], HasSubstr("wipe 2023-11-14 22:13:20 UTC (1700000000)"));
  EXPECT_EQ(lines[2], "last load failed at 2023-11-14 22:13:20 UTC: " + error +
                          "; the previous configuration is still in force");

  standin::fail_resolve(kMalloc);
  EXPECT_EQ(qw_test::rcon_reload(5).text, error);
}

TEST_F(host_failures_test, refused_hooks_and_commands_are_logged_and_the_rest_installed) {
  write_config(kRexLocked);
  standin::fail_next_hook(kCanTame);
  standin::fail_next_command("Quellwarden.reload");
  load();
  EXPECT_THAT(standin::installed_hooks(), ElementsAre(kImprint, kSetRider));
  EXPECT_THAT(standin::console_commands(),
              ElementsAre("Quellwarden.status", "Quellwarden.setwipe", "Quellwarden.shift",
                          "Quellwarden.delay", "Quellwarden.unlock"));
  EXPECT_THAT(standin::rcon_commands(),
              ElementsAre("Quellwarden.reload", "Quellwarden.status", "Quellwarden.setwipe",
                          "Quellwarden.shift", "Quellwarden.delay", "Quellwarden.unlock"));
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre("Failed to hook " + kCanTame + "; taming is not held back",
                          "Failed to add console command Quellwarden.reload: the host refused to "
                          "register the command Quellwarden.reload"));
  sink_->forget();
  unload();
  EXPECT_TRUE(standin::installed_hooks().empty());
  EXPECT_TRUE(standin::console_commands().empty());
  EXPECT_TRUE(standin::rcon_commands().empty());
  EXPECT_TRUE(log_messages(spdlog::level::err).empty()) << "what was never added is not removed";
}

// A gate the host refused holds nothing back: the status says so, not only "locked", and each
// reload asks the host again.
TEST_F(host_failures_test, a_refused_hook_shows_in_the_status_and_a_reload_installs_it) {
  write_config(kRexLocked);
  standin::fail_next_hook(kImprint);
  load();
  EXPECT_TRUE(imprints(standin::spawn_creature("Rex_Character_BP_C")));
  const auto lines = status();
  ASSERT_GE(lines.size(), 3U);
  EXPECT_EQ(lines[1],
            "imprint gate not installed: imprinting is not held back (the host refused "
            "the hook)");
  EXPECT_EQ(lines[2], "player notices: off");
  EXPECT_EQ(nlohmann::json::parse(qw_test::rcon_reload(5, "Quellwarden.status json").text)["gates"],
            nlohmann::json::parse(R"({"taming": true, "imprint": false, "riding": true})"));

  EXPECT_EQ(qw_test::rcon_reload(5).text, "Quellwarden : Reloaded config");
  EXPECT_THAT(standin::installed_hooks(), ElementsAre(kCanTame, kSetRider, kImprint));
  EXPECT_FALSE(imprints(standin::spawn_creature("Rex_Character_BP_C")));
  EXPECT_EQ(status().at(1), "player notices: off");
  qw_test::rcon_reload(5);
  EXPECT_EQ(standin::installed_hooks().size(), 3U) << "a gate in place is not hooked twice";
}

// Nor does the next unlock or the players' chat command count it.
TEST_F(host_failures_test, an_entry_of_a_gate_not_installed_never_reads_locked) {
  write_config(
      qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}, 1700000000, R"("PlayerNotices": {})"));
  standin::fail_next_hook(kCanTame);
  load();
  EXPECT_THAT(status(), Contains(HasSubstr("taming Rex_Character_BP_C: not held back, the taming "
                                           "gate is not installed (unlock ")));
  EXPECT_EQ(console(standin::player("admin"), "Quellwarden.status next").at(0).text,
            "next taming unlock: none, nothing is held back");
  const auto before = standin::sent_messages().size();
  ASSERT_TRUE(standin::run_chat_command(standin::player("p"), "/unlocks"));
  EXPECT_EQ(standin::sent_messages().at(before).text, "Nothing is held back.");
}

// The reload's replies stay as they are; the status tells the chat command is off.
TEST_F(host_failures_test, a_chat_command_the_host_refused_shows_as_off) {
  write_config(
      qw_test::config_text({}, {{"Rex_Character_BP_C", 24}}, 1700000000, R"("PlayerNotices": {})"));
  standin::fail_next_command("/unlocks");
  load();
  EXPECT_EQ(status().at(1),
            "player notices: on, cooldown 30 s, chat command off (the host refused /unlocks)");
  EXPECT_EQ(nlohmann::json::parse(
                qw_test::rcon_reload(5, "Quellwarden.status json").text)["chat_command_on"],
            false);
  qw_test::rcon_reload(5);
  EXPECT_EQ(status().at(1), "player notices: on, cooldown 30 s, chat command /unlocks");
}

TEST_F(host_failures_test, an_rcon_reply_the_game_cannot_send_is_logged) {
  write_config(kRexLocked);
  load();
  sink_->forget();
  standin::fail_resolve(game::rcon_send_message.name);
  const standin::RconConnection connection;
  EXPECT_TRUE(standin::run_rcon_command(connection, 3, "Quellwarden.reload"));
  EXPECT_TRUE(standin::rcon_replies().empty());
  EXPECT_EQ(log_messages().back(), "cannot resolve \"" + std::string(game::rcon_send_message.name) +
                                       "\" in the running game");
}

// The module path is asked of the system until it fits, past the 260 units of old Windows paths.
TEST_F(host_failures_test, the_messenger_lookup_gets_a_plugin_path_of_any_length) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine's loader refuses library paths past 260 units";
#endif
  std::filesystem::path folder = directory_;
  while (folder.u8string().size() < 300) {
    folder /= std::string(40, 'd');
  }
  std::filesystem::create_directories(folder);
  const std::filesystem::path built(qw_test::built_plugin_path());
  const std::filesystem::path copy = folder / built.filename();
  std::filesystem::copy_file(built, copy);
  write_config("{}");
  load(copy.string());
  console(standin::player("admin"));
  ASSERT_FALSE(standin::messenger_lookups().empty());
  EXPECT_EQ(std::filesystem::path(standin::messenger_lookups().back()), copy);
}

// The status as bots read it: the configuration in force (null wipe: none), what the host failed.
nlohmann::json status_json() {
  const auto replies = [] {
    const auto before = standin::sent_messages().size();
    standin::run_console_command(standin::player("admin"), "Quellwarden.status json");
    return standin::sent_messages().size() - before;
  }();
  EXPECT_EQ(replies, 1U);
  return nlohmann::json::parse(standin::sent_messages().back().text);
}

// The configuration in force as one comparable text: wipe, then every entry of both lists.
std::string in_force() {
  const nlohmann::json status = status_json();
  return status["wipe_timestamp"].dump() + status["riding"].dump() + status["taming"].dump();
}

std::uint64_t host_failures() { return status_json()["host_failures"].get<std::uint64_t>(); }

// A configuration with Rex held back, told apart from the other by its wipe and its classes.
std::string config_with(std::int64_t wipe, const std::vector<std::string>& classes, bool notices) {
  std::string list = "{";
  for (const std::string& name : classes) {
    list += (list.size() > 1 ? ", \"" : "\"") + name + R"(": {"HoursToDelay": 24})";
  }
  list += "}";
  return R"({"WipeTimestamp": )" + std::to_string(wipe) +
         (notices ? R"(, "PlayerNotices": {"CooldownSeconds": 0})" : "") +
         R"(, "DinoSettings": {"DisallowRiding": )" + list + R"(, "DisallowTaming": )" + list +
         "}}";
}

// Six classes a list, so a load grows the tables past their first storage and buckets.
const std::string kQuiet =
    config_with(1699990000,
                {"Rex_Character_BP_C", "Dodo_Character_BP_C", "Raptor_Character_BP_C",
                 "Stego_Character_BP_C", "Trike_Character_BP_C", "Ptero_Character_BP_C"},
                false);
const std::string kTelling =
    config_with(1699980000,
                {"Rex_Character_BP_C", "Giga_Character_BP_C", "Carno_Character_BP_C",
                 "Spino_Character_BP_C", "Allo_Character_BP_C", "Argent_Character_BP_C"},
                true);

enum class Failure { null_resolution, throwing_call };

struct Fault {
  std::string_view name;
  Failure failure;
};

void PrintTo(const Fault& fault, std::ostream* out) {
  *out << fault.name << (fault.failure == Failure::null_resolution ? " unresolved" : " throwing");
}

std::string fault_name(const ::testing::TestParamInfo<Fault>& info) {
  std::string name(info.param.name.substr(0, info.param.name.find('(')));
  std::replace(name.begin(), name.end(), '.', '_');
  return name + (info.param.failure == Failure::null_resolution ? "_null" : "_throws");
}

std::vector<Fault> every_fault() {
  std::vector<Fault> faults;
  for (const std::string_view name : game::resolved_names) {
    faults.push_back({name, Failure::null_resolution});
    faults.push_back({name, Failure::throwing_call});
  }
  return faults;
}

// Each step the plugin takes, with one name the plugin resolves failing at every use throughout
// the step: the server keeps running, the step ends as the README says a host failure ends, and
// with the failure switched off everything works again.
class host_failure_matrix : public qw_test::PluginTest,
                            public ::testing::WithParamInterface<Fault> {
 protected:
  struct Step {
    const char* name;
    const std::string* config;  // applied, failure off, before the step; null: as it stands
    void (host_failure_matrix::*run)();
  };

  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(1700000000);
  }

  template <typename Action>
  auto failing(Action&& action) {
    const std::size_t always = 1000000;
    if (GetParam().failure == Failure::null_resolution) {
      standin::fail_resolve(GetParam().name, always);
    } else {
      standin::fail_throw(GetParam().name, always);
    }
    struct Disarm {
      ~Disarm() {
        standin::fail_resolve(name, 0);
        standin::fail_throw(name, 0);
      }
      std::string_view name;
    } disarm{GetParam().name};
    return action();
  }

  void apply(const std::string& config) {
    write_config(config);
    const auto replies = console(standin::player("admin"));
    ASSERT_FALSE(replies.empty());
    ASSERT_EQ(replies[0].text, "Quellwarden : Reloaded config");
  }
  bool logged_an_error() const { return !log_messages(spdlog::level::err).empty(); }

  // A load applies the file whole or changes nothing; the reply, when one came, says which.
  void expect_whole(std::optional<bool> reply_says_applied, const std::string& before,
                    const std::string& wanted) {
    const std::string after = in_force();
    if (reply_says_applied) {
      EXPECT_EQ(after, *reply_says_applied ? wanted : before);
      EXPECT_TRUE(*reply_says_applied || logged_an_error()) << "a refused load says why";
    } else {
      EXPECT_TRUE(after == before || after == wanted) << after;
      EXPECT_TRUE(logged_an_error()) << "a reply that cannot be sent is logged";
    }
  }

  // The gate refused as configured, or left the decision to the game and counted that.
  void expect_decided(bool let_through, std::uint64_t failures_before) {
    EXPECT_EQ(host_failures(), failures_before + (let_through ? 1U : 0U));
  }

  void start_up_load() {
    unload();
    write_config(kTelling);
    failing([&] { load(); });
    const nlohmann::json status = status_json();
    if (status["wipe_timestamp"].is_null()) {
      EXPECT_TRUE(logged_an_error()) << "a load that changes nothing says why";
    } else {
      EXPECT_EQ(in_force(), telling_);
    }
  }

  void console_reload() {
    write_config(kQuiet);
    const auto replies = failing([&] { return console(standin::player("admin")); });
    std::optional<bool> applied;
    if (!replies.empty()) applied = replies[0].text == "Quellwarden : Reloaded config";
    expect_whole(applied, telling_, quiet_);
  }

  void rcon_reload() {
    write_config(kQuiet);
    const auto before = standin::rcon_replies().size();
    failing([&] {
      EXPECT_TRUE(standin::run_rcon_command(standin::RconConnection(), 4, "Quellwarden.reload"));
    });
    const auto replies = standin::rcon_replies();
    std::optional<bool> applied;
    if (replies.size() > before) applied = replies.back().text == "Quellwarden : Reloaded config";
    expect_whole(applied, telling_, quiet_);
  }

  void taming() {
    const auto failures = host_failures();
    AShooterPlayerController* const player = standin::player("tamer");
    expect_decided(failing([&] { return tames(rex(), player); }), failures);
  }
  void imprinting() {
    const auto failures = host_failures();
    AShooterPlayerController* const player = standin::player("breeder");
    expect_decided(failing([&] { return imprints(rex(), player); }), failures);
  }
  void riding() {
    const auto failures = host_failures();
    AShooterCharacter* const rider = standin::rider("rider", standin::player("rider"));
    expect_decided(failing([&] { return rides(rex(), rider); }), failures);
  }

  void chat_command() {
    const auto before = standin::sent_messages().size();
    EXPECT_TRUE(
        failing([&] { return standin::run_chat_command(standin::player("p"), "/unlocks"); }));
    EXPECT_TRUE(standin::sent_messages().size() > before || logged_an_error());
  }

  void status_text() {
    EXPECT_TRUE(
        !failing([&] { return console(standin::player("admin"), "Quellwarden.status"); }).empty() ||
        logged_an_error());
  }

  void status_as_json() {
    const auto before = standin::rcon_replies().size();
    failing([&] {
      EXPECT_TRUE(
          standin::run_rcon_command(standin::RconConnection(), 5, "Quellwarden.status json"));
    });
    EXPECT_TRUE(standin::rcon_replies().size() > before || logged_an_error());
  }

  void unload_and_load_again() {
    failing([&] {
      unload();
      EXPECT_TRUE(standin::installed_hooks().empty());
      EXPECT_TRUE(standin::console_commands().empty());
      EXPECT_TRUE(standin::rcon_commands().empty());
      EXPECT_TRUE(standin::chat_commands().empty());
      load();
    });
    if (!status_json()["wipe_timestamp"].is_null()) {
      EXPECT_EQ(in_force(), telling_);
    }
  }

  // With the failure off: a reload applies, Rex is held back, the status answers.
  void expect_working() {
    apply(kTelling);
    EXPECT_EQ(in_force(), telling_);
    EXPECT_FALSE(tames("Rex_Character_BP_C"));
    EXPECT_FALSE(rides("Rex_Character_BP_C"));
  }

  static const std::vector<Step>& steps() {
    static const std::vector<Step> all{
        {"start-up load", nullptr, &host_failure_matrix::start_up_load},
        {"console reload", &kTelling, &host_failure_matrix::console_reload},
        {"RCON reload", &kTelling, &host_failure_matrix::rcon_reload},
        {"taming, notices off", &kQuiet, &host_failure_matrix::taming},
        {"imprinting, notices off", &kQuiet, &host_failure_matrix::imprinting},
        {"riding, notices off", &kQuiet, &host_failure_matrix::riding},
        {"taming with a notice", &kTelling, &host_failure_matrix::taming},
        {"imprinting with a notice", &kTelling, &host_failure_matrix::imprinting},
        {"riding with a notice", &kTelling, &host_failure_matrix::riding},
        {"chat command", &kTelling, &host_failure_matrix::chat_command},
        {"status", &kTelling, &host_failure_matrix::status_text},
        {"status json over RCON", &kTelling, &host_failure_matrix::status_as_json},
        {"unload, load again", &kTelling, &host_failure_matrix::unload_and_load_again},
    };
    return all;
  }

  static APrimalDinoCharacter* rex() { return standin::spawn_creature("Rex_Character_BP_C"); }

  std::string quiet_;
  std::string telling_;
};

TEST_P(host_failure_matrix, every_step_survives_the_name_failing_and_works_again_after) {
  write_config(kQuiet);
  load();
  quiet_ = in_force();
  apply(kTelling);
  telling_ = in_force();
  ASSERT_NE(quiet_, telling_);

  for (const Step& step : steps()) {
    SCOPED_TRACE(step.name);
    if (step.config != nullptr) apply(*step.config);
    sink_->forget();
    (this->*step.run)();
    expect_working();
  }
}

INSTANTIATE_TEST_SUITE_P(every_resolved_name, host_failure_matrix,
                         ::testing::ValuesIn(every_fault()), fault_name);

std::vector<std::string> forty_classes(const char* prefix) {
  std::vector<std::string> names;
  for (int index = 0; index < 40; ++index) {
    names.push_back(prefix + std::to_string(index) + "_Character_BP_C");
  }
  return names;
}

// As SQLite tests every allocation: the game's allocator refuses the first, then the second, ...
// allocation of a reload, until a reload meets no refusal. Each run applies the other file whole
// or changes nothing, the reply says which, and no run leaks a block.
TEST_F(host_failures_test, a_reload_refused_any_one_allocation_applies_whole_or_changes_nothing) {
  const std::array<std::string, 2> files{config_with(1699990000, forty_classes("Ash"), false),
                                         config_with(1699980000, forty_classes("Oak"), true)};
  std::array<std::string, 2> summaries;
  std::array<std::size_t, 2> blocks{};
  write_config(files[0]);
  load();
  for (const std::size_t file : {1U, 0U}) {
    write_config(files[file]);
    ASSERT_EQ(qw_test::rcon_reload().text, "Quellwarden : Reloaded config");
    summaries[file] = in_force();
    blocks[file] = standin::allocator_stats().live_blocks;
  }
  std::size_t in_force_now = 0;
  bool refusal_met = true;
  bool applied = false;
  for (std::size_t nth = 1; refusal_met; ++nth) {
    SCOPED_TRACE("allocation " + std::to_string(nth) + " refused");
    const std::size_t other = 1 - in_force_now;
    write_config(files[other]);
    standin::fail_alloc(nth);
    const standin::RconReply reply = qw_test::rcon_reload();
    refusal_met = !standin::alloc_failure_pending();
    standin::fail_alloc(0);
    applied = reply.text == "Quellwarden : Reloaded config";
    if (applied) in_force_now = other;
    EXPECT_EQ(in_force(), summaries[in_force_now]);
    // The chat command's name is kept while it is registered; an add the allocator refused lacks
    // it.
    const bool chat_missing = in_force_now == 1 && standin::chat_commands().empty();
    EXPECT_EQ(standin::allocator_stats().live_blocks,
              blocks[in_force_now] - (chat_missing ? 1 : 0));
    ASSERT_LT(nth, 2000U) << "a reload that never finishes allocating";
  }
  EXPECT_TRUE(applied) << "the last run met no refusal";
  unload();
  EXPECT_TRUE(standin::chat_commands().empty()) << "no command left behind to call into nothing";
}

// Every command the host can call survives a refused allocation anywhere in it: a reply, or a
// log line that says what failed, never an exception into the host.
TEST_F(host_failures_test, every_command_survives_a_refused_allocation) {
  write_config(kTelling);
  load();
  struct Command {
    const char* line;
    bool (*run)(std::string_view line);
  };
  const auto on_console = [](std::string_view line) {
    return standin::run_console_command(standin::player("admin"), line);
  };
  const auto over_rcon = [](std::string_view line) {
    return standin::run_rcon_command(standin::RconConnection(), 6, line);
  };
  const auto in_chat = [](std::string_view line) {
    return standin::run_chat_command(standin::player("p"), line);
  };
  const std::vector<Command> commands{
      {"Quellwarden.reload", on_console},      {"Quellwarden.status", on_console},
      {"Quellwarden.status json", on_console}, {"Quellwarden.reload", over_rcon},
      {"Quellwarden.status", over_rcon},       {"/unlocks", in_chat},
  };
  for (const Command& command : commands) {
    bool refusal_met = true;
    for (std::size_t nth = 1; refusal_met; ++nth) {
      SCOPED_TRACE(std::string(command.line) + ", allocation " + std::to_string(nth));
      sink_->forget();
      const std::size_t answers = standin::sent_messages().size() + standin::rcon_replies().size();
      standin::fail_alloc(nth);
      bool known = false;
      EXPECT_NO_THROW(known = command.run(command.line));
      EXPECT_TRUE(known);
      refusal_met = !standin::alloc_failure_pending();
      standin::fail_alloc(0);
      EXPECT_TRUE(standin::sent_messages().size() + standin::rcon_replies().size() > answers ||
                  !log_messages(spdlog::level::err).empty());
      ASSERT_LT(nth, 2000U);
    }
  }
}

// The messenger is looked up by the plugin's own file; when the system cannot name it, the reply
// is not sent to someone else's messenger but logged.
TEST_F(host_failures_test, a_reply_whose_module_cannot_be_named_is_logged) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows answers the module lookup itself";
#endif
  write_config(kRexLocked);
  load();
  standin::fail_next_module_lookup();
  EXPECT_TRUE(console(standin::player("admin"), "Quellwarden.status").empty());
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre("Quellwarden.status failed: the system cannot name the plugin's own "
                          "library file"));
}

// The load stands whatever becomes of its reply, and the log says so rather than "failed".
TEST_F(host_failures_test, a_reload_whose_reply_cannot_be_made_says_what_applied) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows answers the module lookup itself";
#endif
  remove_config();
  load();
  write_config(kRexLocked);
  sink_->forget();
  standin::fail_next_module_lookup();
  EXPECT_TRUE(console(standin::player("admin")).empty());
  EXPECT_THAT(log_messages(spdlog::level::err),
              ElementsAre("Quellwarden.reload applied the configuration, but its reply could not "
                          "be made: the system cannot name the plugin's own library file"));
  EXPECT_FALSE(tames("Rex_Character_BP_C"));
}

TEST_F(host_failures_test, blocks_the_game_would_not_take_back_show_in_the_status) {
  write_config(kRexLocked);
  load();
  standin::fail_resolve(game::free_block.name, 1);
  console(nullptr);  // the reload gives the old tables back
  EXPECT_THAT(status(),
              Contains("the game would not take back 1 blocks of memory; they were left"));
  EXPECT_EQ(status_json()["blocks_left_behind"], 1);
}

}  // namespace
