// Redirect handling for file downloads: finding the Location header in raw reply headers
// wherever it stands, resolving it against the address that answered, and the scheme check.
#pragma once
#include <string>

namespace tunelark {

// Value of the first "Location:" line (name compared without case), blanks trimmed;
// empty when there is none.
std::string LocationHeaderValue(const std::string& rawHeaders);

// Resolves a redirect target against the address that answered it: absolute addresses
// stay, "//host/x" takes the base's scheme, "/x" the base's scheme and host, and other
// relative forms are taken relative to the base's path. Empty when base is not absolute.
std::string ResolveRedirect(const std::string& base, const std::string& target);

// True for "http://" and "https://" addresses (scheme compared without case) with a host.
bool IsHttpAddress(const std::string& address);

}  // namespace tunelark
