"""Prints the tables of a bench run: one per family and row count.

    bench_table.py RUN.json                  every table
    bench_table.py --summary RUN.json        one line per family and row count (the doc's table)
    bench_table.py --compare A.json B.json   each ratio of run A beside run B's, and the change

Reads the JSON that Google Benchmark writes for statclient_bench, whose benchmarks are named
"<operation>/<family>/<rows>" and report items_per_second (rows), bytes_per_second and
heap_allocs (per row); with --benchmark_repetitions, the median of the repetitions stands for
each. Each row of a table is one operation; its ratios are its ns per row
divided by the baseline's of the same run: memcpy of the same payload, the hand-written decoder
of the same rows, and protobuf's parse (for unpacking) or serialisation (for packing) of the
equivalent message, sfixed32 and int32. The application operations are set against the
baselines handled the same way: a reused event against a reused message and vector, a fresh
one against fresh ones.
"""
import json
import sys


def ns_per_row(bench):
    return 1e9 / bench["items_per_second"]


def ratio(value, baseline):
    return f"{value / baseline:.2f}" if baseline else "-"


# The baselines an operation is set against: the hand-written decoder, protobuf sfixed32 and
# protobuf int32, by operation name (None where there is none).
BASELINES = {
    "unpack": ("hand_decode", "protobuf_sfixed32_parse", "protobuf_int32_parse"),
    "unpack_fresh": ("hand_decode", "protobuf_sfixed32_parse", "protobuf_int32_parse"),
    "event_path": ("hand_decode", "protobuf_sfixed32_parse", "protobuf_int32_parse"),
    "pack": (None, "protobuf_sfixed32_serialise", "protobuf_int32_serialise"),
    "app_unpack_reused": ("hand_reused", "protobuf_sfixed32_parse_reused",
                          "protobuf_int32_parse_reused"),
    "app_unpack_fresh": ("hand_fresh", "protobuf_sfixed32_parse_fresh",
                         "protobuf_int32_parse_fresh"),
    "app_pack": (None, "protobuf_sfixed32_serialise", "protobuf_int32_serialise"),
}


def baselines(operation):
    return BASELINES.get(operation, (None, None, None))


def load(path):
    """The run's context, its results by (family, rows) then operation, and the other benches."""
    with open(path) as file:
        run = json.load(file)
    results = {}
    others = []
    for bench in run["benchmarks"]:
        if bench.get("error_occurred"):
            continue
        # With repetitions, each benchmark is its median.
        if bench.get("repetitions", 1) > 1 and bench.get("aggregate_name") != "median":
            continue
        parts = bench.get("run_name", bench["name"]).split("/")
        if len(parts) < 3 or not parts[2].isdigit() or "items_per_second" not in bench:
            others.append(bench)
            continue
        operation, family, rows = parts[:3]
        results.setdefault((family, int(rows)), {})[operation] = bench
    return run["context"], results, others


def ratios(operations):
    """Each operation's ratios to its baselines: {(operation, baseline name): ratio}."""
    found = {}
    for operation, bench in operations.items():
        names = ("memcpy",) + baselines(operation)
        for name in names:
            if name and name in operations and name != operation:
                found[(operation, name)] = ns_per_row(bench) / ns_per_row(operations[name])
    return found


def summary(path):
    context, results, _ = load(path)
    print(f"{context['date']}, {context['num_cpus']} CPUs; ns per row (x memcpy of the payload)")
    operations = ("unpack", "unpack_fresh", "pack", "size", "copy")
    print("| family | rows | " + " | ".join(operations) + " |")
    print("|---|---:|" + "---:|" * len(operations))
    for (family, rows), found in sorted(results.items()):
        if "memcpy" not in found or rows == 1:
            continue
        memcpy = ns_per_row(found["memcpy"])
        cells = [f"{ns_per_row(found[op]):.1f} ({ns_per_row(found[op]) / memcpy:.1f})"
                 if op in found else "-" for op in operations]
        print(f"| {family} | {rows} | " + " | ".join(cells) + " |")


def compare(before_path, after_path):
    _, before, _ = load(before_path)
    _, after, _ = load(after_path)
    print("| family | rows | operation | against | before | after | change |")
    print("|---|---:|---|---|---:|---:|---:|")
    for key in sorted(before.keys() & after.keys()):
        a, b = ratios(before[key]), ratios(after[key])
        for (operation, baseline) in sorted(a.keys() & b.keys()):
            change = b[(operation, baseline)] / a[(operation, baseline)] - 1
            print(f"| {key[0]} | {key[1]} | {operation} | {baseline} "
                  f"| {a[(operation, baseline)]:.2f} | {b[(operation, baseline)]:.2f} "
                  f"| {change:+.0%} |")


def main(path):
    context, results, others = load(path)
    print(f"{context['date']}, {context['num_cpus']} CPUs")
    for (family, rows), operations in sorted(results.items()):
        memcpy = operations.get("memcpy")
        print(f"\n{family}, {rows} rows")
        print(f"| operation | ns/row | MB/s | heap allocs/row | x memcpy | x hand decoder "
              f"| x protobuf sfixed32 | x protobuf int32 |")
        print("|---|---:|---:|---:|---:|---:|---:|---:|")
        for operation, bench in operations.items():
            ns = ns_per_row(bench)
            hand, fixed, varint = (operations.get(name) for name in baselines(operation))
            print(f"| {operation} | {ns:.2f} | {bench['bytes_per_second'] / 1e6:.0f} "
                  f"| {bench['heap_allocs']:.3f} "
                  f"| {ratio(ns, ns_per_row(memcpy)) if memcpy else '-'} "
                  f"| {ratio(ns, ns_per_row(hand)) if hand else '-'} "
                  f"| {ratio(ns, ns_per_row(fixed)) if fixed else '-'} "
                  f"| {ratio(ns, ns_per_row(varint)) if varint else '-'} |")

    if others:
        print("\nother benchmarks")
        print("| benchmark | time | CPU time | counters |")
        print("|---|---:|---:|---|")
        standard = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
                    "iterations", "real_time", "cpu_time", "time_unit", "family_index",
                    "per_family_instance_index", "aggregate_name", "aggregate_unit"}
        for bench in others:
            counters = ", ".join(f"{key}={value:.4g}" for key, value in bench.items()
                                 if key not in standard and isinstance(value, (int, float)))
            unit = bench["time_unit"]
            print(f"| {bench['name']} | {bench['real_time']:.4g} {unit} "
                  f"| {bench['cpu_time']:.4g} {unit} | {counters} |")


if __name__ == "__main__":
    if sys.argv[1] == "--summary":
        summary(sys.argv[2])
    elif sys.argv[1] == "--compare":
        compare(sys.argv[2], sys.argv[3])
    else:
        main(sys.argv[1])
