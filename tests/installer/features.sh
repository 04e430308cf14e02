#!/usr/bin/env bash
# features.sh BUILD_DIR MSI SCRATCH_DIR
# The two features: the program alone, the developer files added to it,
# then removed again, then everything.
source "$(dirname "$0")/installerSession.sh"
build_dir=$1 msi=$2
installer_session "$3" "$@"

# Per-user and without elevation: no ALLUSERS, and the summary's word count
# says that elevated privileges are not required (8).
properties=$(msiinfo export "$msi" Property)
[[ "$properties" != *$'\n'ALLUSERS$'\t'* ]] || fail "the package sets ALLUSERS"
word_count=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
[ $((word_count & 8)) = 8 ] || fail "the package asks for elevation (word count '$word_count')"

stage="$scratch_dir/stage"
cmake --install "$build_dir" --prefix "$stage" >/dev/null
program_only="bin/korGUILogController.exe"

expect_msiexec 0 /i "$(windows_path "$msi")" ADDLOCAL=Program
[ "$(files_below "$install_dir")" = "$program_only" ] || fail "ADDLOCAL=Program installed: $(files_below "$install_dir")"
[ -f "$shortcut" ] || fail "no Start menu shortcut"

expect_msiexec 0 /i "$(windows_path "$msi")" ADDLOCAL=Developer
[ "$(files_below "$install_dir")" = "$(files_below "$stage")" ] ||
  fail "with the developer files the folder is not cmake --install's tree: $(files_below "$install_dir")"

expect_msiexec 0 /i "$(windows_path "$msi")" REMOVE=Developer
# No folder of the developer files may remain either.
[ "$(cd "$install_dir" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')" = "./bin ./bin/korGUILogController.exe " ] ||
  fail "REMOVE=Developer left: $(cd "$install_dir" && find . -mindepth 1)"
[ -f "$shortcut" ] || fail "REMOVE=Developer removed the shortcut"

expect_msiexec 0 /i "$(windows_path "$msi")" REMOVE=ALL
until_true 30 path_missing "$install_dir" || fail "REMOVE=ALL left $(find "$install_dir")"
path_missing "$shortcut" || fail "REMOVE=ALL left the shortcut"
[ -z "$(uninstall_entries)" ] || fail "REMOVE=ALL left an uninstall entry"
echo "installer features passed"
