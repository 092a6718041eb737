#!/usr/bin/python3
"""A real FTP server on loopback for tests and benchmarks.

One account, one root folder, read-only. Prints the port it listens on as the first line of
its output, then serves until its standard input closes, so it never outlives whoever
started it.
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    # sendfile keeps the server from being the slow end of a throughput comparison.
    handler.use_sendfile = True
    server = FTPServer(("127.0.0.1", args.port), handler)

    def exit_when_stdin_closes():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=exit_when_stdin_closes, daemon=True).start()
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
