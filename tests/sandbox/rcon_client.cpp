// Plain POSIX sockets, with receive and send timeouts so that no test can hang on the network.
#include "tests/sandbox/rcon_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace qw_sandbox_test {

using quellwarden::sandbox::RconPacket;

RconClient::RconClient(std::uint16_t port, int timeout_ms, bool small_receive_buffer) {
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
  }
  const timeval timeout{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
  ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  if (small_receive_buffer) {
    const int size = 4096;
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    ::close(fd_);
    throw std::runtime_error(std::string("connect: ") + std::strerror(error));
  }
}

RconClient::~RconClient() { ::close(fd_); }

bool RconClient::send_bytes(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool RconClient::send(const RconPacket& packet) {
  return send_bytes(quellwarden::sandbox::encode_rcon_packet(packet));
}

long RconClient::read_some(char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = ::recv(fd_, data, size, 0);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    return got < 0 ? -1 : static_cast<long>(got);
  }
}

std::optional<RconPacket> RconClient::receive() {
  std::array<char, 8192> chunk{};
  for (;;) {
    if (auto packet = reader_.next()) {
      return packet;
    }
    const long got = read_some(chunk.data(), chunk.size());
    if (got <= 0) {
      return std::nullopt;
    }
    reader_.feed(chunk.data(), static_cast<std::size_t>(got));
  }
}

bool RconClient::closed_by_server() {
  std::array<char, 8192> chunk{};
  for (;;) {
    const long got = read_some(chunk.data(), chunk.size());
    if (got == 0) {
      return true;
    }
    if (got < 0) {
      return errno == ECONNRESET;
    }
  }
}

bool RconClient::authenticate(std::string_view password, std::int32_t id) {
  if (!send({id, quellwarden::sandbox::kRconAuth, std::string(password)})) {
    return false;
  }
  const auto verdict = receive();
  return verdict && verdict->type == quellwarden::sandbox::kRconAuthResponse && verdict->id == id;
}

}  // namespace qw_sandbox_test
