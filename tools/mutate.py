#!/usr/bin/env python3
"""Planted faults: how many of them does the test suite catch?

Each mutant changes one operator or removes one statement at one site of src/, in a copy of the
source tree; the copy is built (only what changed) and the fast suites run against it. A mutant
is caught when a test fails or times out. Mutants that do not build are set aside and replaced
by another site, so the figure is over mutants that built.

    tools/mutate.py --sites 40 --seed 1            # 40 random sites
    tools/mutate.py --faults tools/mutate-faults.txt   # the named faults of that file
    tools/mutate.py --site src/app/frmMain.cpp:120:17:==   # one site again
    tools/mutate.py --list | wc -l                 # how many sites there are

The work happens under build/mutate/ (the source copy, its build, report.txt). It is slow (a
build per mutant) and is not part of CI. Needs python3, cmake, ninja, and ccache if the build
should be quick.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Operators, each written with spaces around it as clang-format does for binary operators, so
# template brackets, pointers and references are never taken for them.
SWAPS = [
    (" == ", " != "), (" != ", " == "),
    (" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
    (" && ", " || "), (" || ", " && "),
    (" + ", " - "), (" - ", " + "), (" * ", " / "),
    ("true", "false"), ("false", "true"),
]
# The suites a mutant is judged by: what ctest runs in the release preset, less what takes long
# or tests the packaging (valgrind, Xvfb, installs, embedding, the metadata and translations).
CTEST_EXCLUDE = ("memcheck|embed|package|app\\.deb|app\\.install|xvfb|metainfo|desktop_file|"
                 "translations")


def mask(lines):
    """The lines with comments and the insides of string and character literals blanked."""
    out, in_block, in_raw = [], False, None
    for line in lines:
        s, i, res = line, 0, []
        while i < len(s):
            if in_block:
                j = s.find("*/", i)
                if j < 0:
                    res.append(" " * (len(s) - i))
                    i = len(s)
                else:
                    res.append(" " * (j + 2 - i))
                    i, in_block = j + 2, False
            elif in_raw is not None:
                j = s.find(in_raw, i)
                if j < 0:
                    res.append(" " * (len(s) - i))
                    i = len(s)
                else:
                    res.append(" " * (j + len(in_raw) - i))
                    i, in_raw = j + len(in_raw), None
            elif s.startswith("//", i):
                res.append(" " * (len(s) - i))
                i = len(s)
            elif s.startswith("/*", i):
                in_block = True
                res.append("  ")
                i += 2
            elif (m := re.match(r'R"([^(]*)\(', s[i:])):
                in_raw = ")" + m.group(1) + '"'
                res.append(" " * m.end())
                i += m.end()
            elif s[i] in "\"'":
                q, j = s[i], i + 1
                while j < len(s) and s[j] != q:
                    j += 2 if s[j] == "\\" else 1
                res.append(q + " " * (min(j, len(s)) - i - 1) + (q if j < len(s) else ""))
                i = j + 1
            else:
                res.append(s[i])
                i += 1
        out.append("".join(res))
    return out


def sites_of(base, path):
    """Every site of a file: (line, column, what, to), 1-based line, 0-based column; what ';'
    means the statement on that line is removed."""
    with open(os.path.join(base, path), encoding="utf-8") as f:
        lines = f.read().split("\n")
    masked = mask(lines)
    result, previous = [], "{"
    for n, (line, m) in enumerate(zip(lines, masked), start=1):
        code = m.strip()
        if not code:
            continue
        if code.startswith("#") or code.startswith("static_assert") or "Q_OBJECT" in code:
            previous = code
            continue
        for what, to in SWAPS:
            for k in re.finditer(re.escape(what) if what[0] == " " else r"\b%s\b" % what, m):
                # "a - b" at a line's start is a continued expression: still an operator.
                result.append((n, k.start(), what, to))
        for k in re.finditer(r"!(?!=)", m):
            result.append((n, k.start(), "!", ""))
        # A whole statement on its own line, after one that ended: removing it keeps the braces
        # and the control flow around it as they were. A value returned cannot be removed.
        whole = (code.endswith(";") and code.count("(") == code.count(")")
                 and previous[-1:] in (";", "{", "}", ":")
                 and not re.match(r"(return\s+\S|case\b|default\b|public|private|protected|"
                                  r"using\b|namespace\b|class\b|struct\b|enum\b|friend\b|"
                                  r"template\b|typedef\b|\}|\{)", code))
        bare = re.sub(r"^\[\[\w+\]\]\s*", "", code)  # [[nodiscard]] and the like
        if whole and not re.match(r"[\w:<>,\s\*&]+\s[\*&]?\w+\s*(=|\{|;|\()", bare):
            result.append((n, len(line) - len(line.lstrip()), ";", ""))
        previous = code
    return result


def all_sites(base, files):
    return [(p, *s) for p in files for s in sites_of(base, p)]


def source_files(base):
    out = []
    for d, _, names in os.walk(os.path.join(base, "src")):
        for name in sorted(names):
            if name.endswith((".cpp", ".h")):
                out.append(os.path.relpath(os.path.join(d, name), base))
    return sorted(out)


def site_name(site):
    path, line, col, what, _ = site
    return "%s:%d:%d:%s" % (path, line, col, what.strip() or "!")


def apply(text, site):
    """The file's text with the site's change, or None when the site is no longer there."""
    _, line, col, what, to = site
    lines = text.split("\n")
    s = lines[line - 1]
    if what == ";":
        lines[line - 1] = s[:col] + ";  // removed: " + s[col:].replace("\\", "")
    elif s[col:col + len(what)] == what:
        lines[line - 1] = s[:col] + to + s[col + len(what):]
    else:
        return None
    return "\n".join(lines)


class Sandbox:
    """A copy of the tree with its own build, configured once and built incrementally."""

    def __init__(self, work, jobs, timeout, every):
        self.work, self.jobs, self.timeout, self.every = work, jobs, timeout, every
        self.src = os.path.join(work, "src-copy")
        self.build = os.path.join(work, "build")

    def sync(self):
        # Content compared, not times: an unchanged file keeps its time, so nothing rebuilds.
        wanted = set()
        for d, dirs, names in os.walk(ROOT):
            rel = os.path.relpath(d, ROOT)
            dirs[:] = [x for x in dirs if x != ".git" and not (rel == "." and x == "build")]
            for name in names:
                path = os.path.normpath(os.path.join(rel, name))
                wanted.add(path)
                source, copy = os.path.join(ROOT, path), os.path.join(self.src, path)
                with open(source, "rb") as f:
                    data = f.read()
                if os.path.exists(copy):
                    with open(copy, "rb") as f:
                        if f.read() == data:
                            continue
                os.makedirs(os.path.dirname(copy), exist_ok=True)
                shutil.copy(source, copy)  # a new time: it rebuilds
        for d, _, names in os.walk(self.src):
            for name in names:
                path = os.path.relpath(os.path.join(d, name), self.src)
                if path not in wanted:
                    os.remove(os.path.join(self.src, path))
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            subprocess.run(["cmake", "-S", self.src, "-B", self.build, "-G", "Ninja",
                            "-DCMAKE_BUILD_TYPE=Release", "-DTAVLON_WERROR=OFF",
                            "-DTAVLON_BUILD_TOOLS=OFF", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"],
                           check=True, stdout=subprocess.DEVNULL)

    def build_all(self, log):
        r = subprocess.run(["nice", "cmake", "--build", self.build, "-j", str(self.jobs)],
                           stdout=log, stderr=subprocess.STDOUT)
        return r.returncode == 0

    def test(self, log):
        """None when every test passed, else the first failing test's name."""
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", TAVLON_ORACLE_GAMES="20")
        stop = [] if self.every else ["--stop-on-failure"]
        r = subprocess.run(["ctest", "--test-dir", self.build, "-E", CTEST_EXCLUDE, *stop,
                            "-j", str(self.jobs), "--timeout", str(self.timeout),
                            "--output-on-failure"],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, text=True)
        log.write(r.stdout)
        if r.returncode == 0:
            return None
        failed = re.findall(r"\d+ - (\S+) \((Failed|Timeout|SEGFAULT|Subprocess aborted|"
                            r"Child aborted|Exception)", r.stdout)
        return ",".join(sorted({f[0] for f in failed})) or "ctest failed"

    def names(self):
        """Every test the judging runs."""
        r = subprocess.run(["ctest", "--test-dir", self.build, "-N", "-E", CTEST_EXCLUDE],
                           stdout=subprocess.PIPE, text=True)
        return re.findall(r"Test +#\d+: (\S+)", r.stdout)

    def run(self, site, text_of, log):
        """caught:<test> | survived | unbuilt | gone"""
        path = site[0]
        target = os.path.join(self.src, path)
        original = text_of(path)
        mutated = apply(original, site) if len(site) == 5 else site[5](original)
        if mutated is None:
            return "gone"
        try:
            with open(target, "w", encoding="utf-8") as f:
                f.write(mutated)
            if not self.build_all(log):
                return "unbuilt"
            failed = self.test(log)
            return "survived" if failed is None else "caught:" + failed
        finally:
            # Written anew (a new time), so the next build compiles the original again.
            with open(target, "w", encoding="utf-8") as f:
                f.write(original)


def read_faults(path):
    """Named faults, one a line: name | file | text as it is | text it becomes (empty: the text
    is removed). The text must occur once in the file; a ↵ in it stands for a line break,
    so the lines before can tell apart a line written twice."""
    faults = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            name, file, old, new = [part.strip().replace("\u21b5", "\n")
                                    for part in (line.rstrip("\n") + " ").split(" | ", 3)]

            def change(text, old=old, new=new, name=name):
                if text.count(old) != 1:
                    raise SystemExit("fault %s: its text occurs %d times" % (name,
                                                                           text.count(old)))
                return text.replace(old, new)
            faults.append((name, file, change))
    return faults


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--sites", type=int, default=40, help="random sites that build (default 40)")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--site", action="append", default=[], help="one site, as the report names it")
    p.add_argument("--faults", help="a file of named faults")
    p.add_argument("--under", default="src", help="draw sites only from files under this path")
    p.add_argument("--list", action="store_true", help="print every site and stop")
    p.add_argument("--work", default=os.path.join(ROOT, "build", "mutate"))
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--timeout", type=int, default=120, help="seconds per test")
    p.add_argument("--every-test", action="store_true",
                   help="run every test on each mutant, and name the tests that caught none")
    a = p.parse_args()

    sandbox = Sandbox(a.work, a.jobs, a.timeout, a.every_test)
    if not a.list:
        sandbox.sync()
    # From here on the copy is the tree: the worktree may change while this runs.
    base = ROOT if a.list else sandbox.src
    files = [f for f in source_files(base) if f.startswith(a.under)]
    sites = all_sites(base, files)
    if a.list:
        for s in sites:
            print(site_name(s))
        return 0
    texts = {}

    def text_of(path):
        if path not in texts:
            with open(os.path.join(base, path), encoding="utf-8") as f:
                texts[path] = f.read()
        return texts[path]

    with open(os.path.join(a.work, "build.log"), "w") as log:
        print("building the unchanged copy...", flush=True)
        if not sandbox.build_all(log) or sandbox.test(log) is not None:
            print("the unchanged tree does not build or pass: see %s/build.log" % a.work)
            return 2

    if a.faults:
        todo = [(name, (file, 0, 0, "", "", change)) for name, file, change in read_faults(a.faults)]
    elif a.site:
        by_name = {site_name(s): s for s in sites}
        todo = [(n, by_name[n]) for n in a.site]
    else:
        rng = random.Random(a.seed)
        order = sites[:]
        rng.shuffle(order)
        todo = [(site_name(s), s) for s in order]

    report = open(os.path.join(a.work, "report.txt"), "w")
    built = caught = 0
    kills = {name: 0 for name in sandbox.names()}
    print("%d sites in %d files; seed %d" % (len(sites), len(files), a.seed), file=report)
    for name, site in todo:
        if not a.faults and not a.site and built >= a.sites:
            break
        start = time.time()
        with open(os.path.join(a.work, "mutant.log"), "w") as log:
            result = sandbox.run(site, text_of, log)
        if result in ("unbuilt", "gone"):
            line = "%-8s %s" % (result, name)
        else:
            built += 1
            caught += result.startswith("caught")
            for test in result.split(":", 1)[1].split(",") if result.startswith("caught") else []:
                kills[test] = kills.get(test, 0) + 1
            line = "%-8s %s (%d s)%s" % (result.split(":")[0], name, time.time() - start,
                                         "  by " + result.split(":", 1)[1]
                                         if result.startswith("caught") else "")
            if len(site) == 5:
                line += "\n         " + text_of(site[0]).split("\n")[site[1] - 1].strip()
        print(line, flush=True)
        print(line, file=report, flush=True)
    summary = "caught %d of %d mutants that built (%.0f%%)" % (caught, built,
                                                              100.0 * caught / max(built, 1))
    print(summary)
    print(summary, file=report)
    if a.every_test:
        idle = sorted(t for t, n in kills.items() if n == 0)
        print("tests that caught none: " + " ".join(idle), file=report)
        for t, n in sorted(kills.items(), key=lambda o: -o[1]):
            print("%4d %s" % (n, t), file=report)
    # The tree as it was, so the next run starts from a build of the original.
    with open(os.path.join(a.work, "build.log"), "a") as log:
        sandbox.build_all(log)
    return 0


if __name__ == "__main__":
    sys.exit(main())
