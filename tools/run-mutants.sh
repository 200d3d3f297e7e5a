#!/usr/bin/env bash
# Plants each deliberate fault of tools/mutants.txt in a scratch copy of the working tree, builds
# the test programs the entry names, runs them and reports every fault that no test catches.
# Run by hand, slowly (e.g. nice -n 19 tools/run-mutants.sh); it is not part of CI.
#
#   tools/run-mutants.sh [--only REGEX] [--list FILE] [--scratch DIR]
#
# --only runs the entries whose name matches the extended regular expression. The scratch folder
# (default build/mutants) keeps its build between runs, so a second run mostly hits the cache.
#
# An entry of the list is a block of "key: value" lines (the value is all after the colon and
# one space), blocks apart by blank lines, # starting a comment line:
#   name:    a short unique name
#   file:    the source file, relative to the repository
#   from:    the exact original text (repeat the key for more lines); it must occur once
#   to:      its replacement (repeat the key for more lines)
#   targets: the test programs that should catch it, separated by spaces
#   filter:  optional GoogleTest filter for those programs
#   note:    optional; "equivalent: why" marks a change the program cannot show
#
# Results: "caught", "SURVIVED" (no test failed), "equivalent" (survived as the note says),
# "stale" (the text is no longer in the file, or more than once, or a test program named is
# "unusable": it does not build or fails unchanged), "no build" (the mutant does not compile,
# warnings being errors as in CI: fix the entry). The exit status is 1 when anything survived
# unexpectedly or is stale.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
list="$repo/tools/mutants.txt"
scratch="$repo/build/mutants"
only=""
while [ "$#" -gt 0 ]; do
    case "$1" in
        --only) only=$2; shift 2 ;;
        --list) list=$(realpath "$2"); shift 2 ;;
        --scratch) scratch=$(realpath -m "$2"); shift 2 ;;
        *) echo "usage: $0 [--only REGEX] [--list FILE] [--scratch DIR]" >&2; exit 2 ;;
    esac
done

source_copy="$scratch/src"
# Laid out like a developer's build/dev, with the same settings: ccache then finds every file
# the developer has built.
build="$source_copy/build/dev"
logs="$scratch/logs"
entries="$scratch/entries"
per_test_timeout=300
export QT_QPA_PLATFORM=offscreen

# Splits the list into one folder per entry, with a file per key, so that values keep every
# character (leading blanks included) without shell quoting.
split_entries() {
    rm -rf "$entries"
    mkdir -p "$entries"
    python3 - "$list" "$entries" "$only" <<'EOF'
import os, re, sys
path, out, only = sys.argv[1], sys.argv[2], sys.argv[3]
keys = {"name", "file", "from", "to", "targets", "filter", "note"}
blocks, current = [], {}
for number, line in enumerate(open(path, encoding="utf-8").read().split("\n"), 1):
    if line.startswith("#"):
        continue
    if line.strip() == "":
        if current:
            blocks.append(current)
        current = {}
        continue
    key, sep, value = line.partition(":")
    if not sep or key not in keys:
        sys.exit(f"{path}:{number}: expected 'key: value' with a known key")
    value = value[1:] if value.startswith(" ") else value
    current.setdefault(key, []).append(value)
if current:
    blocks.append(current)
names = set()
for index, block in enumerate(blocks):
    for key in ("name", "file", "from", "to", "targets"):
        if key not in block:
            sys.exit(f"{path}: entry {index + 1} has no '{key}'")
    name = block["name"][0]
    if name in names:
        sys.exit(f"{path}: the name {name} is used twice")
    names.add(name)
    if only and not re.search(only, name):
        continue
    folder = os.path.join(out, f"{index:03d}")
    os.makedirs(folder)
    for key, values in block.items():
        joined = "\n".join(values) if key in ("from", "to") else " ".join(values)
        with open(os.path.join(folder, key), "w", encoding="utf-8") as f:
            f.write(joined)
EOF
}

# How often the text of the file named by $1 holds the text of the file named by $2.
occurrences() {
    python3 -c 'import sys; print(open(sys.argv[1]).read().count(open(sys.argv[2]).read()))' \
        "$1" "$2"
}

# Writes the file named by $1 with the text of $2 replaced by the text of $3.
plant() {
    python3 -c '
import sys
text = open(sys.argv[1]).read()
open(sys.argv[1], "w").write(text.replace(open(sys.argv[2]).read(), open(sys.argv[3]).read(), 1))
' "$1" "$2" "$3"
}

# Brings the copy up to the working tree, rewriting only files whose text differs: the build
# then redoes only what changed, and a fault left behind by an interrupted run is replaced.
sync_copy() {
    (cd "$repo" && git ls-files -z --cached --others --exclude-standard) |
        python3 -c '
import os, shutil, sys
repo, copy = sys.argv[1], sys.argv[2]
wanted = {name for name in sys.stdin.read().split("\0") if os.path.isfile(os.path.join(repo, name))}
for name in wanted:
    source, target = os.path.join(repo, name), os.path.join(copy, name)
    data = open(source, "rb").read()
    if not os.path.isfile(target) or open(target, "rb").read() != data:
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(source, target)
for folder, folders, files in os.walk(copy):
    relative = os.path.relpath(folder, copy)
    if relative == "build" or relative.startswith("build" + os.sep):
        continue
    for name in files:
        path = os.path.normpath(os.path.join(relative, name))
        if path not in wanted:
            os.remove(os.path.join(folder, name))
' "$repo" "$source_copy"
}

configure() {
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$source_copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKESTRUN_WERROR=ON -DKESTRUN_BUILD_BENCHMARKS=ON "${launcher[@]}" >"$logs/configure.log"
}

build_targets() {
    # shellcheck disable=SC2086
    cmake --build "$build" -j2 --target $1
}

# Runs each test program of $1 with the GoogleTest filter $2 (may be empty) in its own build
# folder, as CTest would; fails when any of them fails or times out.
run_targets() {
    local target program status=0
    for target in $1; do
        program=$(find "$build" -type f -name "$target" -perm -u+x -print -quit)
        if [ -z "$program" ]; then
            echo "no test program $target" >&2
            return 1
        fi
        (cd "$(dirname "$program")" &&
            timeout "$per_test_timeout" "$program" ${2:+"--gtest_filter=$2"} </dev/null) ||
            status=1
    done
    return $status
}

mkdir -p "$scratch"
rm -rf "$logs"
mkdir -p "$logs"
split_entries
if ! compgen -G "$entries/*/" >/dev/null; then
    echo "no entries"
    exit 0
fi
mkdir -p "$source_copy"
sync_copy
configure

# The unchanged copy first: a test program that does not build or a test that already fails
# would make every fault it should catch look caught. Entries that need one are left out.
for entry in "$entries"/*/; do
    tr ' ' '\n' <"$entry/targets"
    echo
done | grep . | sort -u >"$scratch/targets"
: >"$scratch/unusable"
while read -r target; do
    if ! build_targets "$target" >>"$logs/baseline-build.log" 2>&1 ||
        ! run_targets "$target" "" >>"$logs/baseline-tests.log" 2>&1; then
        echo "unusable   $target (see $logs/baseline-*.log)"
        echo "$target" >>"$scratch/unusable"
    fi
done <"$scratch/targets"

caught=0
survived=0
equivalent=0
stale=0
broken=0
for entry in "$entries"/*/; do
    name=$(cat "$entry/name")
    file=$(cat "$entry/file")
    targets=$(cat "$entry/targets")
    filter=$(cat "$entry/filter" 2>/dev/null || true)
    note=$(cat "$entry/note" 2>/dev/null || true)
    target_file="$source_copy/$file"
    log="$logs/$name.log"

    if [ ! -f "$target_file" ] || [ "$(occurrences "$target_file" "$entry/from")" != 1 ] ||
        tr ' ' '\n' <"$entry/targets" | grep -qxFf "$scratch/unusable"; then
        echo "stale      $name ($file)"
        stale=$((stale + 1))
        continue
    fi
    cp "$target_file" "$entry/original"
    plant "$target_file" "$entry/from" "$entry/to"
    if ! build_targets "$targets" >"$log" 2>&1; then
        echo "no build   $name"
        broken=$((broken + 1))
    elif run_targets "$targets" "$filter" >>"$log" 2>&1; then
        if [[ "$note" == equivalent* ]]; then
            echo "equivalent $name"
            equivalent=$((equivalent + 1))
        else
            echo "SURVIVED   $name ($file)"
            survived=$((survived + 1))
        fi
    else
        echo "caught     $name"
        caught=$((caught + 1))
    fi
    # Copied, not moved: a fresh time stamp makes the next build put the original back.
    cp "$entry/original" "$target_file"
done

echo "caught $caught, survived $survived, equivalent $equivalent, stale $stale, no build $broken"
[ "$survived" -eq 0 ] && [ "$stale" -eq 0 ]
