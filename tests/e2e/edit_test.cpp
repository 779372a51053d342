// The admin's edit commands end to end: config.json rewritten in place of the admin, reloaded, the
// change told on the channel it came from and logged; and every case in which nothing is written.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/config_text.h"
#include "tests/support/gate_outcome.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/rcon_reload.h"

namespace {

using qw_test::kWipe;
using qw_test::tames;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kConfig = qw_test::config_text({}, {{"Rex_Character_BP_C", 24}});

class edit_test : public qw_test::PluginTest {
 public:
  // For the cases below, which set the scene.
  using PluginTest::console;
  using PluginTest::load;
  using PluginTest::unload;
  using PluginTest::write_config;

 protected:
  void SetUp() override {
    PluginTest::SetUp();
    standin::freeze_clock(kWipe);
    write_config(kConfig);
    load();
    sink_->forget();
  }

  std::string config_on_disk() const {
    std::ifstream in(config_folder() / "config.json", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  std::string console_reply(const std::string& line) {
    const auto replies = console(standin::player("admin"), line);
    return replies.empty() ? std::string() : replies.front().text;
  }
};

TEST_F(edit_test, delay_rewrites_the_value_reloads_and_logs_its_channel) {
  const auto replies = console(standin::player("admin"), "Quellwarden.delay Rex_Character_BP_C 36");
  ASSERT_EQ(replies.size(), 1U);
  EXPECT_EQ(replies[0].text,
            "DisallowRiding Rex_Character_BP_C added (HoursToDelay 36), DisallowTaming "
            "Rex_Character_BP_C HoursToDelay 24 -> 36; 2 held back now");
  EXPECT_EQ(replies[0].colour.G, 1.0F);
  std::string expected = kConfig;
  expected.replace(expected.find("24"), 2, "36");
  expected.insert(expected.size() - 2,
                  ", \"DisallowRiding\": {\"Rex_Character_BP_C\": {\"HoursToDelay\": 36}}");
  EXPECT_EQ(config_on_disk(), expected);
  EXPECT_THAT(log_messages(spdlog::level::info),
              ::testing::IsSupersetOf(
                  {"Quellwarden.delay (console): DisallowRiding Rex_Character_BP_C added "
                   "(HoursToDelay 36)",
                   "Quellwarden.delay (console): DisallowTaming Rex_Character_BP_C HoursToDelay "
                   "24 -> 36"}));
  standin::freeze_clock(kWipe + 35 * 3600);
  EXPECT_FALSE(tames("Rex_Character_BP_C")) << "the reload applied the new hours";
}

TEST_F(edit_test, rcon_setwipe_answers_the_request_and_logs_rcon) {
  const standin::RconReply reply = qw_test::rcon_reload(9, "Quellwarden.setwipe 1699996400");
  EXPECT_EQ(reply.id, 9);
  EXPECT_EQ(reply.text, "WipeTimestamp 1700000000 -> 1699996400; 1 held back now");
  EXPECT_THAT(log_messages(spdlog::level::info),
              ::testing::Contains("Quellwarden.setwipe (RCON): WipeTimestamp 1700000000 -> "
                                  "1699996400"));
}

struct Unwritten {
  const char* what;
  void (*prepare)(edit_test&);
  const char* reply;
};

class edit_refused_test : public edit_test, public ::testing::WithParamInterface<Unwritten> {};

TEST_P(edit_refused_test, writes_nothing_and_says_why) {
  GetParam().prepare(*this);
  const std::string before = config_on_disk();
  EXPECT_THAT(console_reply("Quellwarden.delay Rex_Character_BP_C 1"), HasSubstr(GetParam().reply))
      << GetParam().what;
  EXPECT_EQ(config_on_disk(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, edit_refused_test,
    ::testing::Values(Unwritten{"a reload failed since, though the file was mended",
                                [](edit_test& test) {
                                  test.write_config("{");
                                  test.console(nullptr);
                                  test.write_config(kConfig);
                                },
                                "nothing written: the last reload of config.json failed"},
                      Unwritten{"an edit on disk not reloaded",
                                [](edit_test& test) { test.write_config(kConfig + " "); },
                                "nothing written: config.json has changed since it was loaded"},
                      Unwritten{"the last good copy applied at start",
                                [](edit_test& test) {
                                  test.unload();
                                  test.write_config("{");
                                  test.load();
                                },
                                "nothing written: the last good copy is in force"},
                      Unwritten{"a start that applied only what reads of config.json",
                                [](edit_test& test) {
                                  test.unload();
                                  test.write_config(R"({"WipeTimestamp": 1700000000,
                                      "DinoSettings": {"DisallowTaming": {
                                      "Rex_Character_BP_C": {"HoursToDelay": 24},
                                      "Dodo_Character_BP_C": {"HoursToDelay": "72"}}}})");
                                  test.load();
                                },
                                "only what reads of it is in force"}));

// An admin who keeps config.json as a link to a file elsewhere keeps the link.
TEST_F(edit_test, an_edit_through_a_link_changes_the_file_it_leads_to) {
  const std::filesystem::path real = config_folder() / "real.json";
  std::filesystem::rename(config_folder() / "config.json", real);
  std::error_code no_links;
  std::filesystem::create_symlink("real.json", config_folder() / "config.json", no_links);
  if (no_links) GTEST_SKIP() << "this system makes no links: " << no_links.message();
  EXPECT_EQ(console_reply("Quellwarden.setwipe 1699996400"),
            "WipeTimestamp 1700000000 -> 1699996400; 1 held back now");
  EXPECT_TRUE(std::filesystem::is_symlink(config_folder() / "config.json"));
  EXPECT_NE(config_on_disk().find("1699996400"), std::string::npos);
}

}  // namespace
