#!/usr/bin/env python3
"""Turns one run of the benchmarks into the "Latest run" section of docs/benchmarks.md.

Reads google-benchmark JSON files (times) and the output of the callgrind runs of
quellwarden_gate_instructions and quellwarden_load_instructions (instruction counts), prints the
section and writes it between the document's "bench:begin" and "bench:end" markers. The
machine's description comes from the QW_BENCH_CPU, QW_BENCH_CORES, QW_BENCH_DATE and
QW_BENCH_COMPILER environment variables. With --print-only (and no times) it prints what it has
and leaves the document alone.

usage: bench_report.py DOC [--times FILE...] [--instructions DIR] [--instructions-notices DIR]
                       [--instructions-books DIR] [--instructions-load DIR] [--print-only]
"""
import argparse
import glob
import json
import os
import re
import sys

SCALE = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
GATES = ["taming", "imprint", "riding"]
SITUATIONS = ["null_creature", "not_listed", "locked", "released"]
# The plugin's own work against the host work it owes, by instructions: at most 15%, and within 1%
# where the gate only tells a null creature apart.
TARGET_ADDED = 0.15
TARGET_ADDED_NULL = 0.01
BEGIN, END = "<!-- bench:begin -->", "<!-- bench:end -->"


def fastest_repetitions(result_paths):
    """The fastest repetition of each benchmark: on a shared machine, other work only adds time."""
    runs = [json.load(open(path)) for path in result_paths or []]
    if not runs:
        return {}, {}
    best = {}
    for run in runs:
        for entry in run["benchmarks"]:
            if entry.get("run_type") != "iteration":
                continue
            name = re.sub(r"/min_time:[0-9.]+", "", entry["run_name"])
            if name not in best or entry["cpu_time"] < best[name]["cpu_time"]:
                best[name] = entry
    return runs[0]["context"], best


class Times:
    def __init__(self, best):
        self.best = best

    def ns(self, name):
        entry = self.best.get(name)
        return None if entry is None else entry["cpu_time"] * SCALE[entry["time_unit"]]

    def counter(self, name, key):
        entry = self.best.get(name)
        return None if entry is None else entry.get(key)


class Instructions:
    """Instructions per step of each measured loop, the loop's own instructions taken off."""

    def __init__(self, directory):
        self.totals, self.runs, self.count = {}, {}, None
        if directory is None:
            return
        driver = json.load(open(os.path.join(directory, "driver.json")))
        self.count, self.runs = driver["decisions"], driver["runs"]
        for path in glob.glob(os.path.join(directory, "callgrind.out*")):
            text = open(path).read()
            label = re.search(r"^desc: Trigger: Client Request: (\S+)$", text, re.M)
            total = re.search(r"^(?:summary|totals): (\d+)", text, re.M)
            if label and total:
                self.totals[label.group(1)] = int(total.group(1))

    def per_step(self, label, loop):
        if label not in self.totals or loop not in self.totals:
            return None
        return (self.totals[label] - self.totals[loop]) / self.count

    def decision(self, gate, way, situation):
        return self.per_step(f"{gate}/{way}/{situation}", f"{gate}/loop/{situation}")

    def part(self, step):
        return self.per_step(f"part/{step}", "part/loop")

    def compares(self, label):
        run = self.runs.get(label)
        return None if run is None else run["compares"] / self.count

    def allocations(self, label):
        run = self.runs.get(label)
        return None if run is None or "allocations" not in run else run["allocations"] / self.count

    def sent(self, gate):
        """A locked decision that sends its notice, every time."""
        return self.per_step(f"sent/{gate}/locked", f"{gate}/loop/locked")


def fmt_ns(value):
    if value is None:
        return "n/a"
    return f"{value / 1e6:.1f} ms" if value >= 1e6 else f"{value:.1f} ns"


def fmt_count(value):
    return "n/a" if value is None else f"{value:,.0f}"


def fmt_ratio(value):
    return "n/a" if value is None else f"{value:.2f}x"


def fmt_added(value):
    return "n/a" if value is None else f"{value * 100:+.1f}%"


def ratio(a, b):
    return None if a is None or b is None or b == 0 else a / b


def added(total, base):
    r = ratio(total, base)
    return None if r is None else r - 1


def difference(a, b):
    return None if a is None or b is None else a - b


def verdict(ok):
    return "n/a" if ok is None else ("met" if ok else "**missed**")


def target_of(situation):
    return TARGET_ADDED_NULL if situation == "null_creature" else TARGET_ADDED


def fmt_target(situation):
    return f"{target_of(situation) * 100:.0f}%"


def header(context):
    load = context.get("load_avg", [])
    return [
        "## Latest run",
        "",
        f"- Machine: {os.environ.get('QW_BENCH_CPU', 'n/a')},"
        f" {os.environ.get('QW_BENCH_CORES', 'n/a')} cores"
        f" (load average at start: {', '.join(f'{x:.2f}' for x in load) or 'n/a'})",
        f"- Date: {os.environ.get('QW_BENCH_DATE', 'n/a')}",
        f"- Compiler: {os.environ.get('QW_BENCH_COMPILER', 'n/a')}, Release (-O3)",
        *(["- **The machine was busy when the run started; times are noisier than on a quiet"
           " one (instruction counts are not).**"] if load and load[0] > 1.0 else []),
        "- Times: the least CPU time of 9 repetitions run in random interleaved order, per call"
        " (per load for the loader).",
        "- Instructions: counted by callgrind over a loop of many calls, less the loop's own, per"
        " call; the same code as the times.",
        "",
    ]


def game_table(times, counts):
    out = ["### Gate decision against a direct call of the game's own function", "",
           "| Gate | Situation | Game's function | Gate decision | Ratio |"
           " Game's function, time | Gate decision, time | Ratio by time |",
           "|---|---|---|---|---|---|---|---|"]
    for gate in GATES:
        for situation in SITUATIONS:
            game_i = counts.decision(gate, "game", situation)
            gate_i = counts.decision(gate, "gate", situation)
            game_t = times.ns(f"gate/{gate}/game/{situation}")
            gate_t = times.ns(f"gate/{gate}/gate/{situation}")
            out.append(f"| {gate} | {situation} | {fmt_count(game_i)} | {fmt_count(gate_i)} | "
                       f"{fmt_ratio(ratio(gate_i, game_i))} | {fmt_ns(game_t)} | "
                       f"{fmt_ns(gate_t)} | {fmt_ratio(ratio(gate_t, game_t))} |")
    return out


def host_work_table(times, counts, books):
    out = ["", "### What a gate adds over the host work it owes"
           f" (target: at most {TARGET_ADDED * 100:.0f}% by instructions, within"
           f" {TARGET_ADDED_NULL * 100:.0f}% on a null creature)", "",
           "Host work: for a creature, the class name read (two fields and FName.ToString, the"
           " name's buffer given back) and, for a listed class, one compare and the clock read,"
           " each reached by name through the resolver; wherever the gate lets the call through,"
           " the game's own function, passed on as every hook passes it on. Done by a hook of the"
           " gate's signature that does nothing else, on the stand-in with its books off. Counts"
           " are instructions per decision; allocations are the plugin's own from the C++ heap"
           " (the gate's less the host work's). Beside: the same with the stand-in's books on, the"
           " base the figures stood on before.", "",
           "| Gate | Situation | Host work | Gate decision | Plugin's own | Added | Target | Met |"
           " Compares | Allocations | Host work, books on | Added, books on | Host work, time |"
           " Gate decision, time | Added by time |",
           "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"]
    for gate in GATES:
        for situation in SITUATIONS:
            host_i = counts.decision(gate, "host_work", situation)
            gate_i = counts.decision(gate, "gate", situation)
            host_t = times.ns(f"gate/{gate}/host_work/{situation}")
            gate_t = times.ns(f"gate/{gate}/gate/{situation}")
            share = added(gate_i, host_i)
            compares = counts.compares(f"{gate}/gate/{situation}")
            own_allocations = difference(counts.allocations(f"{gate}/gate/{situation}"),
                                         counts.allocations(f"{gate}/host_work/{situation}"))
            books_host = books.decision(gate, "host_work", situation)
            books_share = added(books.decision(gate, "gate", situation), books_host)
            out.append(
                f"| {gate} | {situation} | {fmt_count(host_i)} | {fmt_count(gate_i)} | "
                f"{fmt_count(difference(gate_i, host_i))} | {fmt_added(share)} | "
                f"{fmt_target(situation)} | "
                f"{verdict(None if share is None else share <= target_of(situation))} | "
                f"{'n/a' if compares is None else f'{compares:.2f}'} | "
                f"{'n/a' if own_allocations is None else f'{abs(own_allocations):.2f}' if abs(own_allocations) < 0.005 else f'{own_allocations:.2f}'} | "
                f"{fmt_count(books_host)} | {fmt_added(books_share)} | {fmt_ns(host_t)} | "
                f"{fmt_ns(gate_t)} | {fmt_added(added(gate_t, host_t))} |")
    return out


def notices_table(counts, notices):
    if notices.count is None:
        return []
    out = ["", "### Player notices: gate decisions with them off and on", "",
           "Instructions per decision. With notices off a refusal costs one test more than before"
           " notices existed; with them on only a refusal does more: the cooldown's look-up when"
           " a notice went out recently, or the notice itself (last column: a cooldown of 0, so"
           " every refusal sends one). The plugin's own work with notices on is counted over the"
           " same host work as without; the 15% is the decisions' target, shown for comparison.",
           "",
           "| Gate | Situation | Notices off | Notices on | Added | Plugin's own, notices on |"
           " Added over the host work | Within 15% | Each refusal sends |",
           "|---|---|---|---|---|---|---|---|---|"]
    for gate in GATES:
        for situation in SITUATIONS:
            off = counts.decision(gate, "gate", situation)
            on = notices.decision(gate, "gate", situation)
            host = counts.decision(gate, "host_work", situation)
            share = added(on, host)
            sent = notices.sent(gate) if situation == "locked" else None
            out.append(f"| {gate} | {situation} | {fmt_count(off)} | {fmt_count(on)} | "
                       f"{fmt_count(difference(on, off))} | {fmt_count(difference(on, host))} | "
                       f"{fmt_added(share)} | "
                       f"{verdict(None if share is None else share <= target_of(situation))} | "
                       f"{fmt_count(sent) if situation == 'locked' else ''} |")
    return out


def steps_table(times, counts):
    find = counts.part("find")
    compare = counts.part("compare")
    find_folded = counts.part("find_other_case")
    compare_folded = counts.part("compare_other_case")
    null_own = difference(counts.decision("taming", "gate", "null_creature"),
                          counts.decision("taming", "host_work", "null_creature"))
    rows = [
        ("plugin", "key hash of Rex_Character_BP_C (18 units)", counts.part("key_hash"),
         times.ns("gate/part/key_hash")),
        ("plugin", "its find in the table, beyond the one compare", difference(find, compare),
         None),
        ("plugin", "the same, the class spelled in other letter case than the table's key",
         difference(find_folded, compare_folded), None),
        ("plugin", "the census's count of a class met before (Dodo_Character_BP_C, 19 units)",
         counts.part("census"), None),
        ("plugin", "taming gate on a null creature, beyond the game's function passed on",
         null_own, None),
        ("host", "the game's compare by name (resolver lookup and Stricmp)", compare, None),
        ("host", "current time (_Xtime_get_ticks), read for a listed class",
         counts.part("clock_read"), times.ns("gate/part/clock_read")),
        ("plugin and host",
         "the chat command's answer to one player: 10 of its 22 locked classes and how many more",
         counts.part("chat_answer"), None),
    ]
    out = ["", "### Steps of a locked decision, alone", "",
           "| Whose | Step | Instructions | Time |", "|---|---|---|---|"]
    for whose, label, count, time in rows:
        out.append(f"| {whose} | {label} | {fmt_count(count)} | {fmt_ns(time)} |")
    return out


def find_table(times):
    out = ["", "### Find against std::unordered_map with a case-folding hash"
           " (target: within 1.5x of the map with the same compare, by time)", "",
           "| Entries | Delay table | Compares | unordered_map | Ratio |"
           " unordered_map, game compare | Ratio | Target |", "|---|---|---|---|---|---|---|---|"]
    for size in [10, 1000, 100000]:
        table = times.ns(f"find/delay_table/{size}")
        plain = times.ns(f"find/unordered_map/{size}")
        game = times.ns(f"find/unordered_map_game_compare/{size}")
        compares = times.counter(f"find/delay_table/{size}", "compares")
        same_compare = ratio(table, game)
        out.append(f"| {size:,} | {fmt_ns(table)} | "
                   f"{'n/a' if compares is None else f'{compares:.2f}'} | {fmt_ns(plain)} | "
                   f"{fmt_ratio(ratio(table, plain))} | {fmt_ns(game)} | "
                   f"{fmt_ratio(same_compare)} | "
                   f"{verdict(None if same_compare is None else same_compare <= 1.5)} |")
    growth = [ratio(times.ns(f"find/{kind}/100000"), times.ns(f"find/{kind}/10"))
              for kind in ("delay_table", "unordered_map", "unordered_map_game_compare")]
    out.append(f"| growth 10 to 100,000 | {fmt_ratio(growth[0])} | | {fmt_ratio(growth[1])} |"
               f" | {fmt_ratio(growth[2])} | | |")
    out += ["", "Key hash of the find probes (Dino<n>_Character_BP_C):"
            f" {fmt_ns(times.ns('find/part/key_hash/100000'))}; the map's folded FNV-1a hash of"
            f" the same probes: {fmt_ns(times.ns('find/part/folded_hash/100000'))}."]
    return out


def load_table(times, counts):
    out = ["", "### Loading 100,000 entries against parsing the file alone", "",
           "Targets, every diagnostic on (each entry a mod's class, so no nearest-class search"
           " runs; see the class-name check above): instructions at most 2x the parse's, C++ heap"
           " allocations at most 2x, heap peak at most 1.5x, the game allocator's blocks counted"
           " in the peak. Times beside.", "",
           "| Step | Instructions | Ratio | Time | Ratio by time | Heap peak, game's blocks"
           " counted | Ratio | C++ heap allocations | Ratio |",
           "|---|---|---|---|---|---|---|---|---|"]
    parse_t = times.ns("load/nlohmann_parse")
    parse_i = counts.per_step("load/nlohmann_parse", "load/nothing")
    parse_peak = times.counter("load/nlohmann_parse", "heap_peak_MiB")
    parse_allocs = times.counter("load/nlohmann_parse", "heap_allocs")
    ratios = {}
    for name, label in [("load/nlohmann_parse", "nlohmann/json parse alone"),
                        ("load/parse_and_read", "read and check the file, no tables"),
                        ("load/load_config", "LoadConfig, the whole load")]:
        count = counts.per_step(name, "load/nothing")
        peak = times.counter(name, "heap_peak_MiB")
        allocs = times.counter(name, "heap_allocs")
        ratios[name] = (ratio(count, parse_i), ratio(allocs, parse_allocs), ratio(peak, parse_peak))
        out.append(f"| {label} | {fmt_count(count)} | {fmt_ratio(ratios[name][0])} | "
                   f"{fmt_ns(times.ns(name))} | {fmt_ratio(ratio(times.ns(name), parse_t))} | "
                   f"{'n/a' if peak is None else f'{peak:.1f} MiB'} | "
                   f"{fmt_ratio(ratios[name][2])} | "
                   f"{'n/a' if allocs is None else f'{allocs:,.0f}'} | "
                   f"{fmt_ratio(ratios[name][1])} |")
    instructions, allocations, peak = ratios["load/load_config"]
    file_mib = times.counter("load/load_config", "file_MiB")
    game_mib = times.counter("load/load_config", "game_live_MiB")
    blocks = times.counter("load/load_config", "game_blocks")
    out += ["", f"Instructions at most 2x: {verdict(None if instructions is None else instructions <= 2)};"
            f" allocations at most 2x: {verdict(None if allocations is None else allocations <= 2)};"
            f" peak at most 1.5x: {verdict(None if peak is None else peak <= 1.5)}. The file is "
            f"{'n/a' if file_mib is None else f'{file_mib:.1f} MiB'}; after the load the two"
            f" tables hold {'n/a' if game_mib is None else f'{game_mib:.1f} MiB'} in "
            f"{'n/a' if blocks is None else f'{blocks:,.0f}'} blocks of the game's allocator."
            " The middle step's instructions are not counted."]
    return out


def write_section(doc_path, report):
    doc = (open(doc_path).read() if os.path.exists(doc_path)
           else f"# Benchmarks\n\n{BEGIN}\n{END}\n")
    if BEGIN not in doc or END not in doc:
        sys.exit(f"{doc_path} lacks the {BEGIN} and {END} markers")
    head, rest = doc.split(BEGIN, 1)
    tail = rest.split(END, 1)[1]
    open(doc_path, "w").write(f"{head}{BEGIN}\n{report}{END}{tail}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("doc")
    parser.add_argument("--times", nargs="+", metavar="FILE")
    parser.add_argument("--instructions", metavar="DIR")
    parser.add_argument("--instructions-notices", metavar="DIR")
    parser.add_argument("--instructions-books", metavar="DIR")
    parser.add_argument("--instructions-load", metavar="DIR")
    parser.add_argument("--print-only", action="store_true")
    args = parser.parse_args()
    if not args.times and not args.print_only:
        parser.error("the document is written only from a whole run: give --times")

    context, best = fastest_repetitions(args.times)
    times, counts = Times(best), Instructions(args.instructions)
    out = header(context)
    out += game_table(times, counts)
    out += host_work_table(times, counts, Instructions(args.instructions_books))
    out += notices_table(counts, Instructions(args.instructions_notices))
    out += steps_table(times, counts)
    if args.times:
        out += find_table(times)
    if args.times or args.instructions_load:
        out += load_table(times, Instructions(args.instructions_load))
    report = "\n".join(out) + "\n"
    print(report)
    if not args.print_only:
        write_section(args.doc, report)
        print(f"written to {args.doc}")


if __name__ == "__main__":
    main()
