#include "loopback_server.h"

#include <algorithm>

namespace looptest {

bool Reply::Send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const int n = send(s_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

bool Reply::SendWhole(const std::string& status, const std::string& body, const std::vector<std::string>& headers) {
  std::string head = "HTTP/1.1 " + status + "\r\n";
  for (const std::string& line : headers) head += line + "\r\n";
  head += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  return Send(head + body);
}

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 64) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  closesocket(listener_);
  if (acceptor_.joinable()) acceptor_.join();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (SOCKET client : clients_) shutdown(client, SD_BOTH);
  }
  for (std::thread& t : servers_) t.join();
  WSACleanup();
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

int LoopbackServer::Requests(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = requests_.find(path);
  return found == requests_.end() ? 0 : found->second;
}

void LoopbackServer::AcceptLoop() {
  for (;;) {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET || stopping_) {
      if (client != INVALID_SOCKET) closesocket(client);
      return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    clients_.push_back(client);
    servers_.emplace_back([this, client] { Serve(client); });
  }
}

void LoopbackServer::Serve(SOCKET client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  const size_t start = request.find(' ') + 1;
  const std::string path = start == 0 ? "" : request.substr(start, request.find(' ', start) - start);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_[path];
  }
  Reply reply(client);
  handler_(path, reply);
  shutdown(client, SD_SEND);
  while (recv(client, buffer, sizeof buffer, 0) > 0) {
  }
  std::lock_guard<std::mutex> lock(mutex_);
  clients_.erase(std::find(clients_.begin(), clients_.end(), client));
  closesocket(client);
}

}  // namespace looptest
