#!/usr/bin/env bash
# Makes the test certificate authority and the loopback servers' certificates:
#   <dir>/ca.pem, ca.key              trusted test CA (added to the CA bundle of the test namespace)
#   <dir>/server.pem, server.key      for every test host name (issued by the test CA)
#   <dir>/untrusted-ca.pem, untrusted.pem, untrusted.key   issued by a CA nobody trusts
# Usage: make-test-certs.sh <dir> <host>...
set -euo pipefail
dir=$1; shift
mkdir -p "$dir"
[ -f "$dir/server.pem" ] && [ -f "$dir/hosts.txt" ] && [ "$(cat "$dir/hosts.txt")" = "$*" ] && exit 0
cd "$dir"
san="DNS:localhost,IP:127.0.0.1"
for h in "$@"; do san="$san,DNS:$h"; done

make_ca() {  # name subject
  openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -sha256 -keyout "$1.key" -out "$1.pem" \
    -subj "/CN=$2" -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
}
issue() {  # ca name
  openssl req -newkey rsa:2048 -nodes -keyout "$2.key" -out "$2.csr" -subj "/CN=${1}-issued" 2>/dev/null
  printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\nkeyUsage=digitalSignature,keyEncipherment\n' "$san" > "$2.ext"
  openssl x509 -req -in "$2.csr" -CA "$1.pem" -CAkey "$1.key" -CAcreateserial -days 825 -sha256 \
    -extfile "$2.ext" -out "$2.pem" 2>/dev/null
  rm -f "$2.csr" "$2.ext"
}
make_ca ca "Tunelark Test CA"
issue ca server
make_ca untrusted-ca "Untrusted Test CA"
issue untrusted-ca untrusted
echo "$*" > hosts.txt
