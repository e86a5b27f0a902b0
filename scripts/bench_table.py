"""Prints the tables of a bench run: one per family and row count.

Reads the JSON that Google Benchmark writes for build/bench-release/statclient_bench, whose
benchmarks are named "<operation>/<family>/<rows>" and report items_per_second (rows),
bytes_per_second and heap_allocs (per row). Each row of a table is one operation; its ratios
are its ns per row divided by the baseline's: memcpy of the same payload, the hand-written
decoder of the same rows, and protobuf's parse (for unpacking) or serialisation (for packing)
of the equivalent message, sfixed32 and int32.
"""
import json
import sys


def ns_per_row(bench):
    return 1e9 / bench["items_per_second"]


def ratio(value, baseline):
    return f"{value / baseline:.2f}" if baseline else "-"


def main(path):
    with open(path) as file:
        run = json.load(file)
    results = {}
    others = []
    for bench in run["benchmarks"]:
        if bench.get("error_occurred"):
            continue
        parts = bench["name"].split("/")
        if len(parts) < 3 or not parts[2].isdigit() or "items_per_second" not in bench:
            others.append(bench)
            continue
        operation, family, rows = parts[:3]
        results.setdefault((family, int(rows)), {})[operation] = bench
    print(f"{run['context']['date']}, {run['context']['num_cpus']} CPUs")
    for (family, rows), operations in sorted(results.items()):
        memcpy = operations.get("memcpy")
        hand = operations.get("hand_decode")
        print(f"\n{family}, {rows} rows")
        print(f"| operation | ns/row | MB/s | heap allocs/row | x memcpy | x hand decoder "
              f"| x protobuf sfixed32 | x protobuf int32 |")
        print("|---|---:|---:|---:|---:|---:|---:|---:|")
        for operation, bench in operations.items():
            ns = ns_per_row(bench)
            direction = "serialise" if operation == "pack" else "parse"
            fixed = operations.get(f"protobuf_sfixed32_{direction}")
            varint = operations.get(f"protobuf_int32_{direction}")
            compared = operation in ("unpack", "unpack_fresh", "pack", "event_path")
            print(f"| {operation} | {ns:.2f} | {bench['bytes_per_second'] / 1e6:.0f} "
                  f"| {bench['heap_allocs']:.3f} "
                  f"| {ratio(ns, ns_per_row(memcpy)) if memcpy else '-'} "
                  f"| {ratio(ns, ns_per_row(hand)) if hand and compared else '-'} "
                  f"| {ratio(ns, ns_per_row(fixed)) if fixed and compared else '-'} "
                  f"| {ratio(ns, ns_per_row(varint)) if varint and compared else '-'} |")

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
    main(sys.argv[1])
