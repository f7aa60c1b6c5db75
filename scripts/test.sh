#!/usr/bin/env bash
# Builds Veltrix from scratch and runs every test twice: in a normal build and
# in a build with AddressSanitizer and UndefinedBehaviorSanitizer (there without
# making the Debian package). Also checks the formatting and that the
# benchmarks and fuzz targets still build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/deps.sh

echo "== Formato (clang-format)"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

jobs=$(nproc)
total=0
# Runs ctest in a build folder and adds its test count to the total.
run_ctest() {
    local log
    log=$(mktemp)
    if ! ctest --test-dir "$@" 2>&1 | tee "$log"; then
        rm -f "$log"
        return 1
    fi
    local n
    n=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    rm -f "$log"
    total=$((total + ${n:-0}))
}
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== Compilación normal"
# Line tables are all a failing test's stack needs, and cost a tenth of the
# compile time that full debugging information does.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIX_BENCH=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
cmake --build build -j "$jobs"
echo "== Pruebas"
run_ctest build -j "$jobs" --timeout 600

echo "== Compilación con AddressSanitizer y UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRIX_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 >/dev/null
cmake --build build-asan -j "$jobs"
echo "== Pruebas con sanitizadores"
# The Debian package is made once, from the normal build: a package of the
# sanitizer build would be no package anyone installs.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_ctest build-asan -j "$jobs" --timeout 900 --label-exclude package

echo "== Objetivos de fuzzing (clang, libFuzzer): compilación y corpus semilla"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELTRIX_FUZZ=ON -DVELTRIX_TESTS=OFF >/dev/null
# Only the fuzz targets: the editor itself needs no second build with clang.
cmake --build build-fuzz -j "$jobs" --target fuzz_map_load fuzz_map_roundtrip fuzz_jpeg fuzz_bmp fuzz_gif \
    fuzz_lock fuzz_preset
for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="fuzz/corpus/${name#fuzz_}"
    case "$name" in
        fuzz_map_load | fuzz_map_roundtrip) corpus=fuzz/corpus/map ;;
    esac
    if [ -d "$corpus" ]; then
        ASAN_OPTIONS=detect_leaks=1 "$target" -runs=0 "$corpus" >/dev/null 2>&1 ||
            { echo "El corpus de $name falla"; "$target" -runs=0 "$corpus"; exit 1; }
    fi
done
echo "Resultado: $total passed, 0 failed"
