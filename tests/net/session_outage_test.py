"""Host and guests on two machines: two network namespaces joined by a veth
pair, the host in one, a guest joining by address in the other. The link goes
down for 3 s while each side sends 300 messages of 1,000 bytes; a second
guest beside the host asks the player count every 0.5 s meanwhile. Every
message must arrive once and in order, no one may be dropped, and every count
must be answered.

Usage: session_outage_test.py <session_outage_peer program>
Needs root and iproute2 (network namespaces); exits 77 (skipped) elsewhere.
"""
import os
import queue
import shutil
import subprocess
import sys
import threading
import time

SKIP = 77
COUNT, SIZE, PORT = 300, 1000, 27911
tag = "krvo%d" % (os.getpid() % 100000)
ns_host, ns_guest = tag + "h", tag + "g"
link_host, link_guest = tag + "a", tag + "b"


def ip(*args):
    return subprocess.run(["ip", *args], capture_output=True, text=True, timeout=20)


def must(*args):
    done = ip(*args)
    if done.returncode != 0:
        raise RuntimeError("ip %s: %s" % (" ".join(args), done.stderr.strip()))


class Peer:
    """A peer program in a namespace; its output lines arrive on a queue."""

    def __init__(self, namespace, *args):
        self.process = subprocess.Popen(["ip", "netns", "exec", namespace, program, *map(str, args)],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
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


def set_up():
    must("netns", "add", ns_host)
    must("netns", "add", ns_guest)
    must("link", "add", link_host, "netns", ns_host, "type", "veth", "peer", "name", link_guest, "netns", ns_guest)
    must("-n", ns_host, "addr", "add", "10.77.0.1/24", "dev", link_host)
    must("-n", ns_guest, "addr", "add", "10.77.0.2/24", "dev", link_guest)
    for namespace, link in ((ns_host, link_host), (ns_guest, link_guest)):
        must("-n", namespace, "link", "set", "lo", "up")
        must("-n", namespace, "link", "set", link, "up")


def run():
    peers = []
    try:
        host = Peer(ns_host, "host", PORT, COUNT, SIZE)
        peers.append(host)
        host.expect("ready", 20)
        guest = Peer(ns_guest, "guest", "10.77.0.1", PORT, COUNT, SIZE)
        peers.append(guest)
        guest.expect("ready", 20)
        poller = Peer(ns_host, "poller", "127.0.0.1", PORT)
        peers.append(poller)
        poller.expect("ready", 20)

        must("-n", ns_guest, "link", "set", link_guest, "down")
        host.tell("go")
        guest.tell("go")
        time.sleep(3)
        must("-n", ns_guest, "link", "set", link_guest, "up")

        host.expect("received", 60)
        guest.expect("received", 60)
        failures = []
        for peer in (host, guest, poller):
            peer.tell("end")
        wanted = "sent %d refused 0 received %d disorder 0 left 0 running 1" % (COUNT, COUNT)
        for name, peer in (("host", host), ("guest", guest)):
            line = peer.expect("sent", 30)
            print("%s: %s" % (name, line))
            if line != wanted:
                failures.append("%s: %s, wanted %s" % (name, line, wanted))
        line = poller.expect("polls", 30)
        print("poller: %s" % line)
        if not line.endswith(" failed 0"):
            failures.append("poller: " + line)
        for peer in peers:
            peer.process.stdin.close()
        for peer in peers:
            if peer.process.wait(timeout=20) != 0:
                failures.append("a peer ended with status %d" % peer.process.returncode)
        return failures
    finally:
        for peer in peers:
            peer.stop()


def main():
    global program
    program = os.path.abspath(sys.argv[1])
    if os.geteuid() != 0 or shutil.which("ip") is None:
        print("skipped: needs root and iproute2 for network namespaces")
        return SKIP
    try:
        set_up()
    except (RuntimeError, OSError) as error:
        print("skipped: network namespaces unavailable here (%s)" % error)
        ip("netns", "del", ns_host)
        ip("netns", "del", ns_guest)
        return SKIP
    try:
        failures = run()
    except (RuntimeError, queue.Empty, subprocess.TimeoutExpired) as error:
        failures = ["%s: %s" % (type(error).__name__, error)]
    finally:
        ip("netns", "del", ns_host)
        ip("netns", "del", ns_guest)
    for failure in failures:
        print("FAILED " + failure)
    print("passed" if not failures else "%d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
