// The test side of tests/servers/fetch_server.py: its ports (TL_FETCH_PORTS), scripting the
// reply of a path and reading back the requests it recorded, through its control endpoint
// over a plain Winsock connection (so the routines under test are not used to test them).
#pragma once
#include <string>
#include <vector>

namespace fetchtest {

struct Ports {
  int http = 0, https = 0, untrusted = 0;
};
// The server's ports; all 0 when TL_FETCH_PORTS is missing.
const Ports& ServerPorts();

std::string HttpUrl(const std::string& path, const std::string& host = "songs.test");
std::string HttpsUrl(const std::string& path, const std::string& host = "songs.test");
std::string UntrustedUrl(const std::string& path);

struct ScriptOptions {
  int delayMs = 0;    // wait before answering
  bool hang = false;  // never answer
  int cutAfter = -1;  // send only this many bytes of the reply, then close
};
// The raw reply the server sends for every request of path.
bool Script(const std::string& path, const std::string& rawReply, const ScriptOptions& options = {});

// A raw reply: "HTTP/1.1 " + status, the header lines in order, Content-Length (unless
// withLength is false), a blank line and the body.
std::string Reply(const std::string& status, const std::vector<std::string>& headerLines, const std::string& body,
                  bool withLength = true);

struct Request {
  std::string raw;
  std::string line;                  // request line
  std::vector<std::string> headers;  // header lines in order, as sent
  std::string body;

  std::vector<std::string> Names() const;             // header names in order
  std::string Header(const std::string& name) const;  // first value (name without case), "" when none
  int Count(const std::string& name) const;
};
// Requests the server received for path, in order.
std::vector<Request> Requests(const std::string& path);

// A free loopback port on which nothing listens.
int ClosedPort();

}  // namespace fetchtest
