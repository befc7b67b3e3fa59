#!/usr/bin/env python3
"""Servers on 127.0.0.1 for the online tests, started and stopped by each test.

Usage: loopback_servers.py MODE FOLDER [CERT KEY]
Prints "PORT <n>" on the first line once listening, then serves until killed.

HTTP modes: http (files in FOLDER), http-close (closes at once), http-truncated (promises 1000
bytes, sends 100), http-silent (never answers), http-stalled-update (serves news.txt from FOLDER;
any other path gets a 200 with a length it never finishes sending).
SMTP modes: smtp (real delivery; each message is written to FOLDER as msg-<n>.eml with its
envelope in msg-<n>.env; recipients starting with "refused" get 550), smtp-tls (STARTTLS and AUTH user/secret with CERT and KEY), and
scripted replies: smtp-helo-5xx, smtp-multiline-greeting, smtp-mail-550, smtp-rcpt-550, smtp-data-554,
smtp-close-mid-reply, smtp-silent.
"""
import functools
import http.server
import os
import socket
import socketserver
import sys
import threading
import time


def announce(port):
    print(f"PORT {port}", flush=True)


def serve_files(folder):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    announce(server.server_address[1])
    server.serve_forever()


def raw_server(answer):
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    announce(listener.getsockname()[1])
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=answer, args=(connection,), daemon=True).start()


def http_close(connection):
    connection.close()


def http_truncated(connection):
    connection.recv(4096)
    connection.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n" + b"x" * 100)
    connection.close()


def stalled_update(folder):
    def answer(connection):
        request = connection.recv(4096).split(b" ")
        path = request[1].decode() if len(request) > 1 else "/"
        if path.endswith("news.txt"):
            with open(os.path.join(folder, path.lstrip("/")), "rb") as news:
                body = news.read()
            connection.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
            connection.close()
            return
        connection.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" + b"z" * 10)
        time.sleep(3600)
    return answer


def silent(connection):
    time.sleep(3600)


class Smtp:
    """A scripted SMTP responder: replies per verb, overridable."""

    def __init__(self, greeting=b"220 loopback ready\r\n", replies=None, data_reply=b"250 taken\r\n",
                 close_on=None):
        self.greeting = greeting
        self.replies = {b"EHLO": b"250 loopback\r\n", b"HELO": b"250 loopback\r\n",
                        b"MAIL": b"250 ok\r\n", b"RCPT": b"250 ok\r\n", b"DATA": b"354 go on\r\n",
                        b"QUIT": b"221 bye\r\n", b"RSET": b"250 ok\r\n", b"NOOP": b"250 ok\r\n"}
        self.replies.update(replies or {})
        self.data_reply = data_reply
        self.close_on = close_on

    def __call__(self, connection):
        stream = connection.makefile("rb")
        connection.sendall(self.greeting)
        while True:
            line = stream.readline()
            if not line:
                break
            verb = line.split(b" ")[0].strip().upper()
            if verb == self.close_on:
                connection.sendall(b"250-partial")
                connection.close()
                return
            connection.sendall(self.replies.get(verb, b"500 what\r\n"))
            if verb == b"DATA" and self.replies[b"DATA"].startswith(b"354"):
                while stream.readline() not in (b".\r\n", b""):
                    pass
                connection.sendall(self.data_reply)
            if verb == b"QUIT":
                break
        connection.close()


def smtp_delivery(folder, cert=None, key=None):
    from aiosmtpd.controller import Controller
    from aiosmtpd.smtp import AuthResult, LoginPassword

    class Keep:
        count = 0

        async def handle_RCPT(self, server, session, envelope, address, options):
            # Addresses that start with "refused" are turned away, as an unknown mailbox is.
            if address.startswith("refused"):
                return "550 no such mailbox"
            envelope.rcpt_tos.append(address)
            return "250 OK"

        async def handle_DATA(self, server, session, envelope):
            Keep.count += 1
            base = os.path.join(folder, f"msg-{Keep.count}")
            with open(base + ".eml", "wb") as out:
                out.write(envelope.original_content)
            with open(base + ".env", "w") as out:
                out.write(envelope.mail_from + "\n" + "\n".join(envelope.rcpt_tos) + "\n")
            return "250 Message accepted"

    def check(server, session, envelope, mechanism, data):
        ok = isinstance(data, LoginPassword) and data.login == b"user" and data.password == b"secret"
        return AuthResult(success=ok)

    options = {}
    if cert:
        import ssl
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        options = dict(tls_context=context, require_starttls=True, authenticator=check,
                       auth_require_tls=True, auth_required=True)
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    controller = Controller(Keep(), hostname="127.0.0.1", port=port, **options)
    controller.start()
    announce(port)
    while True:
        time.sleep(3600)


def main():
    mode, folder = sys.argv[1], sys.argv[2]
    scripted = {
        "http-close": http_close,
        "http-truncated": http_truncated,
        "http-silent": silent,
        "smtp-silent": silent,
        "smtp-helo-5xx": Smtp(replies={b"EHLO": b"554 no thanks\r\n", b"HELO": b"554 no thanks\r\n"}),
        "smtp-multiline-greeting": Smtp(greeting=b"220-loopback first line\r\n220 loopback ready\r\n"),
        "smtp-rcpt-550": Smtp(replies={b"RCPT": b"550 no such user\r\n"}),
        "smtp-mail-550": Smtp(replies={b"MAIL": b"550 sender not allowed\r\n"}),
        "smtp-data-554": Smtp(replies={b"DATA": b"554 no data today\r\n"}),
        "smtp-close-mid-reply": Smtp(close_on=b"MAIL"),
    }
    if mode == "http-stalled-update":
        raw_server(stalled_update(folder))
    elif mode == "http":
        serve_files(folder)
    elif mode == "smtp":
        smtp_delivery(folder)
    elif mode == "smtp-tls":
        smtp_delivery(folder, sys.argv[3], sys.argv[4])
    else:
        raw_server(scripted[mode])


if __name__ == "__main__":
    main()
