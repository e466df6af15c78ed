#include "net/address_resolve.h"

#include <cctype>

#include "text/gbk_text.h"

namespace tunelark {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Length of "scheme://" when the address starts with http:// or https://, else 0.
size_t HttpPrefixLength(const std::string& address) {
  std::string head = Lower(address.substr(0, 8));
  if (head.rfind("https://", 0) == 0) return 8;
  if (head.rfind("http://", 0) == 0) return 7;
  return 0;
}

}  // namespace

std::string LocationHeaderValue(const std::string& rawHeaders) {
  size_t pos = 0;
  while (pos < rawHeaders.size()) {
    size_t end = rawHeaders.find('\n', pos);
    if (end == std::string::npos) end = rawHeaders.size();
    std::string line = rawHeaders.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 9 && Lower(line.substr(0, 9)) == "location:") return TrimBlanks(line.substr(9));
    pos = end + 1;
  }
  return {};
}

bool IsHttpAddress(const std::string& address) {
  size_t n = HttpPrefixLength(address);
  return n != 0 && address.size() > n && address[n] != '/';
}

std::string ResolveRedirect(const std::string& base, const std::string& target) {
  if (HttpPrefixLength(target) != 0) return target;
  size_t schemeEnd = base.find("://");
  if (schemeEnd == std::string::npos) return {};
  if (target.rfind("//", 0) == 0) return base.substr(0, schemeEnd + 1) + target;
  size_t hostEnd = base.find_first_of("/?#", schemeEnd + 3);
  std::string origin = base.substr(0, hostEnd);
  if (!target.empty() && target[0] == '/') return origin + target;
  if (target.find("://") != std::string::npos) return target;  // another scheme: caller refuses it
  // Relative to the base's directory (query and fragment dropped).
  std::string path = hostEnd == std::string::npos ? "/" : base.substr(hostEnd);
  size_t cut = path.find_first_of("?#");
  if (cut != std::string::npos) path.resize(cut);
  if (path.empty() || path[0] != '/') path = "/" + path;
  return origin + path.substr(0, path.rfind('/') + 1) + target;
}

}  // namespace tunelark
