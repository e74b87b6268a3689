#!/usr/bin/env bash
# Builds the fuzz targets (the `fuzz` preset: clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs them: tools/fuzz.sh [TARGET|all] [SECONDS].
# Each target starts from its seed corpus in fuzz/corpus/TARGET; what it finds on the way is
# kept in build-fuzz/corpus/TARGET, a crashing input in build-fuzz/findings/TARGET. One target
# runs at a time, on one core. JOBS sets the build's parallel jobs (default 1).
#
# Speed: the allocator keeps what it frees (a purge every second would hand the pages back, and
# every input would fault them in again), its quarantine of freed blocks is 64 MB (many times
# what one input frees), and the texture codec takes blocks of at most 1,152 bytes (the largest
# seed; a longer block only repeats what a shorter one exercises).
set -euo pipefail
cd "$(dirname "$0")/.."
target="${1:-all}"
seconds="${2:-60}"
targets=(import open_set lod texture bitmap fedlist settings)
declare -A options=([texture]="-max_len=1152")
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=64}"

# clang with libFuzzer; installed when missing.
probe=$(mktemp -d)
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    > "$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
    sudo=""
    if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang libclang-rt-dev
fi
rm -rf "$probe"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"${JOBS:-1}"

if [ "$target" = all ]; then
    run=("${targets[@]}")
else
    run=("$target")
fi
status=0
for t in "${run[@]}"; do
    work="build-fuzz/corpus/$t"
    findings="build-fuzz/findings/$t"
    mkdir -p "$work" "$findings"
    echo "== fuzz_$t for ${seconds} s"
    # shellcheck disable=SC2086
    if ! "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -purge_allocator_interval=-1 ${options[$t]:-} -print_final_stats=1 \
        -artifact_prefix="$findings/" "$work" "fuzz/corpus/$t"; then
        echo "fuzz_$t found a fault: $findings" >&2
        status=1
    fi
done
exit $status
