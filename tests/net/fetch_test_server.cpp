#include "fetch_test_server.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fetchtest {
namespace {

class Socket {
 public:
  Socket() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (started_) s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  }
  ~Socket() {
    if (s_ != INVALID_SOCKET) closesocket(s_);
    if (started_) WSACleanup();
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const { return s_; }

 private:
  bool started_ = false;
  SOCKET s_ = INVALID_SOCKET;
};

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// One HTTP/1.0 exchange with the control endpoint; returns the reply body.
bool Control(const std::string& method, const std::string& target, const std::string& body, std::string& replyBody) {
  Socket s;
  sockaddr_in address = Loopback(ServerPorts().http);
  if (s.get() == INVALID_SOCKET || connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
    return false;
  std::string request = method + " " + target +
                        " HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
                        body;
  size_t sent = 0;
  while (sent < request.size()) {
    int n = send(s.get(), request.data() + sent, static_cast<int>(request.size() - sent), 0);
    if (n <= 0) return false;
    sent += n;
  }
  std::string reply;
  char buffer[65536];
  for (;;) {
    int n = recv(s.get(), buffer, sizeof buffer, 0);
    if (n <= 0) break;
    reply.append(buffer, n);
  }
  size_t end = reply.find("\r\n\r\n");
  if (end == std::string::npos || reply.compare(0, 12, "HTTP/1.1 200") != 0) return false;
  replyBody = reply.substr(end + 4);
  return true;
}

std::string Encode(const std::string& text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

bool SameNoCase(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

const Ports& ServerPorts() {
  static const Ports ports = [] {
    Ports p;
    char value[128] = {};
    if (GetEnvironmentVariableA("TL_FETCH_PORTS", value, sizeof value))
      sscanf(value, "%d %d %d", &p.http, &p.https, &p.untrusted);
    return p;
  }();
  return ports;
}

std::string HttpUrl(const std::string& path, const std::string& host) {
  return "http://" + host + ":" + std::to_string(ServerPorts().http) + path;
}
std::string HttpsUrl(const std::string& path, const std::string& host) {
  return "https://" + host + ":" + std::to_string(ServerPorts().https) + path;
}
std::string UntrustedUrl(const std::string& path) {
  return "https://untrusted.test:" + std::to_string(ServerPorts().untrusted) + path;
}

bool Script(const std::string& path, const std::string& rawReply, const ScriptOptions& options) {
  std::string target = "/_control/script?path=" + Encode(path);
  if (options.delayMs > 0) target += "&delay_ms=" + std::to_string(options.delayMs);
  if (options.hang) target += "&hang=1";
  if (options.cutAfter >= 0) target += "&cut_after=" + std::to_string(options.cutAfter);
  std::string ignored;
  return Control("POST", target, rawReply, ignored);
}

std::string Reply(const std::string& status, const std::vector<std::string>& headerLines, const std::string& body,
                  bool withLength) {
  std::string reply = "HTTP/1.1 " + status + "\r\n";
  for (const std::string& line : headerLines) reply += line + "\r\n";
  if (withLength) reply += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  return reply + "\r\n" + body;
}

std::vector<std::string> Request::Names() const {
  std::vector<std::string> names;
  for (const std::string& line : headers) names.push_back(line.substr(0, line.find(':')));
  return names;
}

std::string Request::Header(const std::string& name) const {
  for (const std::string& line : headers) {
    size_t colon = line.find(':');
    if (colon != std::string::npos && SameNoCase(line.substr(0, colon), name)) {
      size_t start = line.find_first_not_of(' ', colon + 1);
      return start == std::string::npos ? std::string() : line.substr(start);
    }
  }
  return {};
}

int Request::Count(const std::string& name) const {
  int n = 0;
  for (const std::string& line : headers) {
    size_t colon = line.find(':');
    if (colon != std::string::npos && SameNoCase(line.substr(0, colon), name)) ++n;
  }
  return n;
}

std::vector<Request> Requests(const std::string& path) {
  std::vector<Request> requests;
  std::string framed;
  if (!Control("GET", "/_control/requests?path=" + Encode(path), "", framed)) return requests;
  size_t at = 0;
  while (at < framed.size()) {
    size_t newline = framed.find('\n', at);
    if (newline == std::string::npos) break;
    size_t length = strtoul(framed.substr(at, newline - at).c_str(), nullptr, 10);
    Request r;
    r.raw = framed.substr(newline + 1, length);
    at = newline + 1 + length;
    size_t headEnd = r.raw.find("\r\n\r\n");
    std::string head = r.raw.substr(0, headEnd);
    r.body = headEnd == std::string::npos ? std::string() : r.raw.substr(headEnd + 4);
    size_t lineEnd = head.find("\r\n");
    r.line = head.substr(0, lineEnd);
    while (lineEnd != std::string::npos) {
      size_t next = head.find("\r\n", lineEnd + 2);
      r.headers.push_back(head.substr(lineEnd + 2, next == std::string::npos ? std::string::npos : next - lineEnd - 2));
      lineEnd = next;
    }
    requests.push_back(r);
  }
  return requests;
}

int ClosedPort() {
  Socket s;
  sockaddr_in address = Loopback(0);
  if (bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 9;
  int size = sizeof address;
  getsockname(s.get(), reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);  // closed again when s goes
}

}  // namespace fetchtest
