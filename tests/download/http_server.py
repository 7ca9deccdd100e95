#!/usr/bin/env python3
"""The download tests' HTTP server: 127.0.0.1 only, on a port the system
picks. Prints the port on the first line of its output, then serves until
it is stopped or the process it serves goes away.

Usage: http_server.py [RUNNER_PID]  (default: the parent process)

Bodies are made of a pattern: byte i is i % 251.

  /download?Name=INSTAL-ORVNET/OrvNet.txt   the size file: the text last set
                                            through /control/size (404 before)
  /full/N/<name>      N bytes, Content-Length N
  /chunked/N/<name>   N bytes in chunked transfer encoding
  /drop/N/<name>      announces N bytes, sends half of them, drops the line
  /control/size?text=T  sets the size file's text
  /control/log          the requests served so far, control ones left out:
                        one line each, path TAB user agent
  anything else         404
"""
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

SIZE_QUERY = "/download?Name=INSTAL-ORVNET/OrvNet.txt"

state_lock = threading.Lock()
size_text = None
request_log = []


def pattern(length):
    return bytes(i % 251 for i in range(length))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        pass  # quiet: ctest shows the test program's output

    def do_GET(self):
        global size_text
        self.close_connection = True
        path = self.path
        if path.startswith("/control/"):
            self.control(path)
            return
        with state_lock:
            request_log.append(path + "\t" + self.headers.get("User-Agent", ""))
            text = size_text
        if path == SIZE_QUERY:
            if text is None:
                self.send_text(404, b"no size set\n")
            else:
                self.send_text(200, text)
            return
        parts = path.split("/")
        if len(parts) >= 4 and parts[2].isdigit():
            mode, length = parts[1], int(parts[2])
            if mode == "full":
                self.send_text(200, pattern(length))
                return
            if mode == "chunked":
                self.send_chunked(pattern(length))
                return
            if mode == "drop":
                self.send_dropped(pattern(length))
                return
        self.send_text(404, b"not here\n")

    def control(self, path):
        global size_text
        url = urllib.parse.urlsplit(path)
        if url.path == "/control/size":
            query = urllib.parse.parse_qs(url.query, keep_blank_values=True, encoding="latin-1")
            with state_lock:
                size_text = query.get("text", [""])[0].encode("latin-1")
            self.send_text(200, b"ok\n")
        elif url.path == "/control/log":
            with state_lock:
                body = "".join(line + "\n" for line in request_log).encode("latin-1", "replace")
            self.send_text(200, body)
        else:
            self.send_text(404, b"no such control\n")

    def send_text(self, status, body):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def send_chunked(self, body):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        for start in range(0, len(body), 1500):
            piece = body[start:start + 1500]
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
        self.wfile.write(b"0\r\n\r\n")

    def send_dropped(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body[: len(body) // 2])
        self.wfile.flush()
        time.sleep(0.2)  # the half arrives before the line goes down
        self.connection.shutdown(2)


def alive(pid):
    """False once the process has ended, also while it waits to be reaped."""
    try:
        with open("/proc/%d/stat" % pid) as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def stop_with(runner):
    """Ends this process once the runner's process is gone."""
    while alive(runner):
        time.sleep(0.5)
    os._exit(0)


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    runner = int(sys.argv[1]) if len(sys.argv) > 1 else os.getppid()
    threading.Thread(target=stop_with, args=(runner,), daemon=True).start()
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
