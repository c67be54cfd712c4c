#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the speed of the working tree (committed or not) with that of
# commit BASE. Builds the benchmarks of both in Release with the same compiler
# and flags, then runs them in turns, one benchmark at a time (base then head,
# and in the next round head then base), round after round, and prints for
# each benchmark its time in both and the ratio head / base with its spread.
# On a shared machine absolute times wander from minute to minute; two builds
# measured side by side in the same minutes are what can be compared.
#
#   scripts/bench-compare.sh [-r ROUNDS] [-n REPETITIONS] [-m SECONDS] [-f REGEX]
#                            [-t PERCENT] [-w] BASE
#
# head/base is the median of the rounds' ratios. "95 % range" is where the
# true ratio lies in 19 runs of 20: the ratios from the k-th least to the k-th
# greatest, with k from the binomial distribution (a sign test). "slower" or
# "faster" marks a benchmark whose whole range lies on one side of 1 and whose
# median is more than PERCENT from 1; anything else is within the noise of
# the run. A benchmark only the head has is "new", one only the base has is
# "gone"; one whose runs all failed is "failed".
#
# The builds live in build-compare/ (ignored by git; BENCH_COMPARE_DIR moves
# it): base-src/ holds BASE's files, base/ and head/ the two builds, results/
# the last run's figures. A second run against the same commit builds only
# what changed.
set -euo pipefail

rounds=15
repetitions=1
min_time=0.2
filter=''
threshold=5
time_key=cpu_time

usage() {
    sed -n '3,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'
    cat <<'EOF'
Options:
  -r ROUNDS       rounds of base and head runs (default 15; below 9 the
                  95 % range is the least to the greatest ratio)
  -n REPETITIONS  repetitions of a benchmark in one run; the run's figure is
                  their median (default 1)
  -m SECONDS      least time of one repetition (default 0.2)
  -f REGEX        only the benchmarks whose names match (--benchmark_filter)
  -t PERCENT      the least difference marked slower or faster (default 5)
  -w              wall-clock time instead of CPU time
EOF
}

while getopts 'r:n:m:f:t:wh' opt; do
    case $opt in
        r) rounds=$OPTARG ;;
        n) repetitions=$OPTARG ;;
        m) min_time=$OPTARG ;;
        f) filter=$OPTARG ;;
        t) threshold=$OPTARG ;;
        w) time_key=real_time ;;
        h) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
(($# == 1)) || { usage >&2; exit 2; }
[[ $rounds =~ ^[1-9][0-9]*$ && $repetitions =~ ^[1-9][0-9]*$ ]] || {
    echo "bench-compare: -r and -n take whole numbers from 1" >&2
    exit 2
}
[[ $min_time =~ ^[0-9]*\.?[0-9]+$ && $threshold =~ ^[0-9]*\.?[0-9]+$ ]] || {
    echo "bench-compare: -m and -t take numbers" >&2
    exit 2
}

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
base=$(git rev-parse --verify --quiet "$1^{commit}") || {
    echo "bench-compare: $1 is not a commit" >&2
    exit 2
}
bash scripts/setup.sh

out=${BENCH_COMPARE_DIR:-$root/build-compare}
mkdir -p "$out"
rm -rf "$out/results"
mkdir "$out/results"

# BASE's files, taken again only for another commit, so that the base build
# stays up to date between runs against the same one.
if [[ $(cat "$out/base-src.commit" 2>/dev/null) != "$base" ]]; then
    rm -rf "$out/base-src" "$out/base-src.commit"
    mkdir "$out/base-src"
    git archive "$base" | tar -x -C "$out/base-src"
    echo "$base" >"$out/base-src.commit"
fi

# The same configuration for both, given in full every time: no compiler
# flags from the environment or from an earlier run's cache.
cxx=$(command -v "${CXX:-g++}")
config=(-G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_COMPILER=$cxx"
    -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS= -DTWISTOR_BENCH=ON -DTWISTOR_GUI=ON
    -DTWISTOR_WERROR=OFF -DTWISTOR_CHECKED=OFF -DTWISTOR_SANITIZE=OFF -DTWISTOR_FUZZ=OFF
    -DBUILD_TESTING=OFF)

build() {  # name, source folder
    local log=$out/results/build-$1.log
    if [[ ! -f $2/bench/CMakeLists.txt ]]; then
        echo "bench-compare: the $1 has no benchmarks" >&2
        rm -rf "${out:?}/$1"
        return
    fi
    echo "bench-compare: building the benchmarks of the $1 ($2)" >&2
    if ! { cmake -S "$2" -B "$out/$1" "${config[@]}" &&
        cmake --build "$out/$1" --parallel 2 --target bench/all; } >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "bench-compare: the $1 does not build; the whole log is in $log" >&2
        exit 1
    fi
}
build base "$out/base-src"
build head "$root"

export QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0 QT_SCALE_FACTOR=1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

# The benchmark programs of a build: the programs under bench/ that link
# Google Benchmark (launch_probe does not).
programs() {
    [[ -d $out/$1/bench ]] || return 0
    (cd "$out/$1" && find bench -type f -perm -u+x ! -path '*/CMakeFiles/*' | LC_ALL=C sort |
        while read -r p; do grep -qa _ZN9benchmark "$p" && echo "$p"; done)
}

# Every benchmark of every program, as "side program name", in their order.
: >"$out/results/names"
for side in base head; do
    while read -r p; do
        "$out/$side/$p" --benchmark_list_tests=true ${filter:+"--benchmark_filter=$filter"} \
            2>/dev/null | sed "s|^|$side $p |" >>"$out/results/names" || true
    done < <(programs "$side")
done
[[ -s $out/results/names ]] || { echo "bench-compare: no benchmark matches" >&2; exit 1; }
declare -A program=()
while read -r side p name; do program[$side $name]=$p; done <"$out/results/names"
# Program by program in the head's order, what only the base has after the
# rest of its program.
sort -s -k1,1r "$out/results/names" | awk '
    !seen[$3]++ { if (!($2 in count)) programs[++n] = $2; list[$2, ++count[$2]] = $3 }
    END { for (i = 1; i <= n; i++) for (j = 1; j <= count[programs[i]]; j++) print list[programs[i], j] }
' >"$out/results/order"
mapfile -t all <"$out/results/order"

run() {  # side, round, benchmark
    local p=${program[$1 $3]:-}
    [[ -n $p ]] || return 0
    local json=$out/results/run.json exact
    rm -f "$json"
    # shellcheck disable=SC2001 # a whole class of characters to escape
    exact=$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$3")
    "$out/$1/$p" --benchmark_filter="^$exact\$" \
        --benchmark_repetitions="$repetitions" --benchmark_min_time="$min_time" \
        --benchmark_out="$json" --benchmark_out_format=json >/dev/null 2>&1 || true
    # One "side round name nanoseconds" line per repetition; none for a run
    # that failed.
    awk -v side="$1" -v round="$2" -v key="\"$time_key\":" '
        { gsub(/[",]/, "", $2) }
        $1 == "\"name\":" { name = $2; type = ""; failed = 0; t = "" }
        $1 == "\"run_type\":" { type = $2 }
        $1 == "\"error_occurred\":" { failed = $2 == "true" }
        $1 == key { t = $2 }
        $1 == "\"time_unit\":" && type == "iteration" && !failed && t != "" {
            scale = $2 == "us" ? 1e3 : $2 == "ms" ? 1e6 : $2 == "s" ? 1e9 : 1
            printf "%s %d %s %.6g\n", side, round, name, t * scale
        }' "$json" 2>/dev/null >>"$out/results/samples" || true
}

# Base and head take turns one benchmark at a time, so that the two figures
# of a round lie a second apart and whatever else the machine does then
# weighs on both alike. Each round swaps who goes first.
: >"$out/results/samples"
for ((r = 1; r <= rounds; r++)); do
    echo "bench-compare: round $r of $rounds" >&2
    if ((r % 2)); then order=(base head); else order=(head base); fi
    for name in "${all[@]}"; do
        for side in "${order[@]}"; do run "$side" "$r" "$name"; done
    done
done
rm -f "$out/results/run.json"

awk -v rounds="$rounds" -v threshold="$threshold" -v what="${time_key%_time}" '
    function sorted(a, n, b,    i, j, v) {
        for (i = 1; i <= n; i++) {
            v = a[i]
            for (j = i - 1; j >= 1 && b[j] > v; j--) b[j + 1] = b[j]
            b[j + 1] = v
        }
    }
    function median(a, n,    b) {
        sorted(a, n, b)
        return n % 2 ? b[(n + 1) / 2] : (b[n / 2] + b[n / 2 + 1]) / 2
    }
    # The k of the 95 % range of the median of m values: the greatest k
    # with P(X < k) <= 2.5 % for X ~ B(m, 1/2); at least 1, below 6 values
    # the least and the greatest.
    function rank(m,    k, c, cum) {
        k = 1
        c = 1
        cum = 0.5 ^ m
        while (k < (m + 1) / 2) {
            c = c * (m - k + 1) / k
            if (cum + c * 0.5 ^ m > 0.025) break
            cum += c * 0.5 ^ m
            k++
        }
        return k
    }
    # Three significant figures and a unit.
    function show(ns,    u, d, v) {
        if (ns < 1e3) { u = "ns"; d = 1 } else if (ns < 1e6) { u = "µs"; d = 1e3 }
        else if (ns < 1e9) { u = "ms"; d = 1e6 } else { u = "s"; d = 1e9 }
        v = ns / d
        return sprintf(v < 10 ? "%.2f %s" : v < 100 ? "%.1f %s" : "%.0f %s", v, u)
    }
    # Right-aligned in w columns; µ takes one column but two bytes.
    function right(s, w) { return sprintf("%" (w + (index(s, "µ") > 0)) "s", s) }
    # The figure of each round that ran `name` on `side`, in per[round].
    function runs(side, name, per,    r, k, j, one) {
        for (r = 1; r <= rounds; r++) {
            k = side SUBSEP r SUBSEP name
            delete per[r]
            if (!(k in n)) continue
            for (j = 1; j <= n[k]; j++) one[j] = sample[k, j]
            per[r] = median(one, n[k])
        }
    }
    FILENAME ~ /names$/ {
        if (!(($1, $3) in program)) program[$1, $3] = $2
        next
    }
    { k = $1 SUBSEP $2 SUBSEP $3; sample[k, ++n[k]] = $4 }
    END {
        printf "%-26s %9s %9s %9s  %-10s  %s\n", "benchmark", "base", "head", "head/base",
            "95 % range", "min-max"
        while ((getline name < order) > 0) {
            inBase = ("base", name) in program
            inHead = ("head", name) in program
            p = inHead ? program["head", name] : program["base", name]
            if (p != last) { printf "%s\n", p; last = p }
            runs("base", name, bs)
            runs("head", name, hs)
            mb = mh = m = 0
            for (r = 1; r <= rounds; r++) {
                if (r in bs) all_b[++mb] = bs[r]
                if (r in hs) all_h[++mh] = hs[r]
                if ((r in bs) && (r in hs) && bs[r] > 0) ratio[++m] = hs[r] / bs[r]
            }
            tb = mb ? show(median(all_b, mb)) : inBase ? "failed" : "-"
            th = mh ? show(median(all_h, mh)) : inHead ? "failed" : "-"
            line = sprintf("  %-24s %s %s", name, right(tb, 9), right(th, 9))
            if (!inBase || !inHead) {
                printf "%s %9s\n", line, inHead ? "new" : "gone"
                continue
            }
            if (!m) {
                printf "%s %9s\n", line, "failed"
                continue
            }
            sorted(ratio, m, b)
            mid = median(ratio, m)
            k = rank(m)
            lo = b[k]
            hi = b[m + 1 - k]
            mark = ""
            if (lo > 1 && mid > 1 + threshold / 100) mark = "  slower"
            if (hi < 1 && mid < 1 - threshold / 100) mark = "  faster"
            printf "%s %9.2f  %.2f-%.2f  %.2f-%.2f%s\n", line, mid, lo, hi, b[1], b[m], mark
        }
        printf "\n%s time; %d rounds. Marked where the 95 %% range lies on one side of 1\n",
            what == "cpu" ? "CPU" : "Wall-clock", rounds
        printf "and the median more than %s %% from it.\n", threshold
    }' order="$out/results/order" "$out/results/names" "$out/results/samples"
