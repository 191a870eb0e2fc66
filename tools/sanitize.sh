#!/usr/bin/env bash
# Builds every test again with AddressSanitizer and UndefinedBehaviorSanitizer (leak
# checking on) into build-asan/ and runs them there. Any report fails the run.
#
#   bash tools/sanitize.sh            configure, build and run the tests
#   bash tools/sanitize.sh build      configure and build only
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-asan"
action=${1:-test}

# What the test command installs; the sanitizer runtimes come with the compiler.
source "$here/tools/packages.sh"
mapfile -t packages < <(build_packages)
install_as rolvan-build-deps "build dependencies of Rolvan" "${packages[@]}"
mapfile -t packages < <(test_packages)
install_as rolvan-test-deps "test tools of Rolvan" "${packages[@]}"

# The test discovery runs the test programs at build time, so the options hold for the
# build as well as for the run. A stored value in Qt's own serialised form can claim any
# length, and Qt asks for that much memory and copes when it is refused; the sanitizer
# refuses as malloc does instead of ending the run.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:strict_string_checks=1:detect_stack_use_after_return=1:suppressions=$here/tests/sanitizers/asan.supp
export LSAN_OPTIONS=suppressions=$here/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# Debug keeps fortification off, which hides errors from AddressSanitizer; -O1 keeps the
# suite quick. The fuzzer has sanitizers of its own and runs in the plain suite already.
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DROLVAN_BENCHMARKS=OFF -DROLVAN_FUZZ=OFF \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"$(nproc)"

[ "$action" = build ] && exit 0
# The packaging checks look at the install and the .deb and the style check at the text,
# not at the code; the fuzzer has run in the plain suite.
exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300 -E '^(Packaging|Fuzz|Format)\.'
