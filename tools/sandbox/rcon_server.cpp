// The listener and the network thread. Connections beyond a fixed number are closed at once, so
// a flood of clients costs the server nothing but the accepts.
#include "tools/sandbox/rcon_server.h"

#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <chrono>
#include <thread>

#include "tools/sandbox/rcon_session.h"

namespace quellwarden::sandbox {
namespace {

constexpr int kMaxClients = 64;

}  // namespace

struct RconServer::Impl {
  // Declared first so that it outlives the sessions that the io_context still holds.
  RconSessionShared shared;
  asio::io_context io;
  asio::executor_work_guard<asio::io_context::executor_type> keep_running{io.get_executor()};
  asio::ip::tcp::acceptor acceptor{io};
  asio::steady_timer retry{io};
  std::uint16_t port = 0;
  int clients_seen = 0;
  std::thread thread;

  Impl(const RconServerSettings& settings, RconGameSide game)
      : shared{settings.password, settings.auth_timeout, std::move(game)} {
    const asio::ip::tcp::endpoint endpoint(asio::ip::make_address(settings.address), settings.port);
    acceptor.open(endpoint.protocol());
    acceptor.set_option(asio::ip::tcp::acceptor::reuse_address(true));
    acceptor.bind(endpoint);
    acceptor.listen();
    port = acceptor.local_endpoint().port();
    accept();
    thread = std::thread([this] { io.run(); });
  }

  void accept() {
    acceptor.async_accept([this](const std::error_code& error, asio::ip::tcp::socket socket) {
      if (error == asio::error::operation_aborted) {
        return;
      }
      if (error) {
        // Out of descriptors, most likely: wait a little instead of spinning on the error.
        retry.expires_after(std::chrono::milliseconds(100));
        retry.async_wait([this](const std::error_code& waited) {
          if (!waited) {
            accept();
          }
        });
        return;
      }
      admit(std::move(socket));
      accept();
    });
  }

  void admit(asio::ip::tcp::socket socket) {
    if (shared.live_sessions >= kMaxClients) {
      std::error_code ignored;
      socket.close(ignored);
      shared.note("rcon refused a connection: " + std::to_string(kMaxClients) +
                  " clients already connected");
      return;
    }
    std::make_shared<RconSession>(std::move(socket), shared, ++clients_seen)->start();
  }
};

RconServer::RconServer(const RconServerSettings& settings, RconGameSide game)
    : impl_(std::make_unique<Impl>(settings, std::move(game))) {}

RconServer::~RconServer() {
  impl_->io.stop();
  impl_->thread.join();
}

std::uint16_t RconServer::port() const { return impl_->port; }

}  // namespace quellwarden::sandbox
