#!/usr/bin/env python3
"""Scriptable HTTP/HTTPS test server for the request routines.

Listens on 127.0.0.1 only, on three ports:
  http       plain HTTP (also serves as an HTTP proxy: absolute request targets are accepted)
  https      TLS with the test CA's certificate (server.pem / server.key)
  untrusted  TLS with a certificate from a CA nobody trusts (untrusted.pem / untrusted.key)

Every request is recorded exactly as received (request line, header lines in order, body) under
its path. The reply for a path is whatever the test scripted for it, sent byte for byte.

Control (plain HTTP port, HTTP/1.0, one request per connection):
  POST /_control/script?path=P[&delay_ms=N][&hang=1][&cut_after=N]   body = raw reply bytes
      hang=1       read the request and never answer (connection held until the client goes)
      delay_ms=N   wait N ms before answering
      cut_after=N  send only the first N bytes of the reply, then close the connection
  GET  /_control/requests?path=P   recorded requests for P, each as "<length>\\n<raw bytes>"
Built-in paths:
  /_bytes/N        N bytes of body with Content-Length (benchmarks)
  anything else    200 OK, body "ok"

Usage: fetch_server.py --tls-dir DIR --port-file FILE
The port file receives "http https untrusted" once every port listens.
"""

import argparse
import os
import socket
import ssl
import sys
import threading
import time
import urllib.parse

scripts = {}      # path -> (reply bytes, options dict)
recorded = {}     # path -> [raw request bytes]
lock = threading.Lock()
big_bodies = {}


def read_request(conn, buf):
    """Reads one request from conn; returns (raw bytes, rest of buffer) or (None, buf) on close."""
    while b"\r\n\r\n" not in buf:
        data = conn.recv(65536)
        if not data:
            return None, buf
        buf += data
    head_end = buf.index(b"\r\n\r\n") + 4
    head = buf[:head_end]
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            try:
                length = int(value.strip())
            except ValueError:
                length = 0
    while len(buf) < head_end + length:
        data = conn.recv(65536)
        if not data:
            break
        buf += data
    return buf[:head_end + length], buf[head_end + length:]


def request_path(raw):
    line = raw.split(b"\r\n", 1)[0].decode("latin-1")
    parts = line.split(" ")
    method = parts[0] if parts else ""
    target = parts[1] if len(parts) > 1 else "/"
    if "://" in target:  # proxy form: http://host:port/path
        parsed = urllib.parse.urlsplit(target)
        target = parsed.path or "/"
        if parsed.query:
            target += "?" + parsed.query
    return method, target


def framed(reply, method):
    """Whether the reply leaves the connection usable for another request."""
    head, _, _ = reply.partition(b"\r\n\r\n")
    lines = [l.lower() for l in head.split(b"\r\n")[1:]]
    if any(l.startswith(b"connection:") and b"close" in l for l in lines):
        return False
    if method == "HEAD":
        return True
    return any(l.startswith(b"content-length:") for l in lines) or any(
        l.startswith(b"transfer-encoding:") and b"chunked" in l for l in lines)


def simple_reply(status, body, content_type=b"text/plain"):
    return (b"HTTP/1.1 " + status + b"\r\nContent-Type: " + content_type + b"\r\nContent-Length: "
            + str(len(body)).encode() + b"\r\n\r\n" + body)


def handle_control(conn, raw, method, target):
    parsed = urllib.parse.urlsplit(target)
    query = dict(urllib.parse.parse_qsl(parsed.query, keep_blank_values=True))
    path = query.get("path", "/")
    if parsed.path == "/_control/script" and method == "POST":
        body = raw[raw.index(b"\r\n\r\n") + 4:]
        options = {k: v for k, v in query.items() if k != "path"}
        with lock:
            scripts[path] = (body, options)
        conn.sendall(simple_reply(b"200 OK", b"scripted"))
    elif parsed.path == "/_control/requests":
        with lock:
            items = list(recorded.get(path, []))
        out = b"".join(str(len(r)).encode() + b"\n" + r for r in items)
        conn.sendall(simple_reply(b"200 OK", out, b"application/octet-stream"))
    else:
        conn.sendall(simple_reply(b"404 Not Found", b"no such control"))


def serve_connection(conn):
    buf = b""
    try:
        while True:
            raw, buf = read_request(conn, buf)
            if raw is None:
                return
            method, target = request_path(raw)
            if target.startswith("/_control/"):
                handle_control(conn, raw, method, target)
                return
            if target.startswith("/_bytes/"):
                n = int(target[len("/_bytes/"):] or 0)
                with lock:
                    body = big_bodies.get(n)
                    if body is None:
                        body = bytes(range(256)) * (n // 256) + bytes(n % 256)
                        big_bodies[n] = body
                conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                             b"Content-Length: " + str(n).encode() + b"\r\n\r\n")
                if method != "HEAD":
                    conn.sendall(body)
                continue
            with lock:
                recorded.setdefault(target, []).append(raw)
                reply, options = scripts.get(target, (simple_reply(b"200 OK", b"ok"), {}))
            if options.get("hang"):
                conn.settimeout(120)
                while conn.recv(65536):
                    pass
                return
            if options.get("delay_ms"):
                time.sleep(int(options["delay_ms"]) / 1000.0)
            if method == "HEAD" and b"\r\n\r\n" in reply:
                reply = reply[:reply.index(b"\r\n\r\n") + 4]
            if "cut_after" in options:
                conn.sendall(reply[:int(options["cut_after"])])
                time.sleep(0.2)
                return
            conn.sendall(reply)
            if not framed(reply, method):
                return
    except (OSError, ssl.SSLError, ValueError):
        return
    finally:
        try:
            conn.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        conn.close()


def accept_loop(listener, context):
    while True:
        try:
            conn, _ = listener.accept()
        except OSError:
            return
        conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

        def run(conn=conn):
            if context is not None:
                try:
                    conn.settimeout(10)
                    conn = context.wrap_socket(conn, server_side=True)
                    conn.settimeout(None)
                except (OSError, ssl.SSLError):
                    conn.close()
                    return
            serve_connection(conn)

        threading.Thread(target=run, daemon=True).start()


def listen():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind(("127.0.0.1", 0))
    s.listen(64)
    return s


def tls_context(cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tls-dir", required=True)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    plain, secure, untrusted = listen(), listen(), listen()
    contexts = [None,
                tls_context(os.path.join(args.tls_dir, "server.pem"), os.path.join(args.tls_dir, "server.key")),
                tls_context(os.path.join(args.tls_dir, "untrusted.pem"), os.path.join(args.tls_dir, "untrusted.key"))]
    for listener, context in zip((plain, secure, untrusted), contexts):
        threading.Thread(target=accept_loop, args=(listener, context), daemon=True).start()
    ports = " ".join(str(s.getsockname()[1]) for s in (plain, secure, untrusted))
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(ports + "\n")
    os.replace(tmp, args.port_file)
    try:
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
