#!/usr/bin/env bash
# The plugin's dynamic symbol table: it exports nothing, and imports only the C and C++ runtimes,
# spdlog and fmt, and what the host framework and the platform supply. Anything else would stop
# the real host from standing in for the stand-in at link time.
set -euo pipefail
plugin=$1

exported=$(nm -D --defined-only "$plugin" || true)
if [[ -n "$exported" ]]; then
  echo "the plugin exports symbols:"; echo "$exported"; exit 1
fi

host_imports=(
  'GetAddress(std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > const&)'
  'GetAddress(void const*, std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> > const&)'
  'GetLogSinks()'
  'AsaApi::GetHooks()'
  'AsaApi::GetCommands()'
  'AsaApi::GetApiUtils()'
  'FString::FString(char const*)'
  'FString::FString(char16_t const*)'
  'GetModuleHandleExA'
  'GetModuleFileNameW'
  '_Xtime_get_ticks'
)

status=0
undefined=$(nm -D --undefined-only "$plugin" | awk '{print $2}' | c++filt)
while IFS= read -r symbol; do
  case "$symbol" in
    *@GLIBC_* | *@GLIBCXX_* | *@CXXABI_* | *@GCC_*) continue ;;  # C and C++ runtimes
    _ITM_* | __gmon_start__) continue ;;                          # weak runtime hooks
    fmt::* | spdlog::* | "vtable for fmt::"* | "vtable for spdlog::"* | \
      "typeinfo for fmt::"* | "typeinfo for spdlog::"* | "char fmt::"* | \
      "fmt::v"* | *" fmt::"*) continue ;;
  esac
  known=0
  for allowed in "${host_imports[@]}"; do
    [[ "$symbol" == "$allowed" ]] && known=1 && break
  done
  if ((known == 0)); then
    echo "unexpected import: $symbol"; status=1
  fi
done <<<"$undefined"

for allowed in "${host_imports[@]}"; do
  if ! grep -qxF -- "$allowed" <<<"$undefined"; then
    echo "missing host import: $allowed"; status=1
  fi
done
[[ $status -eq 0 ]] && echo "plugin symbols: nothing exported, ${#host_imports[@]} host imports"
exit $status
