// One RCON client connection, living on the network thread: frames what the client sends, checks
// the password, hands commands to the game thread and writes back whatever the game replies.
#pragma once

#include <array>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <chrono>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>

#include "tools/sandbox/rcon_protocol.h"
#include "tools/sandbox/rcon_server.h"

namespace quellwarden::sandbox {

// Owned by the server and outliving every session.
struct RconSessionShared {
  std::string password;
  std::chrono::seconds auth_timeout;
  RconGameSide game;
  int live_sessions = 0;

  // Queues a transcript line for the game thread, so it lands in order with everything else.
  void note(std::string line) const;
};

class RconSession : public std::enable_shared_from_this<RconSession> {
 public:
  RconSession(asio::ip::tcp::socket socket, RconSessionShared& shared, int number);
  RconSession(const RconSession&) = delete;
  RconSession& operator=(const RconSession&) = delete;
  ~RconSession();

  void start();

 private:
  void read();
  void on_read(const std::error_code& error, std::size_t size);
  void handle(RconPacket packet);
  void authenticate(const RconPacket& packet);
  void expect_password_in_time();
  void pass_next_to_game();
  void forward_to_game(RconPacket packet);
  void pause_reading();
  void request_done();
  void read_again_when_room();

  void send(const RconPacket& packet);
  void queue(std::string bytes);
  void write_next();
  void close(const std::string& reason);
  void close_after_writing(const std::string& reason);

  asio::ip::tcp::socket socket_;
  RconSessionShared& shared_;
  const int number_;
  // Waits, never expiring, while reading is paused: a pending wait keeps the session alive, as
  // a pending read would, and io_context shutdown still releases it.
  asio::steady_timer paused_;
  asio::steady_timer password_deadline_;
  std::array<char, 4096> incoming_{};
  RconPacketReader reader_;
  // Requests read but not yet passed on: one at a time goes to the game, and only while the
  // client has read its earlier replies, so a client that stops reading stops being served
  // instead of piling up replies.
  std::deque<RconPacket> waiting_;
  bool at_game_ = false;
  std::deque<std::string> outbox_;
  std::size_t unsent_bytes_ = 0;
  bool writing_ = false;
  bool reading_paused_ = false;
  bool authenticated_ = false;
  bool closed_ = false;
  std::string closing_reason_;  // set: close once everything queued is written
};

}  // namespace quellwarden::sandbox
