// A small HTTP server inside the test process, on a free loopback port, for tests that need
// to time a reply exactly (send part of a body, wait for the test, send the rest) or to
// serve many requests fast. Each connection is answered on a thread of its own by the
// handler, which gets the request's path and writes the raw reply through the Reply.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace looptest {

class Reply {
 public:
  explicit Reply(SOCKET s) : s_(s) {}
  // False once the client has gone.
  bool Send(const std::string& bytes);
  // A whole reply: status line, the header lines, Content-Length and the body.
  bool SendWhole(const std::string& status, const std::string& body, const std::vector<std::string>& headers = {});

 private:
  SOCKET s_;
};

class LoopbackServer {
 public:
  using Handler = std::function<void(const std::string& path, Reply& reply)>;
  explicit LoopbackServer(Handler handler);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" + path.
  std::string Url(const std::string& path) const;
  // How many requests for path have arrived.
  int Requests(const std::string& path) const;

 private:
  void AcceptLoop();
  void Serve(SOCKET client);

  Handler handler_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  mutable std::mutex mutex_;
  std::vector<std::thread> servers_;
  std::vector<SOCKET> clients_;
  std::map<std::string, int> requests_;
};

}  // namespace looptest
