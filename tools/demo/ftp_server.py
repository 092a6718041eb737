#!/usr/bin/python3
"""The demo distribution server: a real FTP server (pyftpdlib) on loopback.

Usage: ftp_server.py --root FOLDER --port PORT [--rate BYTES_PER_SECOND]
Serves FOLDER read-only to the account the assistant logs in with, prints one line once it
listens, and serves until it is stopped (SIGTERM or SIGINT) or its standard input closes
when --stdin-lifeline is given.
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

# The account is fixed in the assistant; the percent signs are literal characters.
USER = "quandel"
PASSWORD = "KaqWrBe%%7391%%"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--stdin-lifeline", action="store_true")
    # Downloads over loopback end before anyone sees the gauge; a rate makes them take a
    # few seconds, as over a real network.
    parser.add_argument("--rate", type=int, default=0)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, os.path.abspath(args.root), perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Demo distribution server ready."
    if args.rate > 0:
        ThrottledDTPHandler.write_limit = args.rate
        handler.dtp_handler = ThrottledDTPHandler
    server = FTPServer((args.host, args.port), handler)

    if args.stdin_lifeline:
        def exit_when_stdin_closes():
            sys.stdin.buffer.read()
            os._exit(0)

        threading.Thread(target=exit_when_stdin_closes, daemon=True).start()

    print("demo server listening on %s:%d" % server.socket.getsockname()[:2], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
