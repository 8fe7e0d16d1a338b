"""FTP server for the URL-file tests: 127.0.0.1 port 21, one user, a writable folder, a
read-only folder and a read-only file. Every command is appended to a log that the tests read.
Retrieving dying.bin stops the whole server part-way through the transfer.

usage: ftp_server.py ROOT LOG USER PASSWORD
"""
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

DYING_FILE = "dying.bin"
DYING_AFTER = 256 * 1024  # bytes sent before the server stops


class LoggingHandler(FTPHandler):
    log_path = None

    def pre_process_command(self, line, cmd, arg):
        with open(self.log_path, "a") as log:
            log.write(("PASS ******" if cmd == "PASS" else line) + "\n")
        return super().pre_process_command(line, cmd, arg)


class DyingDTPHandler(DTPHandler):
    def send(self, data):
        sent = super().send(data)
        name = getattr(self.file_obj, "name", "") or ""
        if os.path.basename(name) == DYING_FILE and self.tot_bytes_sent >= DYING_AFTER:
            os._exit(3)  # as abrupt as a crash: the system drops every connection
        return sent


def main():
    root, log_path, user, password = sys.argv[1:5]
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    authorizer.override_perm(user, os.path.join(root, "ro"), perm="elr", recursive=True)
    LoggingHandler.log_path = log_path
    LoggingHandler.authorizer = authorizer
    LoggingHandler.dtp_handler = DyingDTPHandler
    LoggingHandler.use_sendfile = False  # every byte goes through send()
    LoggingHandler.timeout = 60
    LoggingHandler.auth_failed_timeout = 0  # refused logins answer at once
    server = FTPServer(("127.0.0.1", 21), LoggingHandler)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
