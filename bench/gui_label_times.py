#!/usr/bin/python3
# Prints what the gui label costs: the wall time of `ctest -L gui -j4`, the time of each test
# binary (the sum of its cases, each a process of its own), and, with --fsync BINARY, the
# fsync calls one run of that whole binary makes per case (strace -c -f -e fsync). Figures
# only, nothing asserted.
#   bench/gui_label_times.py [--build BUILD] [--label gui] [--jobs 4] [--fsync BINARY_NAME]
import argparse
import collections
import json
import os
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree


def discovered(build, label):
    # Each case's name, the binary it runs and the environment CTest gives it.
    listing = json.loads(subprocess.run(["ctest", "--test-dir", build, "-L", label, "--show-only=json-v1"],
                                        check=True, capture_output=True, text=True).stdout)
    cases = {}
    for test in listing.get("tests", []):
        command = test.get("command") or []
        env = {}
        for prop in test.get("properties", []):
            if prop.get("name") == "ENVIRONMENT":
                for entry in prop.get("value", []):
                    key, _, value = entry.partition("=")
                    env[key] = value
        if command:
            cases[test["name"]] = (os.path.basename(command[0]), command[0], env)
    return cases


def run_label(build, label, jobs):
    with tempfile.TemporaryDirectory() as folder:
        junit = os.path.join(folder, "gui.xml")
        started = time.monotonic()
        done = subprocess.run(["ctest", "--test-dir", build, "-L", label, "-j", str(jobs), "--output-junit", junit],
                              capture_output=True, text=True)
        wall = time.monotonic() - started
        times = {}
        failed = []
        skipped = []
        for case in ElementTree.parse(junit).getroot().iter("testcase"):
            times[case.get("name")] = float(case.get("time") or 0)
            if case.find("failure") is not None or case.get("status") == "fail":
                failed.append(case.get("name"))
            if case.find("skipped") is not None or case.get("status") in ("disabled", "notrun"):
                skipped.append(case.get("name"))
    return wall, times, failed, skipped, done.returncode


def fsync_calls(path, env, extra):
    with tempfile.NamedTemporaryFile("r", suffix=".strace") as out:
        subprocess.run(["strace", "-c", "-f", "-e", "trace=fsync", "-o", out.name, path] + extra,
                       capture_output=True, env=dict(os.environ, **env))
        for line in out.read().splitlines():
            fields = line.split()
            if len(fields) >= 5 and fields[-1] == "fsync":
                return int(fields[3])
    return 0


def fsyncs(path, env):
    # The fsync calls of one case run alone (as CTest runs it) and of the whole binary.
    listed = subprocess.run([path, "--gtest_list_tests"], capture_output=True, text=True,
                            env=dict(os.environ, **env)).stdout.splitlines()
    names = []
    suite = ""
    for line in listed:
        if not line.startswith(" "):
            suite = line.split()[0] if line.strip() else suite
        elif line.strip():
            names.append(suite + line.split()[0])
    first = fsync_calls(path, env, ["--gtest_filter=" + names[0]]) if names else 0
    return first, fsync_calls(path, env, []), len(names)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--label", default="gui")
    parser.add_argument("--jobs", type=int, default=4)
    parser.add_argument("--fsync", help="a test binary's name, run whole under strace")
    args = parser.parse_args()

    cases = discovered(args.build, args.label)
    wall, times, failed, skipped, status = run_label(args.build, args.label, args.jobs)
    per_binary = collections.defaultdict(lambda: [0, 0.0])
    for name, seconds in times.items():
        binary = cases.get(name, ("?",))[0]
        per_binary[binary][0] += 1
        per_binary[binary][1] += seconds
    print("ctest -L %s -j%d: %.1f s wall, %d cases, %.1f s of case time, %d failed, %d skipped (ctest status %d)" %
          (args.label, args.jobs, wall, len(times), sum(times.values()), len(failed), len(skipped), status))
    for binary, (count, seconds) in sorted(per_binary.items(), key=lambda item: -item[1][1]):
        print("  %-44s %4d cases %8.1f s  %6.2f s/case" % (binary, count, seconds, seconds / count))
    for name in failed:
        print("  failed: %s" % name)
    for name in skipped:
        print("  skipped: %s" % name)
    if args.fsync:
        found = [(path, env) for binary, path, env in cases.values() if binary == args.fsync]
        if not found:
            print("no binary %s in the label" % args.fsync)
            return 1
        first, whole, count = fsyncs(*found[0])
        print("%s: %d fsync calls for its first case alone; run whole, %d for %d cases (%.1f per case)" %
              (args.fsync, first, whole, count, whole / max(count, 1)))
    return 0


sys.exit(main())
