#!/usr/bin/env bash
# Prints the size of the tests against the size of the program they test, in lines that hold
# code (not blank, not only a comment), e.g. "tests 6833 / program 8167 = 0.84".
#
# Tests: everything under tests/ and the helper programs in tools/ that only tests run (the
# stand-in emulator, the uninstall probe). Program: every other .cpp/.h of the repository
# except the benchmarks (bench/), the fuzz harnesses (fuzz/) and the demo tools (tools/).
# Files are those git tracks or would track, so build folders never count.
set -euo pipefail
cd "$(dirname "$0")/.."

sources() {
    git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u
}

is_test() {
    case "$1" in
        tests/* | tools/test_* | tools/self_delete/*) return 0 ;;
        *) return 1 ;;
    esac
}

is_program() {
    case "$1" in
        tests/* | tools/* | bench/* | fuzz/*) return 1 ;;
        *) return 0 ;;
    esac
}

# Lines with code in the given files. A line counts when anything but white space and comments
# is on it; text inside /* */ spanning lines does not count.
code_lines() {
    if [ "$#" -eq 0 ]; then
        echo 0
        return
    fi
    awk '
        FNR == 1 { inBlock = 0 }
        {
            rest = $0
            hasCode = 0
            while (rest != "") {
                if (inBlock) {
                    end = index(rest, "*/")
                    if (end == 0) break
                    rest = substr(rest, end + 2)
                    inBlock = 0
                    continue
                }
                lineComment = index(rest, "//")
                blockComment = index(rest, "/*")
                if (blockComment > 0 && (lineComment == 0 || blockComment < lineComment)) {
                    if (substr(rest, 1, blockComment - 1) ~ /[^ \t\r]/) hasCode = 1
                    rest = substr(rest, blockComment + 2)
                    inBlock = 1
                    continue
                }
                if (lineComment > 0) rest = substr(rest, 1, lineComment - 1)
                if (rest ~ /[^ \t\r]/) hasCode = 1
                break
            }
            count += hasCode
        }
        END { print count + 0 }
    ' "$@"
}

tests=()
program=()
while IFS= read -r file; do
    [ -f "$file" ] || continue
    if is_test "$file"; then
        tests+=("$file")
    elif is_program "$file"; then
        program+=("$file")
    fi
done < <(sources)

testLines=$(code_lines "${tests[@]}")
programLines=$(code_lines "${program[@]}")
awk -v t="$testLines" -v p="$programLines" \
    'BEGIN { printf "tests %d / program %d = %.2f\n", t, p, (p > 0 ? t / p : 0) }'
