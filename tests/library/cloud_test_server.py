#!/usr/bin/env python3
"""Loopback HTTPS server that plays the cloud server in the tests.

Listens on 127.0.0.1 only, on a free port that it prints as the first line
of its output, and stops by itself after --lifetime seconds. Every request is
appended as one JSON line to requests.jsonl in the work folder. What the next
answers look like is read from mode.txt in the work folder at each request:

  normal      list.php answers with list.txt, act.php with "OK", /data/NAME
              with data/NAME
  list500     list.php answers HTTP 500
  hang        every request waits --hang seconds before answering
  cut         /data/NAME announces the file's length and closes half-way
  endless     every answer is a body without length that never ends (it
              stops when the client goes, after 2 GiB or after 30 s)
  huge        the same, announcing a length of 100 GB
  trickle     every answer announces 40 bytes and sends one every 0.25 s
"""
import argparse
import json
import os
import ssl
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def parse_multipart(body, content_type):
    """The parts of a multipart/form-data body, in order."""
    boundary = None
    for piece in content_type.split(";"):
        piece = piece.strip()
        if piece.startswith("boundary="):
            boundary = piece[len("boundary="):].strip('"')
    if not boundary:
        return None
    delimiter = b"--" + boundary.encode("latin-1")
    parts = []
    for chunk in body.split(delimiter)[1:]:
        if chunk.startswith(b"--"):
            break
        chunk = chunk[2:] if chunk.startswith(b"\r\n") else chunk
        head, _, value = chunk.partition(b"\r\n\r\n")
        if value.endswith(b"\r\n"):
            value = value[:-2]
        headers = {}
        for line in head.split(b"\r\n"):
            name, _, v = line.partition(b":")
            headers[name.strip().lower().decode("latin-1")] = v.strip().decode("latin-1")
        disposition = headers.get("content-disposition", "")
        fields = {}
        for item in disposition.split(";")[1:]:
            k, _, v = item.strip().partition("=")
            fields[k] = v.strip('"')
        parts.append({
            "name": fields.get("name", ""),
            "filename": fields.get("filename"),
            "contentType": headers.get("content-type"),
            "value": value.decode("latin-1"),
        })
    return parts


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def mode(self):
        try:
            with open(os.path.join(self.server.work, "mode.txt")) as f:
                return f.read().strip()
        except OSError:
            return "normal"

    def record(self, entry):
        with self.server.lock:
            with open(os.path.join(self.server.work, "requests.jsonl"), "a") as f:
                f.write(json.dumps(entry) + "\n")

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
        self.close_connection = True

    def hostile(self, mode):
        """Answers in one of the hostile modes; False for the other modes."""
        if mode in ("endless", "huge"):
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            if mode == "huge":
                self.send_header("Content-Length", str(100 * 1000 ** 3))
            self.send_header("Connection", "close")
            self.end_headers()
            chunk = b"0123456789abcdef" * 4096
            sent, start = 0, time.monotonic()
            try:
                while sent < 2 * 1024 ** 3 and time.monotonic() - start < 30:
                    self.wfile.write(chunk)
                    sent += len(chunk)
            except OSError:
                pass
            self.close_connection = True
            return True
        if mode == "trickle":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", "40")
            self.send_header("Connection", "close")
            self.end_headers()
            try:
                for _ in range(40):
                    self.wfile.write(b"x")
                    self.wfile.flush()
                    time.sleep(0.25)
            except OSError:
                pass
            self.close_connection = True
            return True
        return False

    def do_POST(self):
        mode = self.mode()
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length > 0 else b""
        parts = parse_multipart(body, self.headers.get("Content-Type", ""))
        self.record({"method": "POST", "path": self.path,
                     "userAgent": self.headers.get("User-Agent"),
                     "contentType": self.headers.get("Content-Type"),
                     "parts": parts})
        if mode == "hang":
            time.sleep(self.server.hang)
        if self.hostile(mode):
            return
        if self.path == "/software/print/list.php":
            if mode == "list500":
                self.answer(500, b"broken")
                return
            with open(os.path.join(self.server.work, "list.txt"), "rb") as f:
                self.answer(200, f.read())
        elif self.path == "/software/print/act.php":
            self.answer(200, b"OK")
        else:
            self.answer(404, b"not found")

    def do_GET(self):
        mode = self.mode()
        self.record({"method": "GET", "path": self.path,
                     "userAgent": self.headers.get("User-Agent")})
        if mode == "hang":
            time.sleep(self.server.hang)
        if self.hostile(mode):
            return
        prefix = "/data/"
        name = urllib.parse.unquote(self.path[len(prefix):]) if self.path.startswith(prefix) else ""
        path = os.path.join(self.server.work, "data", os.path.basename(name))
        if not name or not os.path.isfile(path):
            self.answer(404, b"not found")
            return
        with open(path, "rb") as f:
            data = f.read()
        if mode == "cut":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data[: len(data) // 2])
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(2)
            return
        self.answer(200, data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--lifetime", type=float, default=300)
    parser.add_argument("--hang", type=float, default=5)
    args = parser.parse_args()

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.work = args.work
    server.hang = args.hang
    server.lock = threading.Lock()
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(args.cert, args.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    # Never outlive the tests, even when nobody stops the server.
    threading.Timer(args.lifetime, server.shutdown).start()
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
