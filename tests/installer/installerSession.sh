# Sourced by the installer tests: a Wine prefix and X display of the test's
# own, msiexec with its full status, registry reads and what the installer
# is expected to make.
#
# A test calls `installer_session SCRATCH_DIR "$@"` first: that empties
# SCRATCH_DIR and runs the test again inside scripts/with-wine.sh, with the
# prefix SCRATCH_DIR/wineprefix and a virtual display, never the build's.
set -euo pipefail

installer_tests_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$installer_tests_dir/../.." && pwd)
product_name="Korvane x64 log controller"
installer_key='HKCU\Software\OstraVell\Korvanex64Installer'
settings_key='HKCU\Software\OstraVell\Korvanex64'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'

installer_session() {
  local scratch=$1
  shift
  if [ -z "${KORVANEX_INSTALLER_SESSION:-}" ]; then
    rm -rf "$scratch"
    mkdir -p "$scratch"
    KORVANEX_INSTALLER_SESSION=1 "$source_dir/scripts/with-wine.sh" --virtual-display "$scratch" \
      bash ${KORVANEX_INSTALLER_TRACE:+-x} "$0" "$@"
    # A prefix takes hundreds of megabytes: kept only to look into a failure.
    rm -rf "$scratch/wineprefix"
    exit 0
  fi
  scratch_dir=$scratch
  # No Linux menu entries for the shortcuts the installer makes.
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"
  # One Wine process each for both folders: every start costs a little.
  local folders
  mapfile -t folders < <(wine_run cmd /c 'echo %LOCALAPPDATA%&echo %APPDATA%')
  local_app_data_windows=${folders[0]}
  mapfile -t folders < <(wine_run winepath -u "${folders[@]}")
  local_app_data=${folders[0]}
  install_dir="$local_app_data/Programs/OstraVell/Korvanex64"
  shortcut="${folders[1]}/Microsoft/Windows/Start Menu/Programs/$product_name.lnk"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

wine_run() {
  "$WINE64" "$@" </dev/null 2>/dev/null | tr -d '\r'
}

windows_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

unix_path() {
  wine_run winepath -u "$1"
}

# run_msiexec ARGS...: runs msiexec quietly with a verbose log in the
# scratch folder; sets msiexec_status to its full exit status.
msiexec_runs=0
run_msiexec() {
  msiexec_log="$scratch_dir/msiexec-$((++msiexec_runs)).log"
  msiexec_status=$(wine_run cmd /c "$(windows_path "$installer_tests_dir/msiexec.cmd")" "$@" /qn \
    /l*v "$(windows_path "$msiexec_log")" | sed -n 's/^msiexec-status=//p') || true
}

# The log's text, whether msiexec wrote it narrow or in UTF-16.
msiexec_log_text() {
  tr -d '\r\0' <"$msiexec_log" || true
}

# expect_msiexec STATUS ARGS...
expect_msiexec() {
  local expected=$1
  shift
  run_msiexec "$@"
  if [ "$msiexec_status" != "$expected" ]; then
    [ -f "$msiexec_log" ] && msiexec_log_text | grep -a -i -B2 -A2 'error\|return value 3' | tail -n 40 >&2 || true
    fail "msiexec $* ended with '$msiexec_status', expected $expected"
  fi
}

# registry_value KEY NAME: the value's data, empty (and status 1) when missing.
registry_value() {
  wine_run reg query "$1" /v "$2" | awk -v name="$2" '
    $1 == name { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]*/, ""); print; found = 1 }
    END { exit !found }'
}

registry_key_exists() {
  "$WINE64" reg query "$1" </dev/null >/dev/null 2>&1
}

# The product's uninstall entries. Windows files a per-user product's entry
# under HKCU; Wine files it under HKLM; either counts.
uninstall_entries() {
  local root
  for root in HKCU HKLM; do
    wine_run reg query "$root\\$uninstall_key" /s | awk -v name="$product_name" '
      /^HKEY_/ { key = $0 }
      $1 == "DisplayName" && $2 == "REG_SZ" { sub(/^[ \t]*DisplayName[ \t]+REG_SZ[ \t]*/, ""); if ($0 == name) print key }'
  done
}

expect_one_uninstall_entry() {
  local version=$1 entries values
  entries=$(uninstall_entries)
  [ "$(printf '%s' "$entries" | grep -c .)" = 1 ] || fail "expected one uninstall entry, found: ${entries:-none}"
  values="$(wine_run reg query "$entries")"$'\n'
  [[ "$values" =~ DisplayVersion[[:space:]]+REG_SZ[[:space:]]+$version$'\n' ]] ||
    fail "the uninstall entry's version is not $version: $values"
  [[ "$values" =~ Publisher[[:space:]]+REG_SZ[[:space:]]+OstraVell$'\n' ]] || fail "the uninstall entry has no publisher"
}

# until_true SECONDS COMMAND...: polls COMMAND until it succeeds or time runs out.
until_true() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

path_missing() {
  [ ! -e "$1" ]
}

# The files below a folder, relative to it, sorted.
files_below() {
  (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}

# make_package STAGE VERSION OUTPUT: the MSI of an installed tree, built as
# the msi target builds it (signed too when the environment asks for it).
make_package() {
  cmake -DSTAGE_DIR="$1" -DVERSION="$2" -DOUTPUT="$3" -DWXS="$source_dir/installer/korvanex.wxs" \
    -DWIXL="$(command -v wixl)" -DOSSLSIGNCODE="$(command -v osslsigncode || true)" \
    -P "$source_dir/cmake/makeMsi.cmake"
}
