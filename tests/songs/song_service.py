#!/usr/bin/env python3
"""The embedded song service for the run command, the end-to-end tests and the benchmarks.

  song_service.py prepare <dir> <search-host> <tls-dir>   MP3 files, search replies, nginx.conf
  song_service.py badcdn <dir> <port>                     the misbehaving file server (foreground)

nginx answers the search path with the reply the catalogue holds for the keyword (chosen by
the raw s= parameter), answers each song address with a redirect to the file, and serves the
files. The misbehaving server answers with the faults real servers have: no Location, 404,
a body cut in half, a Content-Length that lies, an empty body, a slow drip.
"""
import json
import os
import random
import socket
import socketserver
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SONGS_HOST = "songs.test"
CDN_HOST = "cdn.test"
BAD_PORT = 8081
ACCESS_KEY = "318604752"


def encode_keyword(keyword):
    return "".join("%%%02X" % b for b in keyword.encode("utf-8"))


def song_address(url):
    kind, _, rest = url.partition(":")
    if kind == "song":
        return "https://%s/song/%s" % (SONGS_HOST, rest)
    if kind == "file":
        return "http://%s/files/%s.mp3" % (CDN_HOST, rest)
    if kind == "rel":
        return "https://%s/rel/%s" % (SONGS_HOST, rest)
    if kind == "chain":
        return "https://%s/chain/%s" % (SONGS_HOST, rest)
    if kind == "bad":
        return "http://%s:%d%s" % (CDN_HOST, BAD_PORT, rest)
    return url


def make_mp3(path, seconds, freq):
    if os.path.exists(path):
        return
    wav = path + ".wav"
    subprocess.run(["sox", "-q", "-n", "-r", "44100", "-c", "2", wav, "synth", str(seconds), "sine", str(freq),
                    "fade", "0.05", str(seconds), "0.3"], check=True)
    subprocess.run(["lame", "--quiet", "-b", "128", wav, path + ".tmp"], check=True)
    os.remove(wav)
    os.replace(path + ".tmp", path)


def make_random_file(path, size):
    if os.path.exists(path) and os.path.getsize(path) == size:
        return
    rnd = random.Random(64)
    with open(path + ".tmp", "wb") as f:
        block = bytes(rnd.getrandbits(8) for _ in range(1 << 16))
        f.write(b"ID3\x03\x00\x00\x00\x00\x00\x00")
        left = size - 10
        while left > 0:
            n = min(left, len(block))
            f.write(block[:n])
            left -= n
    os.replace(path + ".tmp", path)


def hits_for(entry, songs):
    if isinstance(entry, dict) and "generate" in entry:
        ids = sorted(songs)
        singer = entry.get("singer", "歌手")
        return [{"singer": "%s%d" % (singer, i), "name": "第%d首 Song %d 歌" % (i + 1, i + 1),
                 "url": song_address("song:" + ids[i % len(ids)]), "hash": "%032x" % i}
                for i in range(entry["generate"])]
    out = []
    for hit in entry:
        h = dict(hit)
        if h.get("name") == "@LONG300@":
            h["name"] = "长" * 300
        h["url"] = song_address(h["url"])
        out.append(h)
    return out


def prepare(out, search_host, tls):
    cat = json.load(open(os.path.join(HERE, "catalogue.json"), encoding="utf-8"))
    files = os.path.join(out, "files")
    replies = os.path.join(out, "replies")
    os.makedirs(files, exist_ok=True)
    os.makedirs(replies, exist_ok=True)
    for sid, (seconds, freq) in cat["songs"].items():
        make_mp3(os.path.join(files, sid + ".mp3"), seconds, freq)
    make_random_file(os.path.join(files, "big64.mp3"), 64 << 20)

    lines = ['    default "none.json";']
    with open(os.path.join(replies, "none.json"), "w", encoding="utf-8") as f:
        f.write('{"status":1,"data":[]}')
    for i, (keyword, entry) in enumerate(sorted(cat["searches"].items())):
        name = "r%d.json" % i
        if isinstance(entry, dict) and "raw" in entry:
            body = entry["raw"]
        else:
            body = json.dumps({"status": 1, "total": len(hits_for(entry, cat["songs"])),
                               "data": hits_for(entry, cat["songs"])}, ensure_ascii=False)
        with open(os.path.join(replies, name), "w", encoding="utf-8") as f:
            f.write(body)
        lines.append('    "%s" "%s";' % (encode_keyword(keyword), name))

    conf = """
worker_processes 1;
user root;
daemon on;
pid {out}/nginx.pid;
error_log {out}/nginx-error.log;
events {{ worker_connections 256; }}
http {{
  access_log {out}/access.log;
  server_tokens off;
  sendfile on;
  types {{ audio/mpeg mp3; }}
  map $arg_s $tl_reply {{
{map}
  }}
  server {{
    listen 127.0.0.1:443 ssl;
    server_name {search};
    ssl_certificate {tls}/server.pem;
    ssl_certificate_key {tls}/server.key;
    location = /music/kugou/search {{
      if ($arg_key != "{key}") {{ return 403; }}
      rewrite ^ /replies/$tl_reply last;
    }}
    location /replies/ {{
      internal;
      root {out};
      default_type "application/json; charset=utf-8";
    }}
  }}
  server {{
    listen 127.0.0.1:443 ssl;
    server_name {songs};
    ssl_certificate {tls}/server.pem;
    ssl_certificate_key {tls}/server.key;
    location ~ ^/song/(\\w+)$ {{ return 302 http://{cdn}/files/$1.mp3; }}
    location ~ ^/rel/(\\w+)$ {{ absolute_redirect off; return 302 /files/$1.mp3; }}
    location ~ ^/chain/(\\w+)$ {{ return 302 https://{songs}/rel/$1; }}
    location = /loop {{ return 302 https://{songs}/loop; }}
    location = /ftp {{ return 302 ftp://{cdn}/files/qingtian.mp3; }}
    location /files/ {{ root {out}; }}
  }}
  server {{
    listen 127.0.0.1:80;
    server_name {cdn};
    location /files/ {{ root {out}; }}
  }}
}}
""".format(out=out, map="\n".join(lines), search=search_host, tls=tls, key=ACCESS_KEY, songs=SONGS_HOST,
           cdn=CDN_HOST)
    with open(os.path.join(out, "nginx.conf"), "w", encoding="utf-8") as f:
        f.write(conf)


class BadHandler(socketserver.BaseRequestHandler):
    files = ""

    def send(self, head, body=b""):
        self.request.sendall(head.replace("\n", "\r\n").encode() + body)

    def handle(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(4096)
            if not chunk:
                return
            data += chunk
        path = data.split(b" ")[1].decode()
        song = lambda name: open(os.path.join(self.files, name + ".mp3"), "rb").read()
        if path == "/noloc":
            self.send("HTTP/1.1 302 Found\nServer: nginx\nContent-Length: 0\nConnection: close\n\n")
        elif path == "/404":
            body = b"<html><head><title>404 Not Found</title></head><body>404</body></html>"
            self.send("HTTP/1.1 404 Not Found\nServer: nginx\nContent-Type: text/html\nContent-Length: %d\n"
                      "Connection: close\n\n" % len(body), body)
        elif path.startswith("/half/"):
            body = song(path[6:])
            self.send("HTTP/1.1 200 OK\nServer: nginx\nContent-Type: audio/mpeg\nContent-Length: %d\n\n" % len(body),
                      body[: len(body) // 2])
        elif path.startswith("/lie/"):
            body = song(path[5:])
            self.send("HTTP/1.1 200 OK\nServer: nginx\nContent-Type: audio/mpeg\nContent-Length: %d\n"
                      "Connection: close\n\n" % (len(body) + 5000), body)
        elif path == "/empty":
            self.send("HTTP/1.1 200 OK\nServer: nginx\nContent-Type: audio/mpeg\nContent-Length: 0\n"
                      "Connection: close\n\n")
        elif path.startswith("/slow/"):
            body = song(path[6:])
            self.send("HTTP/1.1 200 OK\nServer: nginx\nContent-Type: audio/mpeg\nContent-Length: %d\n"
                      "Connection: close\n\n" % len(body))
            step = max(1, len(body) // 40)
            try:
                for i in range(0, len(body), step):  # about 20 s in all
                    self.request.sendall(body[i:i + step])
                    time.sleep(0.5)
            except OSError:
                pass
        else:
            self.send("HTTP/1.1 400 Bad Request\nContent-Length: 0\nConnection: close\n\n")
        try:
            self.request.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


class ThreadedServer(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True


def badcdn(out, port):
    BadHandler.files = os.path.join(out, "files")
    with ThreadedServer(("127.0.0.1", port), BadHandler) as server:
        server.serve_forever()


if __name__ == "__main__":
    if sys.argv[1] == "prepare":
        prepare(os.path.abspath(sys.argv[2]), sys.argv[3], os.path.abspath(sys.argv[4]))
    elif sys.argv[1] == "badcdn":
        badcdn(os.path.abspath(sys.argv[2]), int(sys.argv[3]))
