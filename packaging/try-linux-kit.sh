#!/usr/bin/env bash
# Tries the Linux kit as an admin gets it: unpacked into a folder whose path holds a blank and a
# letter beyond ASCII, far from the build tree. Its programs and libraries may need nothing but the
# C library's own and what the kit carries, found beside them ($ORIGIN) and never in the build
# tree, and no C library newer than README-admins.txt names. Then it runs the checker and the
# sandbox as the text says, with an empty environment, and compares what they print with the
# transcripts of README-admins.txt and the README.
#   packaging/try-linux-kit.sh ARCHIVE README
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/readme_demo.sh"
if (($# != 2)); then
  echo "usage: $0 ARCHIVE README" >&2
  exit 2
fi
archive=$(realpath "$1")
readme=$(realpath "$2")

fail() {
  echo "try-linux-kit: $*" >&2
  exit 1
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quellwarden-kit.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
place="$scratch/Wüste Insel"
mkdir -p "$place"
tar xzf "$archive" -C "$place"
name=$(basename "$archive" .tar.gz)
kit="$place/$name"

# 1. What the kit holds, and nothing else.
expected="$name/README-admins.txt
$name/sandbox/ArkApi/Plugins/Quellwarden/config.json
$name/sandbox/ArkApi/Plugins/Quellwarden/libQuellwarden.so
$name/sandbox/first-week.txt
$name/sandbox/libAsaApi.so
$name/sandbox/libgcc_s.so.1
$name/sandbox/libstdc++.so.6
$name/sandbox/quellwarden-sandbox
$name/tools/quellwarden-check"
diff <(echo "$expected") <(cd "$place" && find . -type f | sed 's#^\./##' | LC_ALL=C sort) ||
  fail "$(basename "$archive") does not hold what the kit should"

# 2. What each program and library needs, and where it looks for it.
text="$kit/README-admins.txt"
glibc=$(grep -o 'GNU C library [0-9.]* or later' "$text" | grep -o '[0-9][0-9.]*' || true)
[[ -n "$glibc" ]] || fail "README-admins.txt does not say which C library the kit needs"
c_library='^(libc\.so\.6|libm\.so\.6|libpthread\.so\.0|libdl\.so\.2|librt\.so\.1|ld-linux-x86-64\.so\.2)$'
carried='^(libAsaApi\.so|libstdc\+\+\.so\.6|libgcc_s\.so\.1)$'
for file in tools/quellwarden-check sandbox/quellwarden-sandbox sandbox/libAsaApi.so \
            sandbox/libstdc++.so.6 sandbox/libgcc_s.so.1 \
            sandbox/ArkApi/Plugins/Quellwarden/libQuellwarden.so; do
  dynamic=$(readelf -d "$kit/$file")
  needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' <<<"$dynamic")
  allowed=$c_library
  [[ $file == sandbox/* ]] && allowed="$c_library|$carried"
  if grep -Ev "$allowed" <<<"$needed"; then
    fail "$file needs the libraries above, which an admin's machine may not have"
  fi
  paths=$(sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]$/\2/p' <<<"$dynamic")
  if [[ -n "$paths" && "$paths" != '$ORIGIN' ]]; then
    fail "$file looks for libraries in $paths"
  fi
  newest=$(readelf -V "$kit/$file" | grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' | sort -V |
    tail -n 1)
  if [[ $(printf '%s\n' "$newest" "$glibc" | sort -V | tail -n 1) != "$glibc" ]]; then
    fail "$file needs the C library $newest; README-admins.txt promises $glibc"
  fi
done
# The sandbox loads what the kit carries from beside it; the plugin finds it loaded already.
for library in libAsaApi.so libstdc++.so.6 libgcc_s.so.1; do
  resolved=$(ldd "$kit/sandbox/quellwarden-sandbox" |
    awk -v name="$library" '$1 == name { sub(/^[^>]*> /, ""); sub(/ \(0x[0-9a-f]*\)$/, ""); print }')
  [[ "$resolved" == "$kit/sandbox/$library" ]] ||
    fail "the sandbox takes $library from '$resolved', not from beside it"
done

# 3. The text: what the kit is not first, the warning, the notice.
head -n 1 "$text" | grep -q 'holds no plugin for a real server' ||
  fail "README-admins.txt does not say first that the kit holds no plugin for a real server"
head -n 6 "$text" | grep -q 'NEVER COPY ANYTHING FROM THE FOLDER sandbox/ INTO A SERVER' ||
  fail "README-admins.txt does not warn in its first lines against copying from sandbox/"
grep -qF 'This project does not yet ship a build for a real server.' "$text" ||
  fail "README-admins.txt lacks the notice on real servers"

# The programs run with nothing of this shell's environment but a path and the zone.
bare() { env -i PATH=/usr/bin:/bin TZ=UTC "$@"; }

# 4. The checker on the example, as the text's transcript shows it, with its exit status.
command='tools/quellwarden-check sandbox/ArkApi/Plugins/Quellwarden/config.json --now 1768046400'
transcript=$(awk -v first="    \$ $command" '
  $0 == "    $ echo $?" && inside { getline; sub(/^    /, ""); print "exit " $0; exit }
  inside { sub(/^    /, ""); print }
  $0 == first { inside = 1 }' "$text")
[[ -n "$transcript" ]] || fail "README-admins.txt has no transcript of: $command"
status=0
(cd "$kit" && bare $command) >"$scratch/check.out" 2>&1 || status=$?
echo "exit $status" >>"$scratch/check.out"
diff <(echo "$transcript") "$scratch/check.out" ||
  fail "the checker's output differs from README-admins.txt's transcript"

# 5. The checker given the server folder by its full path: it finds the file inside.
(cd "$scratch" && bare "$kit/tools/quellwarden-check" "$kit/sandbox" --strict --now 1768046400 \
  >"$scratch/folder.out" 2>&1) || fail "the checker on the server folder failed: $(cat "$scratch/folder.out")"
expected="Configuration  $kit/sandbox/ArkApi/Plugins/Quellwarden/config.json"
[[ $(head -n 1 "$scratch/folder.out") == "$expected" ]] ||
  fail "the checker named the file otherwise than: $expected"

# 6. The sandbox plays the first week as the text says and prints the README's transcript.
demo=$(readme_demo "$readme")
[[ -n "$demo" ]] || fail "the README has no transcript of the demo"
grep -qxF '    ./quellwarden-sandbox --workdir . --clock 1767895200 < first-week.txt' "$text" ||
  fail "README-admins.txt does not show the sandbox's command tried here"
(cd "$kit/sandbox" && bare ./quellwarden-sandbox --workdir . --clock 1767895200 <first-week.txt \
  >"$scratch/week.out" 2>"$scratch/week.err") || fail "the sandbox failed: $(cat "$scratch/week.err")"
diff <(echo "$demo") "$scratch/week.out" ||
  fail "the sandbox's week differs from the README's transcript"

echo "try-linux-kit: $(basename "$archive") runs outside the build tree as README-admins.txt says"
