#!/usr/bin/python3
"""An HTTP(S) server on 127.0.0.1 for the network tests.

Replies come from a routes file that is read again at every request, so a test can change
them while the server runs. Each line is

    PATH_HEX STATUS BODY_HEX [HEADER_HEX ...]

where every *_HEX field is the bytes in hexadecimal ("-" for none), HEADER is "Name: value",
and STATUS is a number or "hang" (accept the request and never answer). A path that has no
line gets a 404.

Every request is appended to the log file before it is answered, one line each:

    REQUEST_LINE_HEX BODY_HEX HEADER_HEX ...

with the headers in the order they came and spelt as they came.
"""

import argparse
import http.server
import os
import socketserver
import ssl
import threading
import time

log_lock = threading.Lock()


def unhex(field):
    return b"" if field == "-" else bytes.fromhex(field)


def tohex(data):
    return data.hex() if data else "-"


def load_routes(path):
    routes = {}
    try:
        with open(path, "r", encoding="ascii") as routes_file:
            for line in routes_file:
                fields = line.split()
                if len(fields) >= 3:
                    routes[unhex(fields[0])] = (fields[1], unhex(fields[2]), [unhex(f) for f in fields[3:]])
    except FileNotFoundError:
        pass
    return routes


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def handle_any(self):
        length = int(self.headers.get("Content-Length", "0") or "0")
        body = self.rfile.read(length) if length > 0 else b""
        fields = [tohex(self.requestline.encode("latin-1")), tohex(body)]
        fields += [tohex(f"{name}: {value}".encode("latin-1")) for name, value in self.headers.items()]
        with log_lock:
            with open(self.server.log_path, "a", encoding="ascii") as log:
                log.write(" ".join(fields) + "\n")
                log.flush()

        target = self.path.encode("latin-1")
        status, reply, headers = load_routes(self.server.routes_path).get(target, ("404", b"not found", []))
        if status == "hang":
            time.sleep(120)
            return
        self.send_response(int(status))
        for header in headers:
            name, _, value = header.decode("latin-1").partition(": ")
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(reply)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(reply)
        self.close_connection = True

    do_POST = handle_any
    do_GET = handle_any


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    tls_context = None

    def finish_request(self, request, client_address):
        # The handshake runs in the request's own thread: a client that never completes it
        # must not hold up the others.
        if self.tls_context is not None:
            try:
                request = self.tls_context.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return
        self.RequestHandlerClass(request, client_address, self)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True, help="holds routes, log and the port file")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    options = parser.parse_args()

    server = Server(("127.0.0.1", 0), Handler)
    server.routes_path = os.path.join(options.folder, "routes")
    server.log_path = os.path.join(options.folder, "log")
    if options.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(options.cert, options.key)
        server.tls_context = context
    port_file = os.path.join(options.folder, "port")
    with open(port_file + ".new", "w", encoding="ascii") as out:
        out.write(str(server.server_address[1]))
    os.rename(port_file + ".new", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
