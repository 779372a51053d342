#!/usr/bin/env python3
"""Drives one sandbox server through a simulated week of a busy server, for scripts/soak.sh.

Gate decisions of many players with player notices on, a reload every simulated hour that
alternates a good and a broken configuration (from the console, the sandbox's RCON command and
RCON over TCP in turn), and status requests from several RCON clients at once. At each simulated
day it prints the game allocator's live blocks and the sandbox's resident memory, which must stay
flat after the first day; every gate must decide as the configuration says, and no error may be
logged but the broken files' refusals. Exit status 1 when any of that fails.
"""

import argparse
import collections
import datetime
import json
import os
import random
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

CONFIG = os.path.join("ArkApi", "Plugins", "Quellwarden", "config.json")
PASSWORD = "soak"
# The game allocator's books are exact and must not move at all. The process's resident size moves
# by a few pages as glibc's heap and the kernel's pipe and socket buffers settle (about 100 KiB
# over a week is usual), so it may grow this much after the first day: enough to catch a few bytes
# kept per decision, or the earlier fault of a kilobyte kept per status reply, within two days.
RSS_TOLERANCE_KIB = 256
GATES = {"tame": ("CanTame", "taming"), "imprint": ("ImprintBabyDino", "taming"),
         "ride": ("SetRider", "riding")}


def unix_seconds(wipe):
    """The configuration's WipeTimestamp as Unix seconds: a number or a date with its zone."""
    if isinstance(wipe, int):
        return wipe
    text = re.sub(r"(?i) utc$", "+00:00", wipe.strip())
    return int(datetime.datetime.fromisoformat(text.replace("Z", "+00:00")).timestamp())


class Configurations:
    """The good file (the example with player notices on) and two broken ones, and what the good
    one holds back."""

    def __init__(self, example_path, notices):
        with open(example_path, encoding="utf-8") as example:
            settings = json.load(example)
        if notices:
            settings["PlayerNotices"] = {"CooldownSeconds": 30}
        self.good = json.dumps(settings, indent=2) + "\n"
        # A comma missing (no JSON at all) and an hour count as text (a type error).
        self.broken = [self.good.replace(",", "", 1),
                       self.good.replace('"HoursToDelay": 24', '"HoursToDelay": "24"', 1)]
        self.wipe = unix_seconds(settings["WipeTimestamp"])
        lists = settings["DinoSettings"]
        self.unlocks = {
            name: {cls: self.wipe + entry["HoursToDelay"] * 3600
                   for cls, entry in lists.get("Disallow" + name.capitalize(), {}).items()}
            for name in ("riding", "taming")}
        self.classes = sorted(set(self.unlocks["riding"]) | set(self.unlocks["taming"]))

    def refused(self, gate, cls, now):
        unlock = self.unlocks[GATES[gate][1]].get(cls)
        return unlock is not None and now < unlock


class RconClient:
    """A minimal Source RCON client that collects a reply of several packets: it sends an empty
    RESPONSE_VALUE after each command and reads until that comes back."""

    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=120)
        self.pending = b""
        self.last_id = 0
        self.send(3, PASSWORD)
        packet_id, _, _ = self.receive()
        if packet_id == -1:
            raise RuntimeError("RCON refused the password")

    def send(self, kind, body):
        self.last_id += 1
        data = struct.pack("<ii", self.last_id, kind) + body.encode() + b"\0\0"
        self.sock.sendall(struct.pack("<i", len(data)) + data)
        return self.last_id

    def receive(self):
        while True:
            if len(self.pending) >= 4:
                size = struct.unpack("<i", self.pending[:4])[0]
                if len(self.pending) >= size + 4:
                    packet, self.pending = self.pending[4:size + 4], self.pending[size + 4:]
                    packet_id, kind = struct.unpack("<ii", packet[:8])
                    return packet_id, kind, packet[8:-2].decode("utf-8", "replace")
            chunk = self.sock.recv(65536)
            if not chunk:
                raise RuntimeError("the sandbox closed the RCON connection")
            self.pending += chunk

    def command(self, text):
        request = self.send(2, text)
        marker = self.send(0, "")
        parts = []
        while True:
            packet_id, _, body = self.receive()
            if packet_id == marker:
                return "".join(parts)
            if packet_id == request:
                parts.append(body)

    def close(self):
        self.sock.close()


class Transcript(threading.Thread):
    """Reads the sandbox's output as it comes and checks it line by line: gate outcomes against
    the configuration, error lines only while a broken file is reloaded, each reload's answer."""

    GATE_LINE = re.compile(r"^(CanTame|ImprintBabyDino|SetRider) (\S+) -> .*?(refused|game)\)?$")
    NOTICE_LINE = re.compile(r"^to p\d+ ")

    def __init__(self, stdout):
        super().__init__(daemon=True)
        self.stdout = stdout
        self.changed = threading.Condition()
        self.marks = 0
        self.port = None
        self.memory = None
        self.expected = collections.deque()  # (gate line's first word, creature, "refused"|"game")
        self.problems = []
        self.phase = ("start", 0)
        self.phase_lines = collections.Counter()
        self.counts = collections.Counter()
        self.finished = False

    def problem(self, text):
        if len(self.problems) < 20:
            self.problems.append(text)
        self.counts["problems"] += 1

    def run(self):
        for raw in self.stdout:
            self.take(raw.decode("utf-8", "replace").rstrip("\n"))
        with self.changed:
            self.finished = True
            self.changed.notify_all()

    def take(self, line):
        gate = self.GATE_LINE.match(line)
        if gate:
            self.check_gate(gate.groups(), line)
        elif self.NOTICE_LINE.match(line):
            self.counts["notices"] += 1
        elif line.startswith("soak-"):
            self.mark(line)
        elif line.startswith("memory "):
            with self.changed:
                self.memory = tuple(int(word) for word in line.split()[1::2])
        elif line.startswith("rcon listening on 127.0.0.1:"):
            with self.changed:
                self.port = int(line.rsplit(":", 1)[1])
                self.changed.notify_all()
        else:
            self.check_other(line)

    def check_gate(self, seen, line):
        if not self.expected:
            self.problem("a gate decision nobody asked for: " + line)
            return
        wanted = self.expected.popleft()
        if tuple(seen) != wanted:
            self.problem("wanted %s %s -> %s, got: %s" % (wanted + (line,)))
        self.counts["decisions"] += 1
        self.counts["refusals"] += seen[2] == "refused"

    def check_other(self, line):
        if line.startswith("quellwarden-sandbox:"):
            self.problem("the sandbox complained: " + line)
        elif "][error]" in line or line.startswith("error:"):
            self.phase_lines["error"] += 1
            if self.phase[0] != "reload-broken":
                self.problem("an error outside a broken file's reload: " + line)
        elif "][warning]" in line:
            self.counts["warnings"] += 1
        elif "Failed to reload config" in line:
            self.phase_lines["failed"] += 1
        elif "Reloaded config" in line:
            self.phase_lines["reloaded"] += 1
        elif " closed: " in line and line.startswith("rcon client"):
            self.problem("an RCON client was dropped: " + line)

    def mark(self, line):
        words = line.split()
        if words[0] == "soak-phase":
            self.end_phase()
            self.phase = (words[1], int(words[2]))
        with self.changed:
            self.marks += 1
            self.changed.notify_all()

    def end_phase(self):
        name, hour = self.phase
        seen = self.phase_lines
        if name == "reload-good" and (seen["reloaded"] != 1 or seen["failed"] or seen["error"]):
            self.problem("hour %d: the good file did not reload cleanly: %s" % (hour, dict(seen)))
        # Over RCON a refused reload answers with the reason itself, on the console with a line
        # of its own.
        if name == "reload-broken" and (seen["reloaded"] or seen["failed"] > 1 or not seen["error"]):
            self.problem("hour %d: the broken file was not refused with an error: %s"
                         % (hour, dict(seen)))
        self.counts["refused reloads"] += name == "reload-broken"
        self.counts["error lines"] += seen["error"]
        self.phase_lines = collections.Counter()

    def wait(self, predicate, what):
        with self.changed:
            if not self.changed.wait_for(lambda: predicate() or self.finished, timeout=300):
                raise RuntimeError("the sandbox did not answer in time: " + what)
            if not predicate():
                raise RuntimeError("the sandbox ended early, before " + what)


class StatusClients:
    """Several RCON clients connected at once, each asking for the status in text and JSON
    whenever the driver says so, while the game goes on."""

    def __init__(self, port, count, report):
        self.clients = [RconClient(port) for _ in range(count)]
        self.report = report
        self.threads = []
        self.requests = 0

    def ask(self):
        self.threads = [threading.Thread(target=self.ask_one, args=(client,))
                        for client in self.clients]
        for thread in self.threads:
            thread.start()

    def ask_one(self, client):
        try:
            text = client.command("Quellwarden.status")
            if not text.startswith("Quellwarden "):
                self.report("the status began otherwise: " + text[:80])
            status = json.loads(client.command("Quellwarden.status json"))
            if not isinstance(status.get("taming"), list):
                self.report("the status JSON has no taming list")
        except (OSError, RuntimeError, ValueError) as failure:
            self.report("a status request failed: %s" % failure)

    def join(self):
        for thread in self.threads:
            thread.join()
        self.requests += 2 * len(self.threads)

    def reload(self, client_index):
        return self.clients[client_index].command("Quellwarden.reload")

    def close(self):
        for client in self.clients:
            client.close()


class Soak:
    """The simulated week itself: one instance per run."""

    def __init__(self, options, configurations, workdir):
        self.options = options
        self.configurations = configurations
        self.config_path = os.path.join(workdir, CONFIG)
        self.random = random.Random(1)
        self.now = configurations.wipe
        self.next_mark = 0
        self.next_rcon_id = 100
        command = [options.sandbox, "--workdir", workdir, "--clock", str(self.now),
                   "--rcon-port", "0", "--rcon-password", PASSWORD]
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.STDOUT)
        self.transcript = Transcript(self.process.stdout)
        self.transcript.start()
        self.transcript.wait(lambda: self.transcript.port is not None, "RCON listening")
        self.clients = StatusClients(self.transcript.port, options.clients,
                                     self.transcript.problem)
        self.creatures = {"c%d" % index: cls
                          for index, cls in enumerate(configurations.classes + ["Dodo_Character_BP_C"])}

    def send(self, lines):
        self.process.stdin.write("".join(line + "\n" for line in lines).encode())
        self.process.stdin.flush()

    def sync(self, line="soak-mark"):
        """Sends `line` through echo and waits until the sandbox has worked off all before it."""
        self.next_mark += 1
        self.send(["echo %s %d" % (line, self.next_mark)])
        target = self.next_mark
        self.transcript.wait(lambda: self.transcript.marks >= target, line)

    def start(self):
        self.send(["spawn %s %s" % pair for pair in self.creatures.items()])
        if self.options.touch_switches:
            # Switches set and set off again must leave nothing behind on the hot paths.
            self.send(["fail alloc 0",
                       "fail resolve FMemory.Malloc(unsigned__int64,unsignedint) 0"])
        self.sync("soak-phase gates 0")

    def reload(self, hour):
        broken = hour % 2 == 1
        text = (self.configurations.broken[(hour // 2) % 2] if broken
                else self.configurations.good)
        with open(self.config_path, "w", encoding="utf-8") as config:
            config.write(text)
        self.sync("soak-phase %s %d" % ("reload-broken" if broken else "reload-good", hour))
        channel = hour % 3
        if channel == 0:
            self.send(["console Quellwarden.reload"])
        elif channel == 1:
            self.next_rcon_id += 1
            self.send(["rcon %d Quellwarden.reload" % self.next_rcon_id])
        else:
            reply = self.clients.reload(hour % len(self.clients.clients))
            if not reply or ("Reloaded config" in reply) == broken:
                self.transcript.problem("hour %d: RCON reload answered %r" % (hour, reply))
        self.sync("soak-phase gates %d" % hour)

    def decision(self):
        gate = self.random.choice(list(GATES))
        name = self.random.choice(list(self.creatures) + ["null"] * (len(self.creatures) // 20))
        player = "p%d" % self.random.randrange(self.options.players)
        cls = self.creatures.get(name)
        refused = cls is not None and self.configurations.refused(gate, cls, self.now)
        self.transcript.expected.append((GATES[gate][0], name, "refused" if refused else "game"))
        return "%s %s by %s" % (gate, name, player)

    def hour(self, hour, decisions):
        """The reload, then the status clients asking while the hour's decisions come, spread over
        its minutes so that notice cooldowns run out."""
        start = self.configurations.wipe + hour * 3600
        for minute in range(60):
            self.now = start + minute * 60
            lines = ["clock %d" % self.now]
            if minute == 0:
                self.send(lines)
                self.reload(hour)
                self.clients.ask()
                lines = []
            count = decisions * (minute + 1) // 60 - decisions * minute // 60
            self.send(lines + [self.decision() for _ in range(count)])
        self.sync()
        self.clients.join()

    def day_figures(self):
        self.send(["memory"])
        self.sync()
        with open("/proc/%d/status" % self.process.pid, encoding="ascii") as status:
            rss = int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1))
        with open("/proc/%d/stat" % self.process.pid, encoding="ascii") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        cpu = (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        return self.transcript.memory, rss, cpu

    def finish(self):
        self.send(["quit"])
        self.process.stdin.close()
        if self.process.wait(timeout=60) != 0:
            self.transcript.problem("the sandbox ended with status %d" % self.process.returncode)
        self.transcript.join(timeout=60)
        self.clients.close()


def run(options):
    examples = os.path.abspath(options.examples)
    configurations = Configurations(os.path.join(examples, CONFIG), not options.no_notices)
    workdir = tempfile.mkdtemp(prefix="quellwarden-soak-")
    soak = None
    try:
        shutil.copytree(examples, workdir, dirs_exist_ok=True)
        with open(os.path.join(workdir, CONFIG), "w", encoding="utf-8") as config:
            config.write(configurations.good)
        soak = Soak(options, configurations, workdir)
        return week(options, soak)
    finally:
        if soak and soak.process.poll() is None:
            soak.process.kill()
        shutil.rmtree(workdir, ignore_errors=True)


def week(options, soak):
    soak.start()
    started = time.monotonic()
    hours = options.days * 24
    days = []
    for day in range(options.days):
        for hour in range(day * 24, day * 24 + 24):
            soak.hour(hour, options.decisions * (hour + 1) // hours
                      - options.decisions * hour // hours)
        (blocks, size), rss, cpu = soak.day_figures()
        days.append((blocks, size, rss, cpu))
        counts = soak.transcript.counts
        print("day %d  decisions %6d  refusals %6d  notices %6d  reloads %3d (%d refused)  "
              "status %4d  memory %d blocks %d bytes  rss %d KiB  cpu %.2f s" % (
                  day + 1, counts["decisions"], counts["refusals"], counts["notices"],
                  (day + 1) * 24, counts["refused reloads"], soak.clients.requests, blocks, size,
                  rss, cpu), flush=True)
    soak.finish()
    transcript = soak.transcript
    transcript.end_phase()
    problems = list(transcript.problems)
    if transcript.expected:
        problems.append("%d gate decisions never came" % len(transcript.expected))
    first = days[0]
    for day, figures in enumerate(days[1:], start=2):
        if figures[:2] != first[:2]:
            problems.append("day %d: the game's allocator holds %d blocks, %d bytes; day 1 %d, %d"
                            % ((day,) + figures[:2] + first[:2]))
        if figures[2] > first[2] + RSS_TOLERANCE_KIB:
            problems.append("day %d: resident memory %d KiB, day 1 %d KiB (tolerance %d KiB)"
                            % (day, figures[2], first[2], RSS_TOLERANCE_KIB))
    print("%d decisions, %d notices, %d status requests, %d error lines (all refusals of broken "
          "files), %d warnings, in %.1f s wall, %.2f s sandbox CPU" % (
              transcript.counts["decisions"], transcript.counts["notices"],
              soak.clients.requests, transcript.counts["error lines"],
              transcript.counts["warnings"], time.monotonic() - started, days[-1][3]))
    if problems or transcript.counts["problems"]:
        for problem in problems:
            print("soak: " + problem, file=sys.stderr)
        print("soak FAILED (%d problems)" % max(len(problems), transcript.counts["problems"]),
              file=sys.stderr)
        return 1
    print("soak passed: allocator and resident memory flat after day 1")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sandbox", required=True, help="the quellwarden-sandbox program")
    parser.add_argument("--examples", required=True, help="the example server folder to copy")
    parser.add_argument("--days", type=int, default=7)
    parser.add_argument("--decisions", type=int, default=100_000, help="gate decisions in all")
    parser.add_argument("--players", type=int, default=100)
    parser.add_argument("--clients", type=int, default=4, help="RCON clients at once")
    parser.add_argument("--touch-switches", action="store_true",
                        help="issue fail alloc 0 and fail resolve NAME 0 before the week")
    parser.add_argument("--no-notices", action="store_true",
                        help="leave PlayerNotices out of the good file, to compare the cost")
    options = parser.parse_args()
    if options.days < 2:
        parser.error("--days must be 2 or more: memory is compared with the first day's")
    return run(options)


if __name__ == "__main__":
    sys.exit(main())
