#!/usr/bin/env python3
"""The vendor's update server as the Wine tests need it, on 127.0.0.1.

    update_server.py FOLDER PORT_FILE LOG_FILE

Serves the files of FOLDER and writes the port it took to PORT_FILE. Every request is logged,
one path a line. Beside a served file NAME, a file NAME.delay holding seconds holds the answer
back that long, and NAME.cut holding a byte count sends only that many bytes of the file while
announcing its whole length, then closes the connection (a download cut off)."""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        folder = self.server.folder
        name = os.path.normpath(self.path.split("?")[0].lstrip("/"))
        with open(self.server.log, "a") as log:
            log.write("/" + name + "\n")
        path = os.path.join(folder, name)
        if name.startswith("..") or not os.path.isfile(path):
            self.send_error(404)
            return
        delay = read_number(path + ".delay")
        if delay:
            time.sleep(delay)
        with open(path, "rb") as f:
            body = f.read()
        cut = read_number(path + ".cut")
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        if cut is not None:
            self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body if cut is None else body[: int(cut)])
        self.wfile.flush()
        if cut is not None:
            self.close_connection = True


def read_number(path):
    try:
        with open(path) as f:
            return float(f.read().strip())
    except (OSError, ValueError):
        return None


def main():
    folder, port_file, log = sys.argv[1:4]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.folder = folder
    server.log = log
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
