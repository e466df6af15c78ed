#!/usr/bin/env bash
# Sets up the private network of a test run. Source it inside `unshare -m -n` (as root):
#   tl_namespace_start <dir>
# Loopback comes up, the test host names resolve to 127.0.0.1 (a hosts file bind-mounted
# over /etc/hosts) and the test CA is trusted (a CA bundle bind-mounted over the system's).
# Nothing leaves loopback: the namespace has no other interface.

TL_TEST_HOSTS=(songs.test cdn.test proxy.test untrusted.test)

tl_namespace_start() {
  local dir=$1 search_host=$2
  mkdir -p "$dir"
  ip link set lo up
  bash "$(dirname "${BASH_SOURCE[0]}")/make-test-certs.sh" "$dir/tls" "$search_host" "${TL_TEST_HOSTS[@]}"
  {
    echo "127.0.0.1 localhost"
    echo "::1 localhost ip6-localhost"
    echo "127.0.0.1 $search_host ${TL_TEST_HOSTS[*]}"
  } > "$dir/hosts"
  mount --bind "$dir/hosts" /etc/hosts
  cat /etc/ssl/certs/ca-certificates.crt "$dir/tls/ca.pem" > "$dir/ca-bundle.crt"
  mount --bind "$dir/ca-bundle.crt" /etc/ssl/certs/ca-certificates.crt
  export TL_TLS_DIR="$dir/tls"
}
