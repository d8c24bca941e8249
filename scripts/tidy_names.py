#!/usr/bin/env python3
"""Runs the naming check of the root .clang-tidy over the project's sources, or applies its fixes.

    tidy_names.py check BUILD_DIR    lists every name that breaks the convention; exit status 1 if any
    tidy_names.py fix BUILD_DIR      renames them in place (declarations and every use)

BUILD_DIR is a configured build tree (its compile_commands.json). Parsing the standard library, Qt
and GoogleTest headers is most of clang-tidy's time, so the sources that share compile flags and a
folder are checked together, as one translation unit that includes them all: every header is then
parsed once per folder instead of once per file. A folder whose sources do not go together in one
unit (two files defining the same internal name) is checked file by file instead, and said so.
"""

import argparse
import concurrent.futures
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

SOURCE_DIR = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
# The folders whose code follows the house convention.
PROJECT_FOLDERS = ("app", "bench", "link", "model", "panels", "platform", "programs", "resources",
                   "sim", "tests")
# A unit that does not compile is split where it broke and run again, at most this many rounds;
# what still breaks then is checked file by file.
MAX_UNIT_ROUNDS = 4
NOTE_OR_ERROR = re.compile(r"^(/[^:\n]+):\d+:\d+: (note|error|warning): (.*)$")
DIAGNOSTIC = re.compile(r"^(/[^:\n]+):(\d+):(\d+): (warning|error): (.*?) \[([^\]\n]+)\]$",
                        re.MULTILINE)


def find_tool(name):
    for candidate in (name, name + "-14"):
        path = shutil.which(candidate)
        if path:
            return path
    sys.exit(f"{name} is not installed (scripts/packages.sh installs it)")


def project_folder(path, build_dir):
    """The folder a source is grouped by (two levels under platform/ and programs/), or None for a
    file that is not the project's own (generated files in a build tree, outside the tree)."""
    real = os.path.realpath(path)
    if real.startswith(build_dir + os.sep) or not real.startswith(SOURCE_DIR + os.sep):
        return None
    parts = os.path.relpath(real, SOURCE_DIR).split(os.sep)
    if parts[0] not in PROJECT_FOLDERS or len(parts) < 2:
        return None
    depth = 2 if len(parts) > 2 else 1
    return "/".join(parts[:depth])


def arguments_of(entry):
    if "arguments" in entry:
        return list(entry["arguments"])
    return shlex.split(entry["command"])


def flags_without_file(arguments, source):
    """The compiler arguments with the output and the source taken out."""
    flags = []
    skip = False
    for argument in arguments[1:]:
        if skip:
            skip = False
            continue
        if argument in ("-o", "-c"):
            skip = True
            continue
        if argument == source or argument.endswith(".cpp") and os.path.isabs(argument):
            continue
        flags.append(argument)
    return [arguments[0]] + flags


def project_entries(build_dir):
    path = os.path.join(build_dir, "compile_commands.json")
    if not os.path.exists(path):
        sys.exit(f"{path} is missing: configure the build first")
    with open(path) as database:
        entries = json.load(database)
    seen = set()
    result = []
    for entry in entries:
        source = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
        folder = project_folder(source, build_dir)
        if folder is None or source in seen:
            continue
        seen.add(source)
        result.append((folder, source, entry))
    return result


def write_unit(path, sources):
    text = "".join(f'#include "{source}"\n' for source in sorted(sources))
    old = open(path).read() if os.path.exists(path) else None
    if old != text:
        with open(path, "w") as out:
            out.write(text)


def selected(entries, folders):
    if not folders:
        return entries
    return [e for e in entries if any(e[0] == f or e[0].startswith(f.rstrip("/") + "/")
                                      for f in folders)]


def unity_groups(entries):
    """The sources grouped by folder and compile flags: [(folder, directory, flags, [sources])]."""
    groups = {}
    for folder, source, entry in entries:
        flags = flags_without_file(arguments_of(entry), entry["file"])
        groups.setdefault((folder, entry["directory"], tuple(flags)), []).append(source)
    return [(folder, directory, list(flags), sorted(sources))
            for (folder, directory, flags), sources in sorted(groups.items())]


def run_tidy(tidy, source, directory, flags, export_fixes=None):
    """clang-tidy over one file with the given compiler flags (the compiler's name first)."""
    command = [tidy, "--quiet", f"--config-file={SOURCE_DIR}/.clang-tidy"]
    if export_fixes:
        command.append(f"--export-fixes={export_fixes}")
    command += [source, "--"] + flags[1:] + ["-ferror-limit=0"]
    done = subprocess.run(command, cwd=directory, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)
    return done.stdout


def diagnostics_of(output, build_dir):
    found = set()
    for match in DIAGNOSTIC.finditer(output):
        path, line, column, _, message, check = match.groups()
        found.add((os.path.realpath(path), int(line), int(column), message, check))
    # Compile errors count wherever they are; naming findings only in the project's own files.
    return {d for d in found if "clang-diagnostic-error" in d[4] or
            project_folder(d[0], build_dir) is not None}


def clashes_of(output, sources):
    """From a unit that did not compile: pairs of its sources that cannot share it, and the sources
    with an error that names no other. Two sources clash when an error in one has a note pointing
    at the other, or when both have the same error (the same name defined again in each)."""
    pairs = set()
    broken = set()
    by_message = {}
    current = None
    for line in output.splitlines():
        match = NOTE_OR_ERROR.match(line)
        if not match:
            continue
        path, kind, message = os.path.realpath(match.group(1)), match.group(2), match.group(3)
        if kind == "error":
            current = path if path in sources else None
            if current:
                broken.add(current)
                by_message.setdefault(message, set()).add(current)
        elif kind == "note" and current and path in sources and path != current:
            pairs.add(frozenset((path, current)))
            by_message.setdefault(("note", current), set()).add(path)
        else:
            current = None
    for message, paths in by_message.items():
        if isinstance(message, tuple):
            continue
        # Every file named by a note of these errors clashes with all of them too.
        paths = set(paths)
        for path in list(paths):
            paths |= by_message.get(("note", path), set())
        pairs |= {frozenset((a, b)) for a in paths for b in paths if a != b}
    alone = {s for s in broken if not any(s in pair for pair in pairs)}
    return pairs, alone


# Names a source defines at namespace scope (the code is clang-formatted, so such definitions start
# in the first column): classes, functions, constants, aliases and TEST()s. Sources that share one
# are kept apart from the start, before clang-tidy has to find out.
TOP_LEVEL_NAME = re.compile(
    r"^(?:(?:class|struct|enum class|enum|union) (\w+)"
    r"|using (\w+) ="
    r"|(?:TEST|TEST_F|TEST_P)\((\w+), (\w+)\)"
    r"|(?!namespace\b|return\b)[A-Za-z_][\w:<>,*& ]*?[\s*&](\w+)(?:\[[^\]]*\])?\s*(?:\(|=|\{|;))",
    re.MULTILINE)


def likely_clashes(sources):
    owners = {}
    for source in sources:
        try:
            text = open(source, errors="replace").read()
        except OSError:
            continue
        for match in TOP_LEVEL_NAME.finditer(text):
            groups = [g for g in match.groups() if g]
            name = "_".join(groups[-2:]) if match.group(3) else groups[0]
            if name in ("main", "operator"):
                continue
            owners.setdefault(name, set()).add(source)
    pairs = set()
    for paths in owners.values():
        pairs |= {frozenset((a, b)) for a in paths for b in paths if a != b}
    return pairs


def colour(sources, pairs):
    """Puts the sources into as few units as it can so that no pair shares one."""
    units = []
    for source in sources:
        for unit in units:
            if not any(frozenset((source, other)) in pairs for other in unit):
                unit.append(source)
                break
        else:
            units.append([source])
    return units


def tidy_groups(tidy, build_dir, groups, work_dir, jobs, fixes_dir=None):
    """Runs clang-tidy over every group as one unit, the groups in parallel. A unit that does not
    compile is split where it broke (two files defining the same internal name go into different
    units) and run again; after a few rounds what still breaks is run file by file. Returns
    (diagnostics, folders that needed more than one unit)."""
    def one_group(index, group):
        folder, directory, flags, sources = group
        base = os.path.join(work_dir, folder.replace("/", "_") + f"_{index}")
        found = set()
        pairs = likely_clashes(sources)
        units = colour(sources, pairs)
        runs = 0

        def run(source):
            nonlocal runs
            runs += 1
            export = os.path.join(fixes_dir, f"g{index}_{runs}.yaml") if fixes_dir else None
            output = run_tidy(tidy, source, directory, flags, export)
            return output, diagnostics_of(output, build_dir), export

        for round_number in range(1, MAX_UNIT_ROUNDS + 2):
            failing = []
            alone = []
            for unit in units:
                if len(unit) == 1 or round_number > MAX_UNIT_ROUNDS:
                    for source in unit:
                        found |= run(source)[1]
                    continue
                path = f"{base}_{runs + 1}.cpp"
                write_unit(path, unit)
                output, result, export = run(path)
                if not any("clang-diagnostic-error" in d[4] for d in result):
                    found |= result
                    continue
                if export and os.path.exists(export):
                    os.remove(export)
                new_pairs, broken_alone = clashes_of(output, set(unit))
                pairs |= new_pairs
                failing += [s for s in unit if s not in broken_alone]
                alone += [[s] for s in unit if s in broken_alone]
            if not failing and not alone:
                break
            units = colour(failing, pairs) + alone
        return found, (f"{folder} ({runs} runs)" if runs > 1 else None)

    diagnostics = set()
    split = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        # The largest groups first, so that the last one to finish is a small one.
        order = sorted(enumerate(groups), key=lambda item: -len(item[1][3]))
        for found, folder in pool.map(lambda item: one_group(*item), order):
            diagnostics |= found
            if folder:
                split.append(folder)
    return diagnostics, split


def print_diagnostics(diagnostics):
    for path, line, column, message, check in sorted(diagnostics):
        print(f"{os.path.relpath(path, SOURCE_DIR)}:{line}:{column}: {message} [{check}]")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("mode", choices=("check", "fix"))
    parser.add_argument("build_dir")
    parser.add_argument("-j", "--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--only", nargs="*", default=[], metavar="FOLDER",
                        help="only the sources under these folders (e.g. link tests/link)")
    parser.add_argument("--passes", type=int, default=4, help="fix: at most this many rounds")
    options = parser.parse_args()

    tidy = find_tool("clang-tidy")
    build_dir = os.path.realpath(options.build_dir)
    work_dir = os.path.join(build_dir, "naming-check")
    os.makedirs(work_dir, exist_ok=True)
    started = time.monotonic()

    if options.mode == "check":
        groups = unity_groups(selected(project_entries(build_dir), options.only))
        diagnostics, split = tidy_groups(tidy, build_dir, groups, work_dir, options.jobs)
        for folder in split:
            print(f"note: {folder} split: its sources define some name twice")
        print_diagnostics(diagnostics)
        files = len({d[0] for d in diagnostics})
        seconds = time.monotonic() - started
        print(f"naming check: {len(diagnostics)} finding(s) in {files} file(s), "
              f"{len(groups)} folder unit(s), {seconds:.0f} s")
        return 1 if diagnostics else 0

    apply = find_tool("clang-apply-replacements")
    for round_number in range(1, options.passes + 1):
        groups = unity_groups(selected(project_entries(build_dir), options.only))
        with tempfile.TemporaryDirectory(prefix="tidy-fixes-") as fixes_dir:
            diagnostics, _ = tidy_groups(tidy, build_dir, groups, work_dir, options.jobs, fixes_dir)
            errors = [d for d in diagnostics if "clang-diagnostic-error" in d[4]]
            if errors:
                print_diagnostics(errors)
                print("fix: the sources do not compile; nothing changed")
                return 1
            if not diagnostics:
                print(f"fix: clean after {round_number - 1} round(s)")
                return 0
            print(f"fix round {round_number}: {len(diagnostics)} finding(s)")
            subprocess.run([apply, "--remove-change-desc-files", "--format",
                            f"--style-config={SOURCE_DIR}", fixes_dir], check=True)
    diagnostics, _ = tidy_groups(tidy, build_dir,
                                 unity_groups(selected(project_entries(build_dir), options.only)), work_dir,
                                 options.jobs)
    print_diagnostics(diagnostics)
    print(f"fix: {len(diagnostics)} finding(s) left that need a hand")
    return 1 if diagnostics else 0


if __name__ == "__main__":
    sys.exit(main())
