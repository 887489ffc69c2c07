#!/usr/bin/env bash
# Plants the faults of tests/faults/seeded-faults.tsv one at a time in a
# scratch copy of the source, builds the tests each fault names there and runs
# them. A fault whose tests still pass "survives". Prints a summary and exits
# non-zero when a fault survives, when its text is no longer found in the
# source (so the list cannot rot silently), or when a planted fault does not
# build. Takes minutes; not part of CI.
#
#   scripts/seeded-faults.sh [--only REGEX] [--list FILE]
#
#   --only REGEX  plant only the faults whose name matches (extended regex)
#   --list FILE   another fault list in the same format
#
# The scratch tree lives in build-faults/ (ZAM_FAULTS_DIR to move it): tree/
# is a copy of the working tree, refreshed file by file at every run, and
# tree/build one build directory reused across faults and runs, compiled
# through ccache when it is installed (placed like the usual build/, so that the compiler cache
# serves both).
# Before the first fault the named tests must pass on the clean copy.
# ZAM_FAULTS_TIMEOUT (seconds, default 120) bounds each test, so that a fault
# that makes a test hang counts as caught.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/tests/faults/seeded-faults.tsv
only=''
while [ $# -gt 0 ]; do
  case $1 in
    --only) only=$2; shift 2 ;;
    --list) list=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    -h|--help) sed -n '2,21p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
scratch=${ZAM_FAULTS_DIR:-$root/build-faults}
src=$scratch/tree
build=$src/build
logs=$scratch/logs
timeout=${ZAM_FAULTS_TIMEOUT:-120}
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# The list, read by perl: "names" prints name<TAB>tests<TAB>promise per
# fault; "apply NAME DIR" plants the fault in DIR and prints the files it
# changed; exit 3 when a text is not found exactly once.
read -r -d '' tool <<'PERL' || true
use strict; use warnings;
my ($mode, $list, $want, $dir) = @ARGV;
sub unescape { my $t = shift; $t =~ s/\\(n|t|\\)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : "\\"/ge; return $t; }
open(my $in, '<', $list) or die "$list: $!\n";
my (@faults, %seen);
while (my $line = <$in>) {
    chomp $line;
    next if $line =~ /^\s*(#|$)/;
    my @f = split /\t/, $line, -1;
    if ($f[0] eq '+') {
        die "$list:$.: a continuation needs file, from and to\n" unless @f == 4 && @faults;
        push @{$faults[-1]{edits}}, [@f[1 .. 3]];
        next;
    }
    die "$list:$.: six tab-separated fields expected, found " . scalar(@f) . "\n" unless @f == 6;
    die "$list:$.: fault $f[0] named twice\n" if $seen{$f[0]}++;
    die "$list:$.: empty field\n" if grep { $_ eq '' } @f[0, 1, 2, 4, 5];
    push @faults, { name => $f[0], tests => $f[4], promise => $f[5], edits => [[@f[1 .. 3]]] };
}
if ($mode eq 'names') {
    print join("\t", $_->{name}, $_->{tests}, $_->{promise}), "\n" for @faults;
    exit 0;
}
my ($fault) = grep { $_->{name} eq $want } @faults or die "no fault $want\n";
my (%text, @problems);
for my $e (@{$fault->{edits}}) {
    my ($file, $from, $to) = ($e->[0], unescape($e->[1]), unescape($e->[2]));
    unless (exists $text{$file}) {
        open(my $fh, '<', "$dir/$file") or do { push @problems, "$file: no such file"; next };
        local $/; $text{$file} = <$fh>;
    }
    my $n = () = $text{$file} =~ /\Q$from\E/g;
    if ($n != 1) { push @problems, "$file: text found $n times: $e->[1]"; next; }
    my $at = index($text{$file}, $from);
    substr($text{$file}, $at, length $from) = $to;
}
if (@problems) { print STDERR "$_\n" for @problems; exit 3; }
for my $file (sort keys %text) {
    open(my $out, '>', "$dir/$file") or die "$dir/$file: $!\n";
    print $out $text{$file};
    print "$file\n";
}
PERL
faults() { perl -e "$tool" "$@"; }

# --- the scratch copy: the working tree's files, copied when they differ ---
mkdir -p "$src" "$logs"
cd "$root"
git ls-files --cached --others --exclude-standard | sort -u > "$scratch/files"
while IFS= read -r f; do
  [ -f "$f" ] || continue
  if ! cmp -s "$f" "$src/$f"; then
    mkdir -p "$src/$(dirname "$f")"
    cp "$f" "$src/$f"
  fi
done < "$scratch/files"
(cd "$src" && find . -path ./build -prune -o -type f -print | sed 's|^\./||' | sort) |
  comm -23 - "$scratch/files" |
  while IFS= read -r stale; do rm -f "$src/$stale"; done

# Files planted with a fault go back to the working tree's text on any exit.
planted=()
restore() {
  local f
  for f in "${planted[@]+"${planted[@]}"}"; do cp "$root/$f" "$src/$f"; done
  planted=()
}
trap restore EXIT

# Configured at every run, so that CMake's list of tests is current. The
# compiler cache is used when it is installed (scripts/setup.sh installs it);
# without it the plain compiler builds, only more slowly. A tree configured
# with the launcher keeps it in its cache, so it is set or cleared each time.
launcher=''
if command -v ccache >/dev/null 2>&1; then launcher=ccache; fi
# The flags are scripts/test.sh's, so that the cache serves the clean copy.
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" > "$logs/configure.log"

# Tests named by a regular expression, and building them.
tests_of() { ctest --test-dir "$build" -N -R "$1" | sed -n 's/^ *Test *#[0-9]*: //p'; }
build_tests() { cmake --build "$build" -j "$jobs" --target "$@"; }
run_tests() {
  ctest --test-dir "$build" -R "$1" -j "$jobs" --timeout "$timeout" --output-on-failure
}

mapfile -t rows < <(faults names "$list" | { if [ -n "$only" ]; then awk -F'\t' -v re="$only" '$1 ~ re'; else cat; fi; })
if [ ${#rows[@]} -eq 0 ]; then
  echo "no faults to plant" >&2
  exit 2
fi

# The clean copy first: every test the faults name must pass without them.
# Each fault's tests are looked up alone: ctest refuses one regular
# expression joining them all as too long.
mapfile -t every < <(printf '%s\n' "${rows[@]}" | cut -f2 | sort -u |
  while read -r regex; do tests_of "$regex"; done | sort -u)
all="^($(printf '%s\n' "${every[@]}" | paste -sd'|'))\$"
build_tests "${every[@]}" > "$logs/clean-build.log" 2>&1 || {
  echo "the clean copy does not build; see $logs/clean-build.log" >&2
  exit 1
}
if ! run_tests "$all" > "$logs/clean-tests.log" 2>&1; then
  echo "the named tests fail without any fault; see $logs/clean-tests.log" >&2
  exit 1
fi

caught=() survived=() missing=() broken=()
for row in "${rows[@]}"; do
  IFS=$'\t' read -r name regex promise <<< "$row"
  log=$logs/$name.log
  printf '%-34s ' "$name"
  if ! out=$(faults apply "$list" "$name" "$src" 2> "$log"); then
    echo "NOT FOUND"
    missing+=("$name: $(head -1 "$log")")
    continue
  fi
  mapfile -t planted <<< "$out"
  mapfile -t targets < <(tests_of "$regex")
  if [ ${#targets[@]} -eq 0 ]; then
    restore
    echo "NO TESTS match $regex"
    missing+=("$name: no test matches $regex")
    continue
  fi
  if ! build_tests "${targets[@]}" >> "$log" 2>&1; then
    restore
    echo "DOES NOT BUILD"
    broken+=("$name")
    continue
  fi
  if run_tests "$regex" >> "$log" 2>&1; then
    echo "SURVIVED"
    survived+=("$name: $promise (${targets[*]} pass)")
  else
    failed=$(sed -n 's/^[[:space:]]*[0-9][0-9]* - \([^ ]*\) (.*/\1/p' "$log" | sort -u | paste -sd' ')
    echo "caught by $failed"
    caught+=("$name")
  fi
  restore
done

echo
echo "Seeded faults: ${#rows[@]} planted, ${#caught[@]} caught, ${#survived[@]} survived," \
  "${#missing[@]} not found, ${#broken[@]} do not build"
for s in "${survived[@]+"${survived[@]}"}"; do echo "  survived:  $s"; done
for m in "${missing[@]+"${missing[@]}"}"; do echo "  not found: $m"; done
for b in "${broken[@]+"${broken[@]}"}"; do echo "  no build:  $b (see $logs/$b.log)"; done
[ ${#survived[@]} -eq 0 ] && [ ${#missing[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
