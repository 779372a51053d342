#!/usr/bin/env bash
# Fails when README.md's transcripts no longer show what the programs print: the demo's, played by
# scripts/sandbox-demo.sh on what is built, and the checker's example with its exit status. The
# README is read at every run, so an edit of either side shows here as a difference.
#   check_readme_transcripts.sh <source dir> <build dir> <quellwarden-check>
set -euo pipefail
root=$1
build_dir=$2
checker=$3
readme="$root/README.md"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# block_from PREFIX: the lines of README.md from the first one that starts with PREFIX to the end
# of its fenced block; fails when there is no such line.
block_from() {
  awk -v prefix="$1" '
    taking && /^```/ { exit }
    !taking && index($0, prefix) == 1 { taking = 1 }
    taking { print }
    END { if (!taking) exit 1 }' "$readme" || {
    echo "readme_transcripts: README.md has no block line starting with '$1'" >&2
    exit 1
  }
}

failed=0
compare() {
  local what=$1 expected=$2 actual=$3
  if ! diff -u --label "README.md: $what" --label "printed" "$expected" "$actual"; then
    echo "readme_transcripts: $what differs from README.md (above); update the README with the" \
      "real output, or mend the program" >&2
    failed=1
  fi
}

# The demo. Its build step is skipped here, and the line it prints for it names the build folder.
demo_prompt='$ scripts/sandbox-demo.sh'
block_from "$demo_prompt" | sed '1d; /^== Building /d' >"$scratch/demo.expected"
QW_BUILD_DIR="$build_dir" bash "$root/scripts/sandbox-demo.sh" --no-build >"$scratch/demo.printed" \
  2>&1 || echo "(sandbox-demo.sh exited with $?)" >>"$scratch/demo.printed"
compare "the demo's transcript ($demo_prompt)" "$scratch/demo.expected" "$scratch/demo.printed"

# The checker's example, run as written, from a folder holding a copy of examples/ so that the
# path it prints is the README's.
block_from '$ build/bin/quellwarden-check examples/' >"$scratch/check.block"
read -r -a arguments <<<"$(head -n 1 "$scratch/check.block")"
arguments=("${arguments[@]:2}")  # less "$" and the program
awk 'NR > 1 && $0 == "$ echo $?" { exit } NR > 1 { print }' "$scratch/check.block" \
  >"$scratch/check.expected"
expected_status="$(sed -n '/^\$ echo \$?$/{n;p;q}' "$scratch/check.block")"
if [[ -z "$expected_status" ]]; then
  echo "readme_transcripts: the checker's example in README.md lacks its '\$ echo \$?' lines" >&2
  exit 1
fi
cp -R "$root/examples" "$scratch/examples"
status=0
# In UTC, as the README shows it: elsewhere the checker adds each time in the machine's zone.
(cd "$scratch" && TZ=UTC "$checker" "${arguments[@]}") >"$scratch/check.printed" 2>&1 || status=$?
check_prompt="\$ build/bin/quellwarden-check ${arguments[*]}"
compare "the checker's output ($check_prompt)" "$scratch/check.expected" "$scratch/check.printed"
if [[ "$status" != "$expected_status" ]]; then
  echo "readme_transcripts: $check_prompt exits with $status; README.md shows $expected_status" >&2
  failed=1
fi

# Sandbox sessions: each block whose first line starts with "> " is typed, those lines less their
# mark, into a sandbox started as the demo starts it on a fresh copy of examples/; the block's other
# lines are what it prints after its start-up lines.
awk -v out="$scratch/session" '
  /^```/ { if (taking) { close(file); taking = 0 } else { opening = 1 } ; next }
  opening && index($0, "> ") == 1 { taking = 1; file = out "." ++count }
  { opening = 0 }
  taking { print > file }' "$readme"
for block in "$scratch"/session.*; do
  [[ -e "$block" ]] || break
  rm -rf "$scratch/server"
  cp -R "$root/examples" "$scratch/server"
  grep -v '^> ' "$block" >"$block.expected" || true
  { echo "echo --- typed"; sed -n 's/^> //p' "$block"; } |
    TZ=UTC "$build_dir/bin/quellwarden-sandbox" --workdir "$scratch/server" --clock 1767895200 \
      2>&1 | sed '1,/^--- typed$/d' >"$block.printed"
  compare "the sandbox session starting '$(head -n 1 "$block")'" "$block.expected" "$block.printed"
done

exit "$failed"
