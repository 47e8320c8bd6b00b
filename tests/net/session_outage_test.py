"""Host and guests on three machines: network namespaces joined to the host's
by veth pairs. Two things happen in turn:

1. A guest that does nothing vanishes without a word (its namespace drops
   every packet). Neither side is sending, yet the host must drop its players
   with left notes and the guest's session must end.
2. The other guest's link goes down for 20 s while it and the host send a
   message every 50 ms, and a poller beside the host asks the player count
   every 0.5 s. Every message must arrive once and in order, no one may be
   dropped, and every count must be answered.

The times taken are printed: how long each side took to notice the vanished
guest, and how long after the link's return messages flowed again.

Usage: session_outage_test.py <session_outage_peer program>
Needs root, iproute2 and nftables; exits 77 (skipped) elsewhere.
"""
import os
import queue
import shutil
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
PORT, COUNT, SIZE, INTERVAL_MS, OUTAGE_S = 27911, 500, 1000, 50, 20
NOTICE_PATIENCE_S = 30
tag = "krvnet-o%d" % (os.getpid() % 100000)
ns_host, ns_idle, ns_guest = tag + "h", tag + "a", tag + "b"
namespaces = (ns_host, ns_idle, ns_guest)


def run(*args):
    return subprocess.run(list(args), capture_output=True, text=True, timeout=20)


def must(*args):
    done = run(*args)
    if done.returncode != 0:
        raise RuntimeError("%s: %s" % (" ".join(args), done.stderr.strip()))


class Peer:
    """A peer program in a namespace; its output lines arrive on a queue."""

    def __init__(self, namespace, *args):
        # Each peer logs into a folder of its own: a failure prints why a side dropped the other.
        self.logs = os.path.join(log_root, str(args[0]))
        os.mkdir(self.logs, 0o700)
        self.process = subprocess.Popen(["ip", "netns", "exec", namespace, program, *map(str, args)],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                        env=dict(os.environ, TMPDIR=self.logs))
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())
        self.lines.put(None)

    def expect(self, wanted, seconds):
        line = self.lines.get(timeout=seconds)
        if line is None or not line.startswith(wanted):
            raise RuntimeError("expected %r, got %r" % (wanted, line))
        return line

    def tell(self, line):
        self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=10)


def cut(namespace):
    """Drops every packet in and out of the namespace, as a vanished machine.
    Both ways at once: the side that cannot send then finds its own sends
    failing, as on a machine whose link went down."""
    rules = ("table inet krvcut {\n"
             "  chain in { type filter hook input priority 0; policy drop; }\n"
             "  chain out { type filter hook output priority 0; policy drop; }\n"
             "}\n")
    done = subprocess.run(["ip", "netns", "exec", namespace, "nft", "-f", "-"], input=rules,
                          capture_output=True, text=True, timeout=20)
    if done.returncode != 0:
        raise RuntimeError("nft: %s" % done.stderr.strip())


def heal(namespace):
    must("ip", "netns", "exec", namespace, "nft", "delete", "table", "inet", "krvcut")


def set_up():
    for namespace in namespaces:
        must("ip", "netns", "add", namespace)
        must("ip", "-n", namespace, "link", "set", "lo", "up")
    for number, namespace in ((1, ns_idle), (2, ns_guest)):
        near, far = "%sx%d" % (tag[-6:], number), "%sy%d" % (tag[-6:], number)
        must("ip", "link", "add", near, "netns", ns_host, "type", "veth", "peer", "name", far, "netns", namespace)
        must("ip", "-n", ns_host, "addr", "add", "10.77.%d.1/24" % number, "dev", near)
        must("ip", "-n", namespace, "addr", "add", "10.77.%d.2/24" % number, "dev", far)
        must("ip", "-n", ns_host, "link", "set", near, "up")
        must("ip", "-n", namespace, "link", "set", far, "up")


def scenario():
    peers = []
    failures = []
    try:
        host = Peer(ns_host, "host", PORT, COUNT, SIZE, INTERVAL_MS)
        peers.append(host)
        host.expect("ready", 20)
        vanishing = Peer(ns_idle, "idle", "10.77.1.1", PORT)
        peers.append(vanishing)
        vanishing.expect("ready", 20)
        guest = Peer(ns_guest, "guest", "10.77.2.1", PORT, COUNT, SIZE, INTERVAL_MS)
        peers.append(guest)
        guest.expect("ready", 20)
        poller = Peer(ns_host, "poller", "127.0.0.1", PORT)
        peers.append(poller)
        poller.expect("ready", 20)

        # 1. The idle guest vanishes; both ends are idle.
        cut(ns_idle)
        start = time.monotonic()
        for _ in range(2):  # its query player and "I"
            host.expect("left", NOTICE_PATIENCE_S)
        print("host noticed the vanished guest after %.1f s" % (time.monotonic() - start))
        vanishing.expect("ended", NOTICE_PATIENCE_S)
        print("the vanished guest noticed its host gone after %.1f s" % (time.monotonic() - start))

        # 2. An outage under traffic.
        host.tell("go")
        guest.tell("go")
        time.sleep(2)
        cut(ns_guest)
        time.sleep(OUTAGE_S)
        heal(ns_guest)
        host.expect("received", 60)
        guest.expect("received", 60)

        for peer in peers:
            peer.tell("end")
        for name, peer in (("host", host), ("guest", guest)):
            line = peer.expect("sent", 30)
            print("%s: %s" % (name, line))
            gap_s = int(line.rsplit(" ", 1)[1]) / 1000.0
            print("%s: messages flowed again %.1f s after the link came back" % (name, gap_s - OUTAGE_S))
            wanted = "sent %d refused 0 received %d disorder 0 left %d running 1 gap " % (
                COUNT, COUNT, 2 if peer is host else 0)
            if not line.startswith(wanted):
                failures.append("%s: %s, wanted %s..." % (name, line, wanted))
        line = poller.expect("polls", 30)
        print("poller: %s" % line)
        if not line.endswith(" failed 0"):
            failures.append("poller: " + line)
        vanishing.expect("running 0", 30)
        for peer in peers:
            peer.process.stdin.close()
        for peer in peers:
            if peer.process.wait(timeout=20) != 0:
                failures.append("a peer ended with status %d" % peer.process.returncode)
        if failures:
            show_logs(peers)
        return failures
    except (RuntimeError, queue.Empty, subprocess.TimeoutExpired):
        show_logs(peers)
        raise
    finally:
        for peer in peers:
            peer.stop()


def show_logs(peers):
    for peer in peers:
        path = os.path.join(peer.logs, "ErrorLog.txt")
        if os.path.exists(path):
            with open(path, errors="replace") as log:
                for line in log:
                    print("%s log: %s" % (peer.process.args[5], line.rstrip()))


def main():
    global program, log_root
    program = os.path.abspath(sys.argv[1])
    if os.geteuid() != 0 or shutil.which("ip") is None or shutil.which("nft") is None:
        print("skipped: needs root, iproute2 and nftables for network namespaces")
        return SKIP
    try:
        set_up()
    except (RuntimeError, OSError) as error:
        print("skipped: network namespaces unavailable here (%s)" % error)
        for namespace in namespaces:
            run("ip", "netns", "del", namespace)
        return SKIP
    log_root = tempfile.mkdtemp(prefix="krv-outage-")
    try:
        failures = scenario()
    except (RuntimeError, queue.Empty, subprocess.TimeoutExpired) as error:
        failures = ["%s: %s" % (type(error).__name__, error)]
    finally:
        for namespace in namespaces:
            run("ip", "netns", "del", namespace)
        shutil.rmtree(log_root, ignore_errors=True)
    for failure in failures:
        print("FAILED " + failure)
    print("passed" if not failures else "%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
