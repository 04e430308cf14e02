#!/usr/bin/env bash
# signing.sh BUILD_DIR SCRATCH_DIR
# The MSI built with a throw-away certificate and key (given through the
# environment, as a release would give them): the MSI and the program and
# DLL inside it verify against that certificate, not against another one,
# and no longer after one changed byte.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$1 scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
cd "$scratch"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

make_certificate() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$1" -keyout "$1.key" -out "$1.pem" \
    -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2>/dev/null
}
make_certificate signer
make_certificate stranger

verifies() {
  osslsigncode verify -CAfile "$1" -in "$2" >"$scratch/verify.txt" 2>&1
}

# changed_copy FILE OFFSET: a copy of FILE with the byte at OFFSET inverted.
changed_copy() {
  local byte
  cp "$1" "$1.changed"
  byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  printf "\\$(printf '%03o' $((255 - byte)))" | dd of="$1.changed" bs=1 seek="$2" conv=notrunc 2>/dev/null
}

cmake --install "$build_dir" --prefix stage >/dev/null
KORVANEX_SIGN_CERT=$scratch/signer.pem KORVANEX_SIGN_KEY=$scratch/signer.key \
  cmake -DSTAGE_DIR=stage -DVERSION=1.0.0 -DOUTPUT="$scratch/signed.msi" -DWXS="$source_dir/installer/korvanex.wxs" \
  -DWIXL="$(command -v wixl)" -DOSSLSIGNCODE="$(command -v osslsigncode)" -P "$source_dir/cmake/makeMsi.cmake"

verifies signer.pem signed.msi || { cat verify.txt >&2; fail "the MSI does not verify"; }
! verifies stranger.pem signed.msi || fail "the MSI verifies against a certificate that did not sign it"

# Signed before they went into the package.
msiextract -C packaged signed.msi >/dev/null
for binary in bin/korGUILogController.exe bin/korSharedSettings.dll; do
  verifies signer.pem "packaged/Programs/OstraVell/Korvanex64/$binary" ||
    { cat verify.txt >&2; fail "$binary in the MSI does not verify"; }
done

# One byte of the program's code; one byte of the MSI's embedded cabinet.
changed_copy packaged/Programs/OstraVell/Korvanex64/bin/korGUILogController.exe 5000
! verifies signer.pem packaged/Programs/OstraVell/Korvanex64/bin/korGUILogController.exe.changed ||
  fail "a changed program still verifies"
cabinet=$(grep -obUa -m1 MSCF signed.msi | head -n1 | cut -d: -f1)
[ -n "$cabinet" ] || fail "no cabinet in the MSI"
changed_copy signed.msi $((cabinet + 200))
! verifies signer.pem signed.msi.changed || fail "a changed MSI still verifies"
echo "installer signing passed"
