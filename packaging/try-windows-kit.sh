#!/usr/bin/env bash
# Tries the Windows kit as an admin gets it: unzipped into a folder whose path holds a blank and a
# letter beyond ASCII, run in a Wine prefix of its own that has never seen the build tree, so that
# a runtime DLL the programs still needed would be missing here. Checks README-admins.txt, runs
# the checker and the sandbox as the text says, and compares what they print with its transcripts.
# Nothing runs with a terminal as its input: a program that had a console to itself would wait
# for Enter, as it does when started by a double-click.
#   packaging/try-windows-kit.sh ZIP README WINE WINESERVER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/readme_demo.sh"
if (($# != 4)); then
  echo "usage: $0 ZIP README WINE WINESERVER" >&2
  exit 2
fi
zip=$(realpath "$1")
readme=$(realpath "$2")
wine=$3
wineserver=$4

fail() {
  echo "try-windows-kit: $*" >&2
  exit 1
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quellwarden-kit.XXXXXX")
kit="$scratch/Wüste Insel"
export WINEPREFIX="$scratch/wineprefix" WINEDEBUG=-all TZ=UTC
unset WINEPATH WINEDLLPATH DISPLAY WAYLAND_DISPLAY
finish() {
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap finish EXIT
mkdir -p "$kit" "$WINEPREFIX"
(cd "$kit" && cmake -E tar xf "$zip")
"$wineserver" -p >/dev/null 2>&1 </dev/null
WINEDLLOVERRIDES="mscoree=;mshtml=" "$wine" wineboot --init >/dev/null 2>&1 </dev/null

# The lines of a file without their CR LF ends; fails on a line that ends otherwise.
lines_of() {
  if LC_ALL=C grep -qn $'[^\r]$\|^$' "$1"; then
    fail "$(basename "$1") has a line that does not end in CR LF"
  fi
  tr -d '\r' <"$1"
}

# The indented block of README-admins.txt from the line after `first` up to the line before `last`.
kit_transcript() {
  # Through the environment: awk -v would take the backslashes for escapes.
  lines_of "$kit/README-admins.txt" | first="$1" last="$2" awk '
    $0 == "    " ENVIRON["last"] { inside = 0 }
    inside { sub(/^    /, ""); print }
    $0 == "    " ENVIRON["first"] { inside = 1 }'
}

# 1. The text: what the kit is not first, the warning, the notice, Windows' line ends.
text=$(lines_of "$kit/README-admins.txt")
head -n 1 <<<"$text" | grep -q 'holds no plugin for a real server' ||
  fail "README-admins.txt does not say first that the kit holds no plugin for a real server"
head -n 6 <<<"$text" | grep -q 'NEVER COPY ANYTHING FROM THE FOLDER sandbox\\ INTO A SERVER' ||
  fail "README-admins.txt does not warn in its first lines against copying from sandbox\\"
grep -qF 'This project does not yet ship a build for a real server.' <<<"$text" ||
  fail "README-admins.txt lacks the notice on real servers"

# 2. The checker on the example, as the text's transcript shows it.
prompt='PS C:\Quellwarden>'
command='.\tools\quellwarden-check.exe sandbox\ArkApi\Plugins\Quellwarden\config.json --now 1768046400'
(cd "$kit" && "$wine" tools/quellwarden-check.exe 'sandbox\ArkApi\Plugins\Quellwarden\config.json' \
  --now 1768046400 </dev/null >"$scratch/check.out" 2>"$scratch/check.err") || fail "the checker failed: $(cat "$scratch/check.err")"
diff <(kit_transcript "$prompt $command" "$prompt \$LASTEXITCODE") <(lines_of "$scratch/check.out") ||
  fail "the checker's output differs from README-admins.txt's transcript"

# 3. The checker given the server folder by a path with a blank and a non-ASCII letter: it finds
#    the file inside and names it in UTF-8, with Windows' separators.
folder=$(cd "$kit" && "$wine" winepath -w "$kit/sandbox" | tr -d '\r')
(cd "$scratch" && "$wine" "$kit/tools/quellwarden-check.exe" "$folder" --strict --now 1768046400 \
  </dev/null >"$scratch/folder.out" 2>&1) || fail "the checker on the server folder failed: $(cat "$scratch/folder.out")"
expected="Configuration  $folder\\ArkApi\\Plugins\\Quellwarden\\config.json"
[[ $(lines_of "$scratch/folder.out" | head -n 1) == "$expected" ]] ||
  fail "the checker named the file otherwise than: $expected"

# 4. The sandbox plays the first week from cmd's `<` and from a pipe of CR LF lines, as
#    PowerShell's Get-Content sends them, and prints the README's transcript of the demo.
demo=$(readme_demo "$readme")
[[ -n "$demo" ]] || fail "the README has no transcript of the demo"
(cd "$kit/sandbox" &&
  "$wine" cmd /c 'quellwarden-sandbox.exe --workdir . --clock 1767895200 < first-week.txt' \
    </dev/null >"$scratch/cmd.out" 2>"$scratch/cmd.err") || fail "the sandbox failed: $(cat "$scratch/cmd.err")"
diff <(echo "$demo") <(lines_of "$scratch/cmd.out") ||
  fail "the sandbox's week from cmd differs from the README's transcript"
(cd "$kit/sandbox" && sed 's/$/\r/' first-week.txt |
  "$wine" quellwarden-sandbox.exe --workdir . --clock 1767895200 >"$scratch/pipe.out" 2>&1) ||
  fail "the sandbox failed on a pipe: $(cat "$scratch/pipe.out")"
diff <(echo "$demo") <(lines_of "$scratch/pipe.out") ||
  fail "the sandbox's week from a pipe differs from the README's transcript"

echo "try-windows-kit: $(basename "$zip") runs in a fresh Wine prefix as README-admins.txt says"
