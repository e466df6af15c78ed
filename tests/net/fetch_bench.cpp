// Throughput of WinInetFetch and WinHttpFetch on bodies of 5 MiB and 64 MiB from the loopback
// test server, printed next to curl's figure for the same body in the same run (measured by
// tests/net/fetch_bench.sh and handed over in TL_CURL_MBPS as "<bytes>=<MB/s> ..."). For the
// 5 MiB body a plain WinINet loop of 1 KiB reads is measured as well, against which the
// routine's block reads are compared.
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "../net/fetch_test_server.h"
#include "net/winhttp_fetch.h"
#include "net/wininet_fetch.h"
#include "tests/support/stopwatch.h"

namespace {

using tltest::Seconds;

std::map<long, double> CurlFigures() {
  std::map<long, double> figures;
  char value[512] = {};
  if (!GetEnvironmentVariableA("TL_CURL_MBPS", value, sizeof value)) return figures;
  char* p = value;
  while (*p) {
    char* end = nullptr;
    long size = strtol(p, &end, 10);
    if (end == p || *end != '=') break;
    figures[size] = strtod(end + 1, &p);
    while (*p == ' ') ++p;
  }
  return figures;
}

// Best of `runs`: MB/s (10^6 bytes per second), or 0 when a body came back short.
template <typename Fetch>
double Measure(Fetch fetch, long size, int runs) {
  double best = 0;
  for (int i = 0; i < runs; ++i) {
    double start = Seconds();
    size_t got = fetch();
    double elapsed = Seconds() - start;
    if (got != static_cast<size_t>(size)) return 0;
    best = std::max(best, size / elapsed / 1e6);
  }
  return best;
}

// The whole body through WinINet in 1 KiB reads.
size_t SmallReads(const std::string& address) {
  size_t total = 0;
  HINTERNET root = InternetOpenA("bench", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!root) return 0;
  HINTERNET url =
      InternetOpenUrlA(root, address.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  if (url) {
    char buffer[1024];
    DWORD read = 0;
    while (InternetReadFile(url, buffer, sizeof buffer, &read) && read > 0) total += read;
    InternetCloseHandle(url);
  }
  InternetCloseHandle(root);
  return total;
}

}  // namespace

int main() {
  using namespace tunelark;
  if (fetchtest::ServerPorts().http == 0) {
    fprintf(stderr, "fetch_bench: TL_FETCH_PORTS is not set (run tests/net/fetch_bench.sh)\n");
    return 2;
  }
  const std::map<long, double> curl = CurlFigures();
  printf("%-10s %-14s %10s %10s %12s\n", "body", "client", "MB/s", "curl MB/s", "vs curl");
  for (long size : {5L * 1024 * 1024, 64L * 1024 * 1024}) {
    const std::string address = fetchtest::HttpUrl("/_bytes/" + std::to_string(size), "127.0.0.1");
    const int runs = size > 10 * 1024 * 1024 ? 2 : 4;
    const double inet = Measure([&] { return WinInetFetch(address).size(); }, size, runs);
    const double http = Measure(
        [&] {
          ByteArray body;
          WinHttpOptions options;
          options.body = &body;
          WinHttpFetch(address, options);
          return body.size();
        },
        size, runs);
    auto found = curl.find(size);
    const double base = found == curl.end() ? 0 : found->second;
    const char* label = size > 10 * 1024 * 1024 ? "64 MiB" : "5 MiB";
    if (size < 10 * 1024 * 1024) {
      const double small = Measure([&] { return SmallReads(address); }, size, 2);
      printf("%-10s %-14s %10.1f   (WinInetFetch's 256 KiB reads: %.1fx faster)\n", label, "1 KiB reads", small,
             small > 0 ? inet / small : 0.0);
    }
    for (auto [name, figure] : {std::pair{"WinInetFetch", inet}, std::pair{"WinHttpFetch", http}}) {
      if (base > 0)
        printf("%-10s %-14s %10.1f %10.1f %11.3fx\n", label, name, figure, base, figure / base);
      else
        printf("%-10s %-14s %10.1f %10s %12s\n", label, name, figure, "-", "-");
    }
  }
  return 0;
}
