// RCON over TCP against the running sandbox: a real session, then the clients a server on the
// internet meets: wrong passwords, broken frames, crowds, idle connections and clients that read
// slowly or not at all.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "tests/sandbox/rcon_client.h"
#include "tests/sandbox/sandbox_process.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace std::string_literals;
using namespace std::chrono_literals;

using quellwarden::sandbox::kRconAuth;
using quellwarden::sandbox::kRconAuthResponse;
using quellwarden::sandbox::kRconExecCommand;
using quellwarden::sandbox::kRconResponseValue;
using quellwarden::sandbox::RconPacket;
using qw_sandbox_test::kConfig;
using qw_sandbox_test::RconClient;
using qw_sandbox_test::SandboxProcess;
using qw_test::ScratchFolder;
using ::testing::ElementsAre;
using ::testing::Optional;

constexpr const char* kAdding = "11/14/23 22:13 [Quellwarden][info] Adding a Rex_Character_BP_C";
constexpr const char* kLoaded =
    "11/14/23 22:13 [Quellwarden][info] Loaded config: wipe 2023-11-14 22:13:20 UTC, 1 riding and "
    "2 taming classes, 3 held back now";
constexpr const char* kReloaded = "Quellwarden : Reloaded config";

// A size field followed by `rest`, for frames that encode_rcon_packet would never produce.
std::string frame(std::int32_t size, std::string_view rest) {
  std::string out(4, '\0');
  for (int i = 0; i < 4; ++i) {
    out[static_cast<std::size_t>(i)] =
        static_cast<char>((static_cast<std::uint32_t>(size) >> (8 * i)) & 0xFF);
  }
  out += rest;
  return out;
}

class sandbox_rcon_test : public ::testing::Test {
 protected:
  explicit sandbox_rcon_test(const std::vector<std::string>& more_options = {}) {
    workdir_.write_config(kConfig);
    std::vector<std::string> options{
        "--workdir", workdir_.server().string(), "--clock", "1700000000", "--rcon-port",
        "0",         "--rcon-password",          "secret"};
    options.insert(options.end(), more_options.begin(), more_options.end());
    sandbox_ = std::make_unique<SandboxProcess>(options);
    const std::string listening = sandbox_->wait_for("rcon listening on 127.0.0.1:");
    EXPECT_FALSE(listening.empty()) << sandbox_->errors();
    port_ = static_cast<std::uint16_t>(std::stoi(listening.substr(listening.rfind(':') + 1)));
  }

  std::unique_ptr<RconClient> authenticated_client() {
    auto client = std::make_unique<RconClient>(port_);
    EXPECT_TRUE(client->authenticate("secret"));
    return client;
  }

  // The transcript from the first line about RCON clients on, once the sandbox has ended.
  std::vector<std::string> finish() {
    sandbox_->close_input();
    EXPECT_EQ(sandbox_->wait_exit(), 0);
    auto lines = sandbox_->lines();
    // The load's log lines come first; their count depends on the configuration, not on RCON.
    const auto listening = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("rcon listening on ");
    });
    lines.erase(lines.begin(), listening == lines.end() ? listening : listening + 1);
    return lines;
  }

  ScratchFolder workdir_{"sandbox"};
  std::unique_ptr<SandboxProcess> sandbox_;
  std::uint16_t port_ = 0;
};

TEST_F(sandbox_rcon_test, an_authenticated_client_gets_each_reply_under_its_request_id) {
  RconClient client(port_);
  ASSERT_TRUE(client.send({11, kRconAuth, "secret"}));
  EXPECT_THAT(client.receive(), Optional(RconPacket{11, kRconAuthResponse, ""}));
  client.send({5, kRconExecCommand, "Quellwarden.reload"});
  EXPECT_THAT(client.receive(), Optional(RconPacket{5, kRconResponseValue, kReloaded}));
  client.send({-6, kRconExecCommand, "Nothing\nhere"});
  EXPECT_THAT(client.receive(),
              Optional(RconPacket{-6, kRconResponseValue, "unknown rcon command Nothing\nhere"}));
  // The empty RESPONSE_VALUE that marks the end of a long reply is mirrored back.
  client.send({77, kRconResponseValue, ""});
  EXPECT_THAT(client.receive(), Optional(RconPacket{77, kRconResponseValue, ""}));
  EXPECT_THAT(finish(), ElementsAre("rcon client 1 connected", "rcon client 1 authenticated",
                                    "rcon client 1 request 5: Quellwarden.reload", kAdding, kLoaded,
                                    "rcon reply 5 0: Quellwarden : Reloaded config",
                                    "rcon client 1 request -6: Nothing\\x0ahere",
                                    "unknown rcon command Nothing\\x0ahere"));
}

TEST_F(sandbox_rcon_test, a_wrong_password_is_answered_with_id_minus_one_and_closed) {
  {
    RconClient client(port_);
    client.send({3, kRconAuth, "Secret"});
    EXPECT_THAT(client.receive(), Optional(RconPacket{-1, kRconAuthResponse, ""}));
    EXPECT_TRUE(client.closed_by_server());
  }
  {
    RconClient client(port_);
    client.send({4, kRconExecCommand, "Quellwarden.reload"});
    EXPECT_EQ(client.receive(), std::nullopt);
    EXPECT_TRUE(client.closed_by_server());
  }
  sandbox_->wait_for("rcon client 2 closed");
  EXPECT_THAT(finish(),
              ElementsAre("rcon client 1 connected", "rcon client 1 closed: wrong password",
                          "rcon client 2 connected",
                          "rcon client 2 closed: command before authentication"));
}

TEST_F(sandbox_rcon_test, broken_frames_close_only_their_own_connection) {
  const auto bystander = authenticated_client();
  const std::string oversize(4097, 'x');
  for (const std::string& bytes :
       {frame(9, std::string(9, '\0')), frame(-1, ""), frame(0x7FFFFFFF, "abc"),
        frame(4107, std::string(8, '\0') + oversize + std::string(2, '\0')),
        frame(12, std::string(8, '\0') + "ab\0x"s)}) {
    const auto client = authenticated_client();
    client->send_bytes(bytes);
    EXPECT_TRUE(client->closed_by_server());
  }
  {
    RconClient truncated(port_);
    truncated.send_bytes(frame(30, "\x01\0\0\0\x03\0\0"s));
  }  // and gone before the rest arrives
  const std::string largest(4096, 'y');
  bystander->send({8, kRconExecCommand, largest});
  // The answer is longer than one packet may be, so it comes in two.
  const std::string answer = "unknown rcon command " + largest;
  EXPECT_THAT(bystander->receive(),
              Optional(RconPacket{8, kRconResponseValue, answer.substr(0, 4096)}));
  EXPECT_THAT(bystander->receive(),
              Optional(RconPacket{8, kRconResponseValue, answer.substr(4096)}));
  EXPECT_TRUE(sandbox_->wait_for_count("closed: malformed packet", 5));
  EXPECT_FALSE(sandbox_->wait_for("rcon client 7 closed: disconnected").empty());
}

TEST_F(sandbox_rcon_test, many_clients_at_once_each_get_their_own_replies) {
  constexpr int kClients = 40;
  constexpr int kRequests = 5;
  std::vector<std::thread> clients;
  std::vector<int> correct(kClients, 0);
  for (int number = 0; number < kClients; ++number) {
    clients.emplace_back([&, number] {
      RconClient client(port_);
      if (!client.authenticate("secret", number)) {
        return;
      }
      for (int request = 0; request < kRequests; ++request) {
        const std::int32_t id = number * 100 + request;
        client.send({id, kRconExecCommand, "Quellwarden.reload"});
        correct[static_cast<std::size_t>(number)] +=
            client.receive() == RconPacket{id, kRconResponseValue, kReloaded} ? 1 : 0;
      }
    });
  }
  for (auto& client : clients) {
    client.join();
  }
  EXPECT_EQ(correct, std::vector<int>(kClients, kRequests));
  EXPECT_TRUE(sandbox_->wait_for_count("closed: disconnected", kClients));
}

TEST_F(sandbox_rcon_test, connections_beyond_the_limit_are_closed_and_the_server_recovers) {
  std::vector<std::unique_ptr<RconClient>> idle;
  for (int number = 0; number < 70; ++number) {
    idle.push_back(std::make_unique<RconClient>(port_));
  }
  EXPECT_TRUE(
      sandbox_->wait_for_count("rcon refused a connection: 64 clients already connected", 6));
  EXPECT_TRUE(idle.back()->closed_by_server());
  idle.clear();
  EXPECT_TRUE(sandbox_->wait_for_count("closed: disconnected", 64));
  const auto client = authenticated_client();
  client->send({1, kRconExecCommand, "Quellwarden.reload"});
  EXPECT_THAT(client->receive(), Optional(RconPacket{1, kRconResponseValue, kReloaded}));
}

TEST_F(sandbox_rcon_test, a_client_that_stops_reading_is_served_no_further_until_it_reads) {
  // Replies of 16 MB in all, far more than the sockets' buffers hold.
  constexpr std::int32_t kRequests = 4000;
  RconClient client(port_, 15000, true);
  ASSERT_TRUE(client.authenticate("secret"));
  std::thread sender([&] {
    const std::string word(4000, 'z');
    for (std::int32_t id = 0; id < kRequests && client.send({id, kRconExecCommand, word}); ++id) {
    }
  });
  const auto requests_run = [this] {
    const auto lines = sandbox_->lines();
    return std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
      return line.starts_with("rcon client 1 request ");
    });
  };
  // The replies it has not read stop the server from running more of its requests.
  std::ptrdiff_t run = 0;
  for (std::ptrdiff_t seen = -1; run != seen;) {
    seen = run;
    std::this_thread::sleep_for(300ms);
    run = requests_run();
  }
  EXPECT_LT(run, kRequests);
  const std::size_t before = sandbox_->lines().size();
  sandbox_->send("clock");
  EXPECT_FALSE(sandbox_->wait_for("clock 1700000000", before, 10s).empty());
  std::int32_t in_order = 0;
  for (auto reply = client.receive(); reply && reply->id == in_order; reply = client.receive()) {
    if (++in_order == kRequests) {
      break;
    }
  }
  EXPECT_EQ(in_order, kRequests);
  sender.join();
}

// A status of 20,000 warnings as JSON: megabytes, in 4096-byte packets with one id.
TEST_F(sandbox_rcon_test, a_reply_of_megabytes_reaches_a_client_that_reads_it_slowly) {
  constexpr int kWarnings = 20000;
  std::string config = R"({"WipeTimestamp": 1700000000)";
  for (int number = 0; number < kWarnings; ++number) {
    config += ", \"Unknown" + std::to_string(number) + "\": 1";
  }
  workdir_.write_config(config + "}");
  RconClient client(port_, 60000, true);  // a sanitized build loads that file slowly
  ASSERT_TRUE(client.authenticate("secret"));
  client.send({5, kRconExecCommand, "Quellwarden.reload"});
  EXPECT_THAT(client.receive(), Optional(RconPacket{5, kRconResponseValue, kReloaded}));
  client.send({6, kRconExecCommand, "Quellwarden.status json"});
  client.send({7, kRconResponseValue, ""});
  std::this_thread::sleep_for(300ms);  // the whole reply is made and waits on a full socket
  std::string joined;
  for (auto packet = client.receive(); packet && packet->id == 6; packet = client.receive()) {
    joined += packet->body;
    if (joined.size() % (256 * 1024) < 4096) {
      std::this_thread::sleep_for(10ms);
    }
  }
  EXPECT_GT(joined.size(), 2'000'000U);
  EXPECT_TRUE(joined.starts_with(R"({"version":)") && joined.ends_with("}}")) << joined.size();
  std::size_t warnings = 0;
  for (auto at = joined.find("unknown_member"); at != std::string::npos;
       at = joined.find("unknown_member", at + 1)) {
    ++warnings;
  }
  EXPECT_EQ(warnings, static_cast<std::size_t>(kWarnings));
}

TEST_F(sandbox_rcon_test, end_of_input_ends_the_sandbox_with_clients_still_connected) {
  const auto client = authenticated_client();
  sandbox_->close_input();
  EXPECT_EQ(sandbox_->wait_exit(), 0);
  EXPECT_TRUE(client->closed_by_server());
}

class sandbox_rcon_auth_timeout_test : public sandbox_rcon_test {
 protected:
  sandbox_rcon_auth_timeout_test() : sandbox_rcon_test({"--rcon-auth-timeout", "1"}) {}
};

TEST_F(sandbox_rcon_auth_timeout_test, connections_left_idle_without_the_password_are_closed) {
  const auto early = authenticated_client();
  std::vector<std::unique_ptr<RconClient>> idle;
  for (int number = 0; number < 63; ++number) {
    idle.push_back(std::make_unique<RconClient>(port_));
  }
  EXPECT_TRUE(
      sandbox_->wait_for_count("rcon client ", 64 + 1));   // each connected, one authenticated
  EXPECT_FALSE(RconClient(port_).authenticate("secret"));  // every place is taken
  EXPECT_TRUE(sandbox_->wait_for_count("closed: not authenticated within 1 s", 63, 0, 5s));
  EXPECT_TRUE(idle.back()->closed_by_server());
  const auto late = authenticated_client();
  for (const auto& client : {early.get(), late.get()}) {
    client->send({1, kRconExecCommand, "Quellwarden.reload"});
    EXPECT_THAT(client->receive(), Optional(RconPacket{1, kRconResponseValue, kReloaded}));
  }
}

}  // namespace
