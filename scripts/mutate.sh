#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plants small faults in src/, one at a time, and tells how many the tests
# catch. Each fault is one of: a comparison flipped or its bound moved by one
# (== !=, < <=, > >=), && and || swapped, + 1 and - 1 swapped, true and false
# swapped. The sites are drawn at random with a fixed seed, so a run can be
# repeated. For each site: change the file, rebuild the tests in the `ci`
# build (ninja rebuilds only what the change touches), run ctest with a time
# limit, put the file back. A fault that does not compile is skipped.
#
#   bash scripts/mutate.sh [-n SITES] [-s SEED] [-p PATH]... [-r REGEX] [-t SECONDS]
#
# Takes minutes (10 to 60 s a site on two cores, up to two minutes for a
# header); not part of CI. With warnings as errors, && and || swapped in an
# expression that mixes them does not compile and is skipped.
set -euo pipefail

sites=40
seed=1
paths=()
tests=''
timeout=60
list=''

usage() {
    sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'
    cat <<'EOF'
Options:
  -n SITES     how many faults to plant (default 40)
  -s SEED      the seed that picks the sites (default 1)
  -p PATH      only sites in files under PATH (a folder or file of src/;
               may be given more than once; default src)
  -r REGEX     run only the tests whose names match (ctest -R); default all
  -t SECONDS   time limit of one test (default 60); a test that runs out
               counts as a fault caught
  -l           only list the sites that would be picked
EOF
}

while getopts 'n:s:p:r:t:lh' opt; do
    case $opt in
        n) sites=$OPTARG ;;
        s) seed=$OPTARG ;;
        p) paths+=("$OPTARG") ;;
        r) tests=$OPTARG ;;
        t) timeout=$OPTARG ;;
        l) list=1 ;;
        h) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done
[[ $sites =~ ^[0-9]+$ && $seed =~ ^[0-9]+$ && $timeout =~ ^[0-9]+$ ]] || {
    echo "mutate.sh: -n, -s and -t take whole numbers" >&2
    exit 2
}
((${#paths[@]})) || paths=(src)

cd "$(dirname "$0")/.."
root=$PWD
for p in "${paths[@]}"; do
    case $(realpath -m "$p")/ in
        "$root"/src/*) ;;
        *) echo "mutate.sh: $p is not inside src/" >&2; exit 2 ;;
    esac
done

if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
fi
work=$(mktemp -d)

# The file under change and its original bytes; put back on every way out,
# Ctrl-C included.
current=''
restore() {
    if [[ -n $current ]]; then
        cp "$work/original" "$current"
        current=''
    fi
}
finish() {
    restore
    rm -rf "$work"
}
trap finish EXIT
trap 'echo; echo "mutate.sh: stopped; every file is back as it was" >&2; exit 130' INT TERM

# Every site: file, line, column, the text there and what replaces it.
# Comments, preprocessor lines and string literals are left alone.
# shellcheck disable=SC2016 # the quoted text is an awk program
find "${paths[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort |
    xargs awk '
    BEGIN {
        np = split(" == @ != @ <= @ < @ >= @ > @ && @ || @ + 1@ - 1@true@false", from, "@")
        split(" != @ == @ < @ <= @ > @ >= @ || @ && @ - 1@ + 1@false@true", to, "@")
    }
    function word(c) { return c ~ /[A-Za-z0-9_.]/ }
    function quoted(s, pos,    k, c, q) {
        q = 0
        for (k = 1; k < pos; k++) {
            c = substr(s, k, 1)
            if (c == "\\") k++
            else if (c == "\"") q = !q
        }
        return q
    }
    {
        s = $0
        t = s
        sub(/^[ \t]+/, "", t)
        if (t ~ /^(\/\/|\/\*|\*|#)/ || t ~ /^static_assert/) next
        cut = index(s, "//")
        if (cut > 0) s = substr(s, 1, cut - 1)
        for (k = 1; k <= np; k++) {
            p = from[k]
            start = 1
            while ((i = index(substr(s, start), p)) > 0) {
                pos = start + i - 1
                start = pos + 1
                after = substr(s, pos + length(p), 1)
                if (p ~ /^[a-z]/ && (word(substr(s, pos - 1, 1)) || word(after))) continue
                if (p ~ /1$/ && word(after)) continue
                if (quoted(s, pos)) continue
                printf "%s\t%d\t%d\t%s\t%s\n", FILENAME, FNR, pos, p, to[k]
            }
        }
    }' >"$work/all"

total=$(wc -l <"$work/all")
((total > 0)) || { echo "mutate.sh: no sites under ${paths[*]}" >&2; exit 1; }

# A partial shuffle with a generator of its own (Park-Miller), so that the
# same seed picks the same sites with any awk.
awk -v n="$sites" -v seed="$seed" '
    { site[NR] = $0 }
    END {
        x = seed % 2147483646 + 1
        for (i = 0; i < 20; i++) x = (x * 16807) % 2147483647  # small seeds start small
        for (i = 1; i <= n && i <= NR; i++) {
            x = (x * 16807) % 2147483647
            j = i + int(x / 2147483647 * (NR - i + 1))
            t = site[i]; site[i] = site[j]; site[j] = t
            print site[i]
        }
    }' "$work/all" >"$work/picked"

picked=$(wc -l <"$work/picked")
if [[ -n $list ]]; then
    awk -F'\t' '{ sub(/^ /, "", $4); sub(/^ /, "", $5); printf "%s:%d: %s -> %s\n", $1, $2, $4, $5 }' \
        "$work/picked"
    exit 0
fi

cmake --preset ci >"$work/log" || { cat "$work/log"; exit 1; }

# What the tests run: their executables and the programs under build/src.
build_targets() {
    {
        ctest --preset ci -N -V 2>/dev/null | sed -n 's/^.*Test command: \([^ ]*\).*$/\1/p'
        find "$root/build/src" -type f -perm -u+x ! -name '*.so*' 2>/dev/null
    } | sort -u | sed -n "s|^$root/build/||p"
}

build() {
    local targets
    mapfile -t targets <"$work/targets"
    cmake --build build --parallel 2 --target "${targets[@]}" >"$work/log" 2>&1
}

run_tests() {
    local args=(--preset ci --parallel 2 --timeout "$timeout" --stop-on-failure)
    [[ -n $tests ]] && args+=(-R "$tests")
    ctest "${args[@]}" >"$work/log" 2>&1
}

echo "Building the ci build and running the tests once as they are..."
cmake --build --preset ci --parallel 2 >"$work/log" 2>&1 || { cat "$work/log"; exit 1; }
build_targets >"$work/targets"
run_tests || {
    cat "$work/log"
    echo "mutate.sh: the tests fail without any fault; fix that first" >&2
    exit 1
}

echo "Planting $picked of $total faults under ${paths[*]} (seed $seed)"
caught=0
compiled=0
survivors=()
k=0
while IFS=$'\t' read -r file line col from to; do
    k=$((k + 1))
    where="$file:$line"
    change="'${from# }' -> '${to# }'"
    cp "$file" "$work/original"
    current=$file
    awk -v l="$line" -v c="$col" -v f="$from" -v t="$to" '
        NR == l { $0 = substr($0, 1, c - 1) t substr($0, c + length(f)) } { print }' \
        "$work/original" >"$work/mutant"
    cp "$work/mutant" "$file"
    started=$SECONDS
    if ! build; then
        result="does not compile: $(grep -m1 -o 'error: .*' "$work/log" || tail -n1 "$work/log")"
    else
        compiled=$((compiled + 1))
        if run_tests; then
            result='SURVIVED'
            survivors+=("$where: $change: $(sed -n "${line}p" "$work/original" | sed 's/^ *//')")
        else
            result='caught'
            caught=$((caught + 1))
        fi
    fi
    restore
    printf '[%d/%d] %s: %s: %s (%d s)\n' "$k" "$picked" "$where" "$change" "$result" \
        $((SECONDS - started))
done <"$work/picked"

echo "Rebuilding as the sources are..."
build || { cat "$work/log"; exit 1; }

echo
if ((compiled > 0)); then
    echo "Caught $caught of $compiled faults that compile ($((100 * caught / compiled)) %);" \
        "$((picked - compiled)) did not compile."
else
    echo "None of the $picked faults compiled."
fi
if ((${#survivors[@]})); then
    echo "Survivors:"
    printf '  %s\n' "${survivors[@]}"
fi
