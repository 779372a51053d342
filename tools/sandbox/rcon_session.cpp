// The limits here are what keeps a hostile or broken client from hurting the server: a bad frame,
// a command before the password or no password in time closes the connection, and a client is
// served no faster than it reads its replies and no faster than the game thread works them off.
// A reply is always sent whole, however long: the game has made it already.
#include "tools/sandbox/rcon_session.h"

#include <asio/post.hpp>
#include <asio/write.hpp>

namespace quellwarden::sandbox {
namespace {

constexpr std::size_t kMaxUnsentBytes = 256 * 1024;
constexpr std::size_t kMaxWaitingRequests = 16;

// A reply too long for one packet goes out as several with the same id, as game servers do.
std::string encode_reply(const RconPacket& reply) {
  std::string bytes;
  std::size_t at = 0;
  do {
    bytes += encode_rcon_packet({reply.id, reply.type, reply.body.substr(at, kRconMaxBody)});
    at += kRconMaxBody;
  } while (at < reply.body.size());
  return bytes;
}

}  // namespace

void RconSessionShared::note(std::string line) const {
  game.post([note = game.note, line = std::move(line)] { note(line); });
}

RconSession::RconSession(asio::ip::tcp::socket socket, RconSessionShared& shared, int number)
    : socket_(std::move(socket)),
      shared_(shared),
      number_(number),
      paused_(socket_.get_executor(), asio::steady_timer::time_point::max()),
      password_deadline_(socket_.get_executor()) {
  ++shared_.live_sessions;
}

RconSession::~RconSession() { --shared_.live_sessions; }

void RconSession::start() {
  shared_.note("rcon client " + std::to_string(number_) + " connected");
  expect_password_in_time();
  read();
}

void RconSession::expect_password_in_time() {
  password_deadline_.expires_after(shared_.auth_timeout);
  password_deadline_.async_wait([self = shared_from_this()](const std::error_code& error) {
    if (!error && !self->authenticated_) {
      self->close("not authenticated within " + std::to_string(self->shared_.auth_timeout.count()) +
                  " s");
    }
  });
}

void RconSession::read() {
  socket_.async_read_some(
      asio::buffer(incoming_),
      [self = shared_from_this()](const std::error_code& error, std::size_t size) {
        self->on_read(error, size);
      });
}

void RconSession::on_read(const std::error_code& error, std::size_t size) {
  if (closed_ || !closing_reason_.empty()) {
    return;
  }
  if (error) {
    close("disconnected");
    return;
  }
  reader_.feed(incoming_.data(), size);
  while (auto packet = reader_.next()) {
    handle(std::move(*packet));
    if (closed_ || !closing_reason_.empty()) {
      return;
    }
  }
  if (reader_.malformed()) {
    close("malformed packet");
  } else if (waiting_.size() >= kMaxWaitingRequests) {
    pause_reading();
  } else {
    read();
  }
}

void RconSession::handle(RconPacket packet) {
  if (packet.type == kRconAuth) {
    authenticate(packet);
  } else if (!authenticated_) {
    close("command before authentication");
  } else if (packet.type == kRconExecCommand || packet.type == kRconResponseValue) {
    waiting_.push_back(std::move(packet));
    pass_next_to_game();
  }
  // Other types from an authenticated client mean nothing here and are ignored.
}

void RconSession::authenticate(const RconPacket& packet) {
  // Only the AUTH_RESPONSE is sent, without the empty RESPONSE_VALUE before it: clients that
  // take the first packet after the password as the verdict would read that one as success.
  if (packet.body == shared_.password) {
    authenticated_ = true;
    password_deadline_.cancel();
    send({packet.id, kRconAuthResponse, ""});
    shared_.note("rcon client " + std::to_string(number_) + " authenticated");
  } else {
    authenticated_ = false;
    send({-1, kRconAuthResponse, ""});
    close_after_writing("wrong password");
  }
}

void RconSession::pass_next_to_game() {
  if (at_game_ || waiting_.empty() || unsent_bytes_ > kMaxUnsentBytes || closed_ ||
      !closing_reason_.empty()) {
    return;
  }
  at_game_ = true;
  RconPacket next = std::move(waiting_.front());
  waiting_.pop_front();
  forward_to_game(std::move(next));
}

// Even the empty RESPONSE_VALUE that clients send to mark the end of a long reply goes through
// the game thread: its echo must come after the replies to everything sent before it.
void RconSession::forward_to_game(RconPacket packet) {
  const std::weak_ptr<RconSession> weak = weak_from_this();
  const auto executor = socket_.get_executor();
  RconGameSide::Reply reply = [weak, executor](const RconPacket& answer) {
    asio::post(executor, [weak, bytes = encode_reply(answer)]() mutable {
      if (const auto self = weak.lock()) {
        self->queue(std::move(bytes));
      }
    });
  };
  shared_.game.post([run = shared_.game.run, number = number_, packet = std::move(packet),
                     reply = std::move(reply), weak, executor] {
    if (packet.type == kRconResponseValue) {
      reply({packet.id, kRconResponseValue, ""});
    } else {
      run(number, packet, reply);
    }
    asio::post(executor, [weak] {
      if (const auto self = weak.lock()) {
        self->request_done();
      }
    });
  });
}

void RconSession::pause_reading() {
  reading_paused_ = true;
  paused_.async_wait([self = shared_from_this()](const std::error_code&) {});
}

void RconSession::request_done() {
  at_game_ = false;
  pass_next_to_game();
  read_again_when_room();
}

void RconSession::read_again_when_room() {
  if (reading_paused_ && waiting_.size() < kMaxWaitingRequests && !closed_ &&
      closing_reason_.empty()) {
    reading_paused_ = false;
    read();
    paused_.cancel();
  }
}

void RconSession::send(const RconPacket& packet) { queue(encode_rcon_packet(packet)); }

void RconSession::queue(std::string bytes) {
  if (closed_) {
    return;
  }
  unsent_bytes_ += bytes.size();
  outbox_.push_back(std::move(bytes));
  if (!writing_) {
    write_next();
  }
}

void RconSession::write_next() {
  writing_ = true;
  asio::async_write(socket_, asio::buffer(outbox_.front()),
                    [self = shared_from_this()](const std::error_code& error, std::size_t) {
                      if (self->closed_) {
                        return;
                      }
                      if (error) {
                        self->close("disconnected");
                        return;
                      }
                      self->unsent_bytes_ -= self->outbox_.front().size();
                      self->outbox_.pop_front();
                      self->pass_next_to_game();
                      self->read_again_when_room();
                      if (!self->outbox_.empty()) {
                        self->write_next();
                        return;
                      }
                      self->writing_ = false;
                      if (!self->closing_reason_.empty()) {
                        self->close(self->closing_reason_);
                      }
                    });
}

void RconSession::close_after_writing(const std::string& reason) {
  closing_reason_ = reason;
  if (!writing_) {
    close(reason);
  }
}

void RconSession::close(const std::string& reason) {
  if (closed_) {
    return;
  }
  closed_ = true;
  std::error_code ignored;
  socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
  socket_.close(ignored);
  paused_.cancel();
  password_deadline_.cancel();
  outbox_.clear();
  waiting_.clear();
  unsent_bytes_ = 0;
  shared_.note("rcon client " + std::to_string(number_) + " closed: " + reason);
}

}  // namespace quellwarden::sandbox
