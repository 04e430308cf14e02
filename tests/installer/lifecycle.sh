#!/usr/bin/env bash
# lifecycle.sh BUILD_DIR MSI SCRATCH_DIR VERSION
# The installer's life for a user: an older version installed, upgraded to
# MSI of VERSION (files, shortcut, uninstall entry, the program started from its
# shortcut), a downgrade refused, the uninstall, and the user's settings kept.
source "$(dirname "$0")/installerSession.sh"
build_dir=$1 msi=$2 version=$4
installer_session "$3" "$@"

# A setting of the user's, which no install or uninstall may touch.
wine_run reg add "$settings_key" /v uiLogger::fileName /d 'C:\planted.log' /f >/dev/null

# The older version: the same tree with one header changed, so that an
# upgrade that kept old files shows.
stage="$scratch_dir/stage" old_stage="$scratch_dir/oldStage" old_msi="$scratch_dir/korvanex-0.9.0-x64.msi"
cmake --install "$build_dir" --prefix "$stage" >/dev/null
cp -a "$stage" "$old_stage"
echo "// 0.9.0" >>"$old_stage/include/shared/sharedSettings.h"
make_package "$old_stage" 0.9.0 "$old_msi"
# The current package's files as they went into it (signed, when signing is on).
msiextract -C "$scratch_dir/packaged" "$msi" >/dev/null
packaged="$scratch_dir/packaged/Programs/OstraVell/Korvanex64"

programs_folder_existed=0
[ -d "$local_app_data/Programs" ] && programs_folder_existed=1
expect_msiexec 0 /i "$(windows_path "$old_msi")" ADDLOCAL=ALL
expect_one_uninstall_entry 0.9.0

# The upgrade leaves the new files only. Features are named: Windows carries
# the installed ones over (MigrateFeatureStates), Wine installs the defaults.
expect_msiexec 0 /i "$(windows_path "$msi")" ADDLOCAL=ALL
expect_one_uninstall_entry "$version"
[ "$(files_below "$stage")" = "$(files_below "$install_dir")" ] || fail "the installed tree is not cmake --install's"
diff -r "$packaged" "$install_dir" >&2 || fail "the upgraded folder does not hold the package's files"
cmp -s "$stage/include/shared/sharedSettings.h" "$install_dir/include/shared/sharedSettings.h" ||
  fail "the upgrade kept the older version's header"
[ "$(registry_value "$installer_key" InstallFolder)" = "$local_app_data_windows\\Programs\\OstraVell\\Korvanex64\\" ] ||
  fail "the install folder is not remembered in the installer's key"

# Add/Remove Programs shows the product's icon, kept by the installer.
product_icon=$(wine_run reg query 'HKCU\Software\Microsoft\Installer\Products' /s |
  sed -n 's/^[ \t]*ProductIcon[ \t]*REG_SZ[ \t]*//p')
[[ "$product_icon" == *'\korGUILogController.ico' ]] || fail "no product icon: '$product_icon'"
[ -f "$(unix_path "$product_icon")" ] || fail "the product icon $product_icon is missing"

# The Start menu shortcut names the installed program and starts it.
[ -f "$shortcut" ] || fail "no Start menu shortcut"
tr -d '\0' <"$shortcut" | grep -ac 'Programs\\OstraVell\\Korvanex64\\bin\\korGUILogController.exe' >/dev/null ||
  fail "the shortcut does not name the installed program"
wine_run start /unix "$shortcut" >/dev/null
dialog_window() {
  xdotool search --name '^korGUILogController x64$' >/dev/null
}
until_true 30 dialog_window || fail "the program started from its shortcut shows no dialog"
wine_run taskkill /im korGUILogController.exe >/dev/null
until_true 30 eval '! dialog_window' || fail "the dialog did not close"

# An older version is refused and changes nothing. Its reason is the launch
# condition's text, which Wine shows with a user interface but does not log.
run_msiexec /i "$(windows_path "$old_msi")"
[ "$msiexec_status" = 1603 ] || fail "the downgrade ended with '$msiexec_status', expected 1603"
msiexec_log_text | grep -c '^Property(S): WIX_DOWNGRADE_DETECTED = {' >/dev/null || fail "the downgrade was not detected"
msiinfo export "$old_msi" LaunchCondition | tr -d '\r' |
  grep -cx $'NOT WIX_DOWNGRADE_DETECTED\tA newer version of the Korvane x64 log controller is already installed.*' >/dev/null ||
  fail "a refused downgrade gives no reason"
expect_one_uninstall_entry "$version"
diff -r "$packaged" "$install_dir" >&2 || fail "the refused downgrade changed the installed files"

# Uninstall removes what the installer made and nothing else.
expect_msiexec 0 /x "$(windows_path "$msi")"
until_true 30 path_missing "$local_app_data/Programs/OstraVell" ||
  fail "files remain: $(find "$local_app_data/Programs/OstraVell")"
[ "$programs_folder_existed" = 1 ] || path_missing "$local_app_data/Programs" || fail "the Programs folder remains"
path_missing "$shortcut" || fail "the shortcut remains"
[ -z "$(uninstall_entries)" ] || fail "an uninstall entry remains"
! registry_key_exists "$installer_key" || fail "the installer's key remains"
[ "$(registry_value "$settings_key" uiLogger::fileName)" = 'C:\planted.log' ] || fail "the user's setting is lost"
echo "installer lifecycle passed"
