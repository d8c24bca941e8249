#!/usr/bin/env python3
"""Runs the naming check of the root .clang-tidy over the project's sources, or applies its fixes.

    tidy_names.py check BUILD_DIR    lists every name that breaks the convention; exit status 1 if any
    tidy_names.py fix BUILD_DIR      renames them in place (declarations and every use)
    tidy_names.py mend BUILD_DIR     renames the uses a fix left under their old names (the fix
                                     does this itself; for a tree changed since, e.g. a merge;
                                     --only the folders the compiler names, or it takes a while)

BUILD_DIR is a configured build tree (its compile_commands.json). Parsing the standard library, Qt
and GoogleTest headers is most of clang-tidy's time, so the sources are checked together, a few
dozen at a time, as translation units that include them all: every header is then parsed once per
unit instead of once per file, and the whole tree is about fifteen units. The targets' flags differ
only in include folders and macro definitions, so every source gets all of them. Sources that
cannot share a unit (two files defining the same internal name, two different `using namespace`)
go into different ones: a scan of what each defines at namespace scope finds most such pairs up
front, and where clang still reports a redefinition the unit is split and run again (and said so).
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
PROJECT_FOLDERS = ("app", "bench", "fuzz", "link", "model", "panels", "platform", "programs",
                   "resources", "sim", "tests")
# A unit that does not compile is split where it broke and run again, at most this many rounds;
# what still breaks then is checked file by file.
MAX_UNIT_ROUNDS = 4
# Sources go into units of at most about this many, so that two jobs share the work evenly and
# none is the tail alone.
MAX_UNIT_SOURCES = 40
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
    # Sources this configuration does not compile (the benchmarks and the soak test are options of
    # other builds) are checked too, with the flags of a test source: the union of every target's
    # include folders and macros that the units get anyway covers them.
    template = next((entry for folder, _, entry in result if folder.startswith("tests/")), None)
    for folder_name in PROJECT_FOLDERS if template else ():
        for root, directories, files in os.walk(os.path.join(SOURCE_DIR, folder_name)):
            directories.sort()
            for name in sorted(files):
                source = os.path.realpath(os.path.join(root, name))
                folder = project_folder(source, build_dir)
                if name.endswith(".cpp") and folder and source not in seen:
                    seen.add(source)
                    result.append((folder, source, dict(template, file=source)))
    return result


DIRECTIVE = re.compile(r"^using namespace ([\w:]+);", re.MULTILINE)


def directives_of(source):
    try:
        return frozenset(DIRECTIVE.findall(open(source, errors="replace").read()))
    except OSError:
        return frozenset()


def write_unit(path, sources):
    # A `using namespace` reaches every source after it: the sources that have one come last.
    order = sorted(sources, key=lambda source: (bool(directives_of(source)), source))
    text = "".join(f'#include "{source}"\n' for source in order)
    old = open(path).read() if os.path.exists(path) else None
    if old != text:
        with open(path, "w") as out:
            out.write(text)


def selected(entries, folders):
    if not folders:
        return entries
    return [e for e in entries if any(e[0] == f or e[0].startswith(f.rstrip("/") + "/")
                                      for f in folders)]


def split_flags(flags):
    """(the flags that shape the language, the include folders and macro definitions)."""
    core, additions = [], []
    index = 0
    while index < len(flags):
        flag = flags[index]
        if flag in ("-isystem", "-I", "-D") and index + 1 < len(flags):
            additions.append(flag + " " + flags[index + 1])
            index += 2
            continue
        (additions if flag.startswith(("-I", "-D")) else core).append(flag)
        index += 1
    return core, additions


def macro_name(addition):
    return addition[2:].strip().split("=")[0] if addition.startswith("-D") else None


def unity_groups(entries):
    """The sources grouped by compile flags: [(folders, directory, flags, [sources])]. Targets
    differ mostly in their include folders and macro definitions; every source is checked with all
    of them (only a macro defined to different values keeps its targets apart), so that the whole
    tree needs few units."""
    values = {}
    split = []
    for folder, source, entry in entries:
        core, additions = split_flags(flags_without_file(arguments_of(entry), entry["file"]))
        split.append((folder, source, entry["directory"], core, additions))
        for addition in additions:
            if macro_name(addition):
                values.setdefault(macro_name(addition), set()).add(addition)
    groups = {}
    for folder, source, directory, core, additions in split:
        apart = tuple(a for a in additions if macro_name(a) and len(values[macro_name(a)]) > 1)
        group = groups.setdefault((tuple(core), apart), {"directory": directory, "additions": [],
                                                          "members": []})
        group["additions"] += [a for a in additions if a not in group["additions"]]
        group["members"].append((folder, source))
    result = []
    for (core, _), group in sorted(groups.items()):
        folders = ",".join(sorted({folder for folder, _ in group["members"]}))
        flags = list(core) + [part for a in group["additions"] for part in a.split(" ", 1)]
        # Sources of one folder next to each other: they include the same headers.
        sources = [source for _, source in sorted(group["members"])]
        result.append((folders, group["directory"], flags, sources))
    return result


def run_tidy(tidy, source, directory, flags, export_fixes=None):
    """clang-tidy over one file with the given compiler flags (the compiler's name first).

    No --config-file: clang-tidy then takes each file's settings from the nearest .clang-tidy above
    it, so the system's, Qt's and GoogleTest's headers have none and their tens of thousands of
    names are not looked at (half the check's time otherwise). The units written into the build
    tree find a copy of the root one beside them."""
    command = [tidy, "--quiet"]
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
    r"|(?!namespace\b|return\b|using\b)[A-Za-z_][\w:<>,*& ]*?[\s*&](\w+)(?:\[[^\]]*\])?\s*(?:\(|=|\{|;))",
    re.MULTILINE)


# Aliases, namespace aliases and using-declarations: two sources may declare the same one alike.
ALIAS = re.compile(r"^(?:using (\w+) = ([^;]*)|namespace (\w+) = ([^;]*)|using ((?:\w+::)+(\w+)));",
                   re.MULTILINE)


NAMESPACE = re.compile(r"^namespace ([\w:]+) \{", re.MULTILINE)


def likely_clashes(sources):
    """Pairs of sources that likely define the same name differently in the same namespace."""
    defined = {}  # name -> {(source, what it stands for, or None for a definition)}
    for source in sources:
        try:
            text = open(source, errors="replace").read()
        except OSError:
            continue
        # Names in different namespaces do not meet (the sources open one namespace each).
        space = NAMESPACE.search(text)
        space = space.group(1) + "::" if space else ""
        for match in TOP_LEVEL_NAME.finditer(text):
            groups = [g for g in match.groups() if g]
            name = "_".join(groups[-2:]) if match.group(3) else groups[0]
            if name == "operator" or match.group(2):
                continue
            defined.setdefault(space + name, set()).add((source, None))
        for match in ALIAS.finditer(text):
            name = match.group(1) or match.group(3) or match.group(6)
            target = match.group(2) or match.group(4) or match.group(5)
            if name != target:
                defined.setdefault(space + name, set()).add((source, target))
    # Two sources with different `using namespace` directives do not go together either.
    directed = [(source, directives_of(source)) for source in sources]
    pairs = {frozenset((a, b)) for a, what_a in directed for b, what_b in directed
             if a != b and what_a and what_b and what_a != what_b}
    for definitions in defined.values():
        # An alias may be declared again for the same thing (`using Rows = std::vector<...>;`).
        pairs |= {frozenset((a, b)) for a, what_a in definitions for b, what_b in definitions
                  if a != b and (what_a is None or what_a != what_b)}
    return pairs


def colour(sources, pairs, most=None):
    """Puts the sources, in their order, into units of at most `most` so that no pair shares one:
    neighbours together, a source that clashes with its neighbours into the next unit it fits."""
    units = []
    for source in sources:
        for unit in units:
            if (most is None or len(unit) < most) and \
                    not any(frozenset((source, other)) in pairs for other in unit):
                unit.append(source)
                break
        else:
            units.append([source])
    return units


# (seconds, sources, their folders) of every clang-tidy run, for --times.
TIMES = []


def tidy_groups(tidy, build_dir, groups, work_dir, jobs, fixes_dir=None):
    """Runs clang-tidy over the groups' units, two (jobs) at a time. A unit that does not compile
    is split where it broke (two files defining the same internal name go into different units) and
    run again; after a few rounds what still breaks is run file by file. Returns (diagnostics, the
    folders of the units that had to be split)."""
    def one_group(index, group):
        folder, directory, flags, sources = group
        base = os.path.join(work_dir, f"unit_{index}")
        found = set()
        pairs = likely_clashes(sources)
        units = colour(sources, pairs)
        runs = 0

        def run(source, count=1):
            nonlocal runs
            runs += 1
            export = os.path.join(fixes_dir, f"g{index}_{runs}.yaml") if fixes_dir else None
            started = time.monotonic()
            output = run_tidy(tidy, source, directory, flags, export)
            TIMES.append((time.monotonic() - started, count, folder))
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
                output, result, export = run(path, len(unit))
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

    # Every group is cut into its units up front (sources that define the same name apart, and no
    # unit so large that it alone would be the tail), and the units run side by side.
    units = []
    for folder, directory, flags, sources in groups:
        pairs = likely_clashes(sources)
        most = -(-len(sources) // -(-len(sources) // MAX_UNIT_SOURCES))
        units += [(folder, directory, flags, unit) for unit in colour(sources, pairs, most)]
    diagnostics = set()
    split = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        # The largest units first, so that the last one to finish is a small one.
        order = sorted(enumerate(units), key=lambda item: -len(item[1][3]))
        for found, folder in pool.map(lambda item: one_group(*item), order):
            diagnostics |= found
            if folder:
                split.append(folder)
    return diagnostics, split


TYPE_NAME = re.compile(r"\b(?:class|struct|enum class|enum|union) (\w+)|\busing (\w+) =")
FUNCTION_FINDING = re.compile(r"invalid case style for (?:\w+ )*(?:method|function) '(\w+)'")


def project_type_names():
    """Every name the project's headers give a type (what a class may see)."""
    names = set()
    for folder in PROJECT_FOLDERS:
        for root, _, files in os.walk(os.path.join(SOURCE_DIR, folder)):
            for name in files:
                if name.endswith(".h"):
                    with open(os.path.join(root, name), errors="replace") as source:
                        names |= {a or b for a, b in TYPE_NAME.findall(source.read())}
    return names


def mend_fixes(path, type_names):
    """Two edits of clang-tidy 14's fixes before they are applied:
    - it renames a variable that a lambda captures implicitly by writing the new name over the
      capture default ([&] would become [name], a copy): only replacements of a whole identifier
      are kept;
    - a function or accessor whose new name is the name of a type (`clock()` -> `Clock()`) would
      hide that type in its class, which neither clang nor GCC accept: it is named `GetClock()`
      instead, as the house writes such accessors."""
    import yaml
    with open(path, errors="replace") as stream:
        document = yaml.safe_load(stream)
    if not document:
        return
    texts = {}
    for diagnostic in document.get("Diagnostics", []):
        message = diagnostic.get("DiagnosticMessage", diagnostic)
        function = FUNCTION_FINDING.search(message.get("Message", ""))
        kept = []
        for replacement in message.get("Replacements", []):
            file_path = replacement["FilePath"]
            if file_path not in texts:
                with open(file_path, "rb") as source:
                    texts[file_path] = source.read()
            offset, length = replacement["Offset"], replacement["Length"]
            original = texts[file_path][offset:offset + length]
            if not re.fullmatch(rb"[A-Za-z_][A-Za-z0-9_]*", original):
                continue
            if function and replacement["ReplacementText"] in type_names:
                replacement["ReplacementText"] = "Get" + replacement["ReplacementText"]
            kept.append(replacement)
        message["Replacements"] = kept
    with open(path, "w") as stream:
        yaml.safe_dump(document, stream)


FINDING_NAME = re.compile(r"invalid case style for [\w ]+ '(\w+)'")


def renames_of(fixes_dir):
    """({old name: [its new names]}, {old name: the files that declared it}) of the fixes about to
    be applied (one old name may be a member in one class and an accessor in another)."""
    import yaml
    found = {}
    declared = {}
    for name in os.listdir(fixes_dir):
        with open(os.path.join(fixes_dir, name), errors="replace") as stream:
            document = yaml.safe_load(stream) or {}
        for diagnostic in document.get("Diagnostics", []):
            message = diagnostic.get("DiagnosticMessage", diagnostic)
            finding = FINDING_NAME.search(message.get("Message", ""))
            replacements = message.get("Replacements", [])
            if finding and replacements:
                found.setdefault(finding.group(1), set()).add(replacements[0]["ReplacementText"])
                declared.setdefault(finding.group(1), set()).add(
                    os.path.realpath(message.get("FilePath", "")))
    return {old: sorted(new) for old, new in found.items()}, declared


# Compile errors that a use the rename missed leaves behind, and where clang says a macro put it.
LEFT_USE = re.compile(r"^(/[^:\n]+):(\d+):(\d+): error: (?:use of undeclared identifier"
                      r"|no member named|no type named|unknown type name) '(\w+)'"
                      r"(?:.*; did you mean '(?:[\w:]*::)?(\w+)'\?)?")
MACRO_NOTE = re.compile(r"^(/[^:\n]+):(\d+):(\d+): note: expanded from macro")


def left_uses(output, renames):
    """(old name, new name, [(file, line, column)]) of every use clang reports under an old name:
    at the error, or, where the name came from a macro's body, at the notes that point into it."""
    places = []
    current = None
    for line in output.splitlines():
        error = LEFT_USE.match(line)
        if error:
            path, row, column, name, meant = error.groups()
            # The new name: the one clang suggests, or the only one the old name was given.
            news = renames.get(name, [])
            new = meant if meant in news else news[0] if len(news) == 1 else None
            current = (name, new, [(os.path.realpath(path), int(row), int(column))]) \
                if new else None
            if current:
                places.append(current)
            continue
        note = MACRO_NOTE.match(line)
        if note and current:
            current[2].append((os.path.realpath(note.group(1)), int(note.group(2)),
                               int(note.group(3))))
        elif ": error: " in line or ": warning: " in line:
            current = None
    return places


def replace_at(places):
    """Writes the new name over the old one at the first of each use's places that holds it.
    Returns (the number of uses renamed, the files changed)."""
    edits = {}
    for name, new, candidates in places:
        for path, row, column in candidates:
            try:
                lines = open(path, errors="replace").read().split("\n")
            except OSError:
                continue
            text = lines[row - 1] if 0 < row <= len(lines) else ""
            start = column - 1
            if re.match(rf"{name}\b", text[start:]) and \
                    (start == 0 or not re.match(r"\w", text[start - 1])):
                edits.setdefault(path, set()).add((row, start, name, new))
                break
    for path, places_in_file in edits.items():
        lines = open(path, errors="replace").read().split("\n")
        # From the right, so that earlier columns of a line stay where they are.
        for row, start, name, new in sorted(places_in_file, reverse=True):
            text = lines[row - 1]
            lines[row - 1] = text[:start] + new + text[start + len(name):]
        with open(path, "w") as out:
            out.write("\n".join(lines))
    return sum(len(places_in_file) for places_in_file in edits.values()), set(edits)


def mend_left_uses(renames, declared, entries, jobs):
    """clang-tidy 14 does not rename every use: not one spelt inside a macro's body (the THUMB_TEST
    fixtures' `using ...::image;`), not one in a template that depends on its parameter
    (`t.image`), not a member used before a member the configuration ignores
    (`image.SpeakerLevels[...]`). Each leaves a compile error naming the old name. The sources that
    might hold one (they spell an old name and are, or include, the file that declared it; with
    `declared` None, every source that spells one) are compiled, and the new name written where clang points; those that had such errors again, until
    none is left. Returns (the uses renamed, the files changed)."""
    if not renames:
        return 0, set()
    clang = find_tool("clang++")
    words = re.compile(r"\b(" + "|".join(sorted(map(re.escape, renames))) + r")\b")
    candidates = []
    for _, source, entry in entries:
        try:
            text = open(source, errors="replace").read()
        except OSError:
            continue
        included = {os.path.realpath(os.path.join(SOURCE_DIR, header))
                    for header in re.findall(r'^#include "([^"]+)"', text, re.MULTILINE)}
        included |= {source, os.path.splitext(source)[0] + ".h"}
        if declared is None and words.search(text) or \
                declared and any(declared[name] & included for name in set(words.findall(text))):
            candidates.append((source, entry))

    print(f"mend: {len(candidates)} source(s) may hold a use under an old name; compiling them",
          flush=True)

    def compile_one(item):
        source, entry = item
        flags = flags_without_file(arguments_of(entry), entry["file"])[1:]
        done = subprocess.run([clang, "-fsyntax-only", "-ferror-limit=0", "-w"] + flags + [source],
                              cwd=entry["directory"], stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, text=True)
        return left_uses(done.stdout, renames)

    total, changed = 0, set()
    for _ in range(6):
        with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
            found = list(pool.map(compile_one, candidates))
        renamed, files = replace_at([place for places in found for place in places])
        total += renamed
        changed |= files
        candidates = [item for item, places in zip(candidates, found) if places]
        if not renamed:
            break
    return total, changed


def print_diagnostics(diagnostics):
    for path, line, column, message, check in sorted(diagnostics):
        print(f"{os.path.relpath(path, SOURCE_DIR)}:{line}:{column}: {message} [{check}]")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("mode", choices=("check", "fix", "mend"))
    parser.add_argument("build_dir")
    parser.add_argument("-j", "--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--only", nargs="*", default=[], metavar="FOLDER",
                        help="only the sources under these folders (e.g. link tests/link)")
    parser.add_argument("--passes", type=int, default=4, help="fix: at most this many rounds")
    parser.add_argument("--times", action="store_true", help="check: how long each run took")
    options = parser.parse_args()

    tidy = find_tool("clang-tidy")
    build_dir = os.path.realpath(options.build_dir)
    work_dir = os.path.join(build_dir, "naming-check")
    os.makedirs(work_dir, exist_ok=True)
    shutil.copyfile(os.path.join(SOURCE_DIR, ".clang-tidy"), os.path.join(work_dir, ".clang-tidy"))
    started = time.monotonic()

    if options.mode == "check":
        groups = unity_groups(selected(project_entries(build_dir), options.only))
        diagnostics, split = tidy_groups(tidy, build_dir, groups, work_dir, options.jobs)
        for folder in split:
            print(f"note: {folder} split: its sources define some name twice")
        print_diagnostics(diagnostics)
        if options.times:
            for seconds, count, folder in sorted(TIMES, reverse=True):
                print(f"{seconds:6.1f} s  {count:3} source(s)  {folder}")
        files = len({d[0] for d in diagnostics})
        seconds = time.monotonic() - started
        print(f"naming check: {len(diagnostics)} finding(s) in {files} file(s), "
              f"{len(TIMES)} run(s) of clang-tidy, {seconds:.0f} s")
        return 1 if diagnostics else 0

    # What the fix has renamed so far, kept for `mend` and for whoever must tell the others.
    renames_file = os.path.join(work_dir, "renames.json")
    if options.mode == "mend":
        if not os.path.exists(renames_file):
            sys.exit(f"{renames_file} is missing: it is written by `fix`")
        with open(renames_file) as stream:
            saved = json.load(stream)
        # Every source that spells an old name: the tree may have changed since (a merge).
        mended, files = mend_left_uses(saved["renames"], None,
                                       selected(project_entries(build_dir), options.only),
                                       options.jobs)
        if files:
            subprocess.run([find_tool("clang-format"), "-i"] + sorted(files), check=True)
        print(f"mend: {mended} use(s) renamed in {len(files)} file(s)")
        return 0

    apply = find_tool("clang-apply-replacements")
    renames, declared = {}, {}
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
            print_diagnostics(diagnostics)
            print(f"fix round {round_number}: {len(diagnostics)} finding(s)", flush=True)
            changed = set()
            for name in os.listdir(fixes_dir):
                with open(os.path.join(fixes_dir, name), errors="replace") as fixes:
                    changed |= set(re.findall(r"FilePath:\s*'?([^'\n]+?)'?\s*$", fixes.read(),
                                              re.MULTILINE))
            type_names = project_type_names()
            for name in os.listdir(fixes_dir):
                mend_fixes(os.path.join(fixes_dir, name), type_names)
            round_renames, round_declared = renames_of(fixes_dir)
            renames.update(round_renames)
            for name, files in round_declared.items():
                declared.setdefault(name, set()).update(files)
            with open(renames_file, "w") as stream:
                json.dump({"renames": renames,
                           "declared": {name: sorted(files) for name, files in declared.items()}},
                          stream, indent=1, sort_keys=True)
            subprocess.run([apply, "--remove-change-desc-files", fixes_dir], check=True)
            mended, files = mend_left_uses(round_renames, round_declared,
                                           selected(project_entries(build_dir), options.only),
                                           options.jobs)
            changed |= files
            print(f"fix round {round_number}: {mended} use(s) that clang-tidy left, renamed where "
                  "the compiler found them")
            # The house format (the root .clang-format) over every file that changed.
            changed = sorted(p for p in changed if os.path.exists(p))
            if changed:
                subprocess.run([find_tool("clang-format"), "-i"] + changed, check=True)
    diagnostics, _ = tidy_groups(tidy, build_dir,
                                 unity_groups(selected(project_entries(build_dir), options.only)), work_dir,
                                 options.jobs)
    print_diagnostics(diagnostics)
    print(f"fix: {len(diagnostics)} finding(s) left that need a hand")
    return 1 if diagnostics else 0


if __name__ == "__main__":
    sys.exit(main())
