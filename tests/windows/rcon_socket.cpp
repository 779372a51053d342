// Winsock is started for each client and cleaned up with it; its calls count the nesting.
#include "tests/windows/rcon_socket.h"

#include <ws2tcpip.h>

#include <stdexcept>
#include <string>

namespace qw_windows {

using quellwarden::sandbox::RconPacket;

RconSocket::RconSocket(std::uint16_t port) {
  WSADATA data{};
  if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0) {
    throw std::runtime_error("WSAStartup: error " + std::to_string(error));
  }
  socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const DWORD timeout_ms = 10000;
  ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout_ms),
               sizeof timeout_ms);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (socket_ == INVALID_SOCKET ||
      ::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = WSAGetLastError();
    closesocket(socket_);
    WSACleanup();
    throw std::runtime_error("connect to 127.0.0.1:" + std::to_string(port) + ": Winsock error " +
                             std::to_string(error));
  }
}

RconSocket::~RconSocket() {
  closesocket(socket_);
  WSACleanup();
}

bool RconSocket::send(const RconPacket& packet) {
  const std::string bytes = quellwarden::sandbox::encode_rcon_packet(packet);
  std::size_t at = 0;
  while (at < bytes.size()) {
    const int sent = ::send(socket_, bytes.data() + at, static_cast<int>(bytes.size() - at), 0);
    if (sent <= 0) {
      return false;
    }
    at += static_cast<std::size_t>(sent);
  }
  return true;
}

std::optional<RconPacket> RconSocket::receive() {
  char chunk[4096];
  for (;;) {
    if (auto packet = reader_.next()) {
      return packet;
    }
    const int got = ::recv(socket_, chunk, sizeof chunk, 0);
    if (got <= 0) {
      return std::nullopt;
    }
    reader_.feed(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace qw_windows
