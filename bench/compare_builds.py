"""Side-by-side table of the best real time per benchmark over the rounds
that bench/compare_builds.sh left in a directory."""
import glob
import json
import os
import sys


def best_times(directory, side):
    best = {}
    labels = {}
    for path in glob.glob(os.path.join(directory, side + "-*.json")):
        with open(path) as file:
            try:
                report = json.load(file)
            except ValueError:
                continue
        for run in report.get("benchmarks", []):
            if run.get("error_occurred"):
                continue
            name = run["name"]
            time = run["real_time"]
            if name not in best or time < best[name]:
                best[name] = time
            if run.get("label"):
                labels[name] = run["label"]
    return best, labels


def main():
    directory = sys.argv[1]
    before, labels = best_times(directory, "before")
    after, after_labels = best_times(directory, "after")
    labels.update(after_labels)
    print("| benchmark | before | fps | after | fps | after / before |")
    print("|---|---:|---:|---:|---:|---:|")
    for name in sorted(set(before) | set(after), key=lambda n: list(before).index(n) if n in before else 1e9):
        shown = labels.get(name, name.replace("/real_time", ""))
        cells = []
        for figures in (before, after):
            time = figures.get(name)
            cells += ["%.1f ms" % time, "%.0f" % (1000.0 / time)] if time else ["-", "-"]
        ratio = "%.2f" % (after[name] / before[name]) if name in before and name in after else "-"
        print("| %s | %s | %s | %s | %s | %s |" % (shown, cells[0], cells[1], cells[2], cells[3], ratio))


main()
