#!/usr/bin/env python3
"""The session scripts/run gives a machine without a display, with a small X program in place of
Wine: two sessions started together each get a screen and a VNC port of their own, a VNC client
reaches each and its input reaches the program, a picture of the window is saved, Ctrl+C on the
terminal ends one, closing the program ends the other, and nothing either started is left running.

usage: headless_check.py SCRIPTS/headless
"""
import fcntl
import os
import pty
import re
import select
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import termios
import time

from scriptcheck import check, failures

DEADLINE = 15  # seconds for any one state on a busy machine; the whole check takes about two


class Session:
    """scripts/headless on a terminal of its own, as a user starts it."""

    def __init__(self, script, name, workdir):
        self.name = name
        self.picture = os.path.join(workdir, name + ".png")
        self.out = b""
        master, slave = pty.openpty()
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "XAUTHORITY", "WINEPREFIX")}
        env["LC_ALL"] = "C"

        def on_terminal():
            # A terminal's foreground job takes Ctrl+C; ctest may have started us with it ignored.
            signal.signal(signal.SIGINT, signal.SIG_DFL)
            os.setsid()
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)

        self.proc = subprocess.Popen(
            ["bash", script, "xmessage", self.picture,
             "xmessage", "-center", "-default", "okay", "session " + name],
            stdin=slave, stdout=slave, stderr=slave, env=env, preexec_fn=on_terminal)
        os.close(slave)
        self.master = master

    def read_until(self, pattern):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            m = re.search(pattern, self.out)
            if m:
                return m
            r, _, _ = select.select([self.master], [], [], 0.2)
            if r:
                try:
                    data = os.read(self.master, 4096)
                except OSError:
                    data = b""
                if not data:
                    break
                self.out += data
        return re.search(pattern, self.out)

    def text(self):
        return self.out.decode(errors="replace")

    def drain(self):
        """Reads what is left once the script has ended and the terminal is closed."""
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            r, _, _ = select.select([self.master], [], [], 0.2)
            if not r:
                return
            try:
                data = os.read(self.master, 4096)
            except OSError:
                return
            if not data:
                return
            self.out += data

    def children(self):
        """Processes whose parent is the script: the screen, the VNC server, the program."""
        found = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                stat = open("/proc/%s/stat" % pid).read()
            except OSError:
                continue
            comm = stat[stat.index("(") + 1:stat.rindex(")")]
            ppid = int(stat[stat.rindex(")") + 2:].split()[1])
            if ppid == self.proc.pid:
                found[int(pid)] = comm
        return found

    def wait(self):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            code = self.proc.poll()
            if code is not None:
                self.drain()
                return code
            time.sleep(0.05)
        return None

    def kill(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(DEADLINE)


def recvn(sock, n):
    data = b""
    while len(data) < n:
        chunk = sock.recv(n - len(data))
        if not chunk:
            raise EOFError("the VNC server closed the connection")
        data += chunk
    return data


def vnc_connect(port):
    """RFB 3.8 without authentication, as the server is set up; returns the socket and the screen
    size."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=10)
    greeting = recvn(sock, 12)
    check(greeting.startswith(b"RFB 003."),
          "port %d greets as a VNC server (%r)" % (port, greeting))
    sock.sendall(b"RFB 003.008\n")
    types = recvn(sock, recvn(sock, 1)[0])
    check(1 in types, "port %d lets a viewer of this machine in without a password" % port)
    sock.sendall(b"\x01")
    check(struct.unpack(">I", recvn(sock, 4))[0] == 0, "port %d accepts the viewer" % port)
    sock.sendall(b"\x01")  # shared
    width, height = struct.unpack(">HH", recvn(sock, 4))
    recvn(sock, 16)
    recvn(sock, struct.unpack(">I", recvn(sock, 4))[0])
    return sock, (width, height)


def gone(pid):
    try:
        stat = open("/proc/%d/stat" % pid).read()
    except OSError:
        return True
    return stat[stat.rindex(")") + 2] == "Z"  # ended, not yet collected by init


def port_closed(port):
    try:
        socket.create_connection(("127.0.0.1", port), timeout=2).close()
        return False
    except OSError:
        return True


def main():
    script = sys.argv[1]
    work = tempfile.mkdtemp(prefix="krev-headless-check.")
    sessions = [Session(script, "a", work), Session(script, "b", work)]
    try:
        info = {}
        for s in sessions:
            m = s.read_until(rb"virtual screen \(:(\d+),.*?port (\d+)")
            if not check(m is not None,
                         "session %s reports its screen and port:\n%s" % (s.name, s.text())):
                return
            info[s.name] = (int(m.group(1)), int(m.group(2)))
            m = s.read_until(rb"picture of the screen with the window: (\S+)")
            if not check(m is not None,
                         "session %s reports its picture:\n%s" % (s.name, s.text())):
                return
            check(m.group(1).decode() == s.picture,
                  "session %s saves its picture where asked" % s.name)
            check(b"Ctrl+C" in s.out, "session %s says how to end it" % s.name)
        (da, pa), (db, pb) = info["a"], info["b"]
        check(da != db, "the two sessions have screens of their own (:%d, :%d)" % (da, db))
        check(pa != pb, "the two sessions have VNC ports of their own (%d, %d)" % (pa, pb))

        for s in sessions:
            size = subprocess.run(["identify", "-format", "%w %h %k", s.picture],
                                  capture_output=True, text=True).stdout.split()
            check(len(size) == 3 and size[:2] == ["1024", "768"] and int(size[2]) > 1,
                  "session %s's picture is the screen with the window on it (%s)" % (s.name, size))

        started = {s.name: s.children() for s in sessions}
        for s in sessions:
            names = sorted(started[s.name].values())
            check(names == ["Xvfb", "x11vnc", "xmessage"],
                  "session %s runs the screen, the VNC server and the program (%s)"
                  % (s.name, names))

        # A: Ctrl+C on its terminal.
        sock, size = vnc_connect(pa)
        check(size == (1024, 768),
              "session a's VNC server shows the 1024x768 screen (%s)" % (size,))
        sock.close()
        os.write(sessions[0].master, b"\x03")
        check(sessions[0].wait() == 130, "Ctrl+C ends session a:\n" + sessions[0].text())

        # B: closed through the VNC server, with the pointer over the message and Return.
        sock, size = vnc_connect(pb)
        sock.sendall(struct.pack(">BBHH", 5, 0, 512, 384))
        sock.sendall(struct.pack(">BBxxI", 4, 1, 0xFF0D) + struct.pack(">BBxxI", 4, 0, 0xFF0D))
        code = sessions[1].wait()
        sock.close()
        check(code == 0, "Return typed through the VNC server closes the program and ends "
                         "session b (exit code %s)" % code)

        for s in sessions:
            check(b"are ended" in s.out, "session %s says what it ended" % s.name)
            left = {pid: comm for pid, comm in started[s.name].items() if not gone(pid)}
            check(not left, "nothing of session %s is left running (%s)" % (s.name, left))
        for display, port in info.values():
            check(port_closed(port), "VNC port %d is closed" % port)
            check(not os.path.exists("/tmp/.X11-unix/X%d" % display),
                  "screen :%d is gone" % display)
    finally:
        for s in sessions:
            s.kill()
        subprocess.run(["rm", "-rf", work])


if __name__ == "__main__":
    main()
    if failures:
        sys.exit(1)
    print("headless sessions: all checks passed")
