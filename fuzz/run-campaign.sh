#!/usr/bin/env bash
# A fuzz campaign: builds every libFuzzer target with clang, runs each for SECONDS seconds,
# keeps the inputs that reached new code in a scratch folder, minimises them against the
# seeds, and minimises what crashed, leaked or timed out. Prints executions and executions
# per second per target.
#
#   fuzz/run-campaign.sh SECONDS [TARGET...]
#
# Environment:
#   KV_FUZZ_BUILD  build folder of the fuzzers (default: build-fuzz)
#   KV_FUZZ_WORK   scratch folder of the campaign (default: $KV_FUZZ_BUILD/campaign)
#   KV_BUILD       the build command, called as "$KV_BUILD <folder> --target ..."
#                  (default: cmake --build)
#   KV_FUZZ_KEEP=1 also copies the new, minimised corpus entries into fuzz/corpus/<target>/
#
# Findings end up in $KV_FUZZ_WORK/findings/<target>/ (minimised); fix the fault, then add
# the input to the target's seeds in fuzz/corpus/ so the replay in the test suite keeps it.
# Run it at low priority when other work shares the machine: nice -n 19 fuzz/run-campaign.sh 180
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

usage() { echo "usage: $0 SECONDS [TARGET...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
seconds=$1; shift
case "$seconds" in ''|*[!0-9]*) usage ;; esac

build=${KV_FUZZ_BUILD:-build-fuzz}
work=${KV_FUZZ_WORK:-$build/campaign}
read -r -a build_cmd <<<"${KV_BUILD:-cmake --build}"

# clang and its libFuzzer run-time: a one-line fuzzer must link.
cxx=""
for c in clang++-14 clang++; do
  if command -v "$c" >/dev/null 2>&1; then cxx=$(command -v "$c"); break; fi
done
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
if [ -z "$cxx" ] || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' |
    "$cxx" -x c++ -fsanitize=fuzzer,address - -o "$probe/probe" 2>/dev/null; then
  echo "run-campaign: clang with libFuzzer is needed. Install it with:" >&2
  echo "  sudo apt-get install --no-install-recommends clang-14 libclang-rt-14-dev" >&2
  exit 3
fi

echo "== configure $build (clang: $cxx)"
cmake -S . -B "$build" -DKV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" >/dev/null || exit 1

# The targets and their seed folders, as fuzz/CMakeLists.txt declares them.
mapfile -t all < <(cd "$build/fuzz" && ls -1 ./*.corpus 2>/dev/null | sed 's|^\./||; s|\.corpus$||')
[ ${#all[@]} -gt 0 ] || { echo "run-campaign: no fuzz targets found in $build/fuzz" >&2; exit 1; }
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
for t in "${targets[@]}"; do
  [ -f "$build/fuzz/$t.corpus" ] || { echo "run-campaign: unknown target $t (known: ${all[*]})" >&2; exit 2; }
done

echo "== build ${targets[*]}"
"${build_cmd[@]}" "$build" --target "${targets[@]}" || exit 1

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME || true

mkdir -p "$work"
summary=$work/summary.txt
printf '%-22s %12s %9s %6s %9s  %s\n' target executions 'exec/s' new kept findings >"$summary"
found=0
for t in "${targets[@]}"; do
  bin=$build/fuzz/$t
  dir=$work/$t
  rm -rf "$dir"
  mkdir -p "$dir/new" "$dir/artifacts" "$dir/kept" "$dir/seeds"
  IFS=';' read -r -a seeds <"$build/fuzz/$t.corpus"
  # One folder of seeds: libFuzzer takes folders, and some targets name single files.
  for s in "${seeds[@]}"; do
    if [ -d "$s" ]; then find "$s" -maxdepth 1 -type f -exec cp -p {} "$dir/seeds/" \;; else cp -p "$s" "$dir/seeds/"; fi
  done
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=("-dict=fuzz/dict/$t.dict")
  echo "== $t: ${seconds}s"
  # The scratch folder comes first: libFuzzer adds what it finds to the first folder only.
  "$bin" "$dir/new" "$dir/seeds" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$dir/artifacts/" >"$dir/log.txt" 2>&1
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log.txt" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log.txt" | tail -n 1)
  if [ -z "$execs" ]; then
    # Stopped before the final statistics: the last status line says how far it got.
    execs=$(grep -o '^#[0-9]*' "$dir/log.txt" | tail -n 1 | tr -d '#')
    rate=$(grep -o 'exec/s: [0-9]*' "$dir/log.txt" | tail -n 1 | sed 's/exec\/s: //')
  fi
  added=$(find "$dir/new" -type f | wc -l)

  # The new entries that still add coverage once the seeds are counted: merge the seeds
  # into an empty folder first, then the new entries on top.
  cp -rp "$dir/seeds" "$dir/merge"
  ls -1 "$dir/merge" | sort >"$dir/seeds.txt"
  if [ "$added" -gt 0 ]; then
    "$bin" -merge=1 "$dir/merge" "$dir/new" >"$dir/merge-log.txt" 2>&1
    comm -13 "$dir/seeds.txt" <(ls -1 "$dir/merge" | sort) | while read -r f; do cp -p "$dir/merge/$f" "$dir/kept/"; done
  fi
  kept=$(find "$dir/kept" -type f | wc -l)
  if [ "${KV_FUZZ_KEEP:-0}" = 1 ] && [ "$kept" -gt 0 ]; then
    primary=${seeds[0]}
    [ -d "$primary" ] && find "$dir/kept" -type f -size -4k -exec cp -p {} "$primary/" \;
  fi

  # Crashes, leaks and timeouts, each cut down to a small input that still fails.
  findings=()
  for a in "$dir"/artifacts/*; do
    [ -e "$a" ] || continue
    mkdir -p "$work/findings/$t"
    base=$(basename "$a")
    out=$work/findings/$t/$base
    if ! "$bin" -minimize_crash=1 -max_total_time=60 -timeout=10 -exact_artifact_path="$out" "$a" \
        >"$dir/minimise-$base.txt" 2>&1 || [ ! -s "$out" ]; then
      cp -p "$a" "$out"
    fi
    [ -s "$out" ] || cp -p "$a" "$out"
    findings+=("$out")
  done
  found=$((found + ${#findings[@]}))
  printf '%-22s %12s %9s %6s %9s  %s\n' "$t" "${execs:-?}" "${rate:-?}" "$added" "$kept" \
    "${findings[*]:-none}" | tee -a "$summary"
  if [ ${#findings[@]} -gt 0 ]; then
    grep -m 3 -E 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|check failed' "$dir/log.txt" | sed 's/^/    /'
  fi
done

echo
cat "$summary"
echo "Logs and kept entries: $work"
[ "$found" -eq 0 ]
