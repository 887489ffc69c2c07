#!/usr/bin/env bash
# Sets up, checks the layout of the C++ files, builds and runs the whole
# test suite offscreen, then once more under AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer (a second build tree). Exits non-zero on any
# failure, a leak included. Each step prints how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
# Runs one step and says how long it took.
timed() {
  local start=$SECONDS
  "$@"
  echo "== $((SECONDS - start)) s: $*" >&2
}
timed scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Every C++ file is as .clang-format lays it out.
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
  echo "Some files are not formatted: run  git ls-files '*.cpp' '*.h' | xargs clang-format -i" >&2
  exit 1
fi

# Line tables (-g1) rather than full debug information: backtraces keep their
# files and lines, and the two builds take a third less time.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
timed cmake --build build -j "$jobs"
timed ctest --test-dir build --output-on-failure -j "$jobs"
# The Debian package: built, validated, installed, checked and removed.
timed scripts/package-check.sh

if [ "${ZAM_SKIP_SANITIZERS:-0}" != 1 ]; then
  # The sanitized tree is built with clang where its sanitizer runtimes are
  # installed: it compiles these files in about 30 % less time than GCC, and
  # the two trees then see both compilers' warnings. GCC builds it otherwise.
  compiler=()
  if command -v clang++ >/dev/null &&
     echo 'int main() {}' | clang++ -x c++ -fsanitize=address,undefined -o /dev/null - 2>/dev/null; then
    compiler=(-DCMAKE_CXX_COMPILER=clang++)
  fi
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
    -DZAM_SANITIZE=ON "${compiler[@]}" >/dev/null
  timed cmake --build build-asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    timed ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi
