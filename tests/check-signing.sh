#!/usr/bin/env bash
# A release of the built programs, signed with a throwaway self-signed
# code-signing certificate: both signatures hold against that certificate as
# the trusted root, a changed byte breaks them, the sums cover the signed
# files, and removing a signature gives back the unsigned build. Without a
# certificate the release is the build itself and says it is unsigned.
# Usage: check-signing.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="$1"
build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
programs=(Paldrix.exe Kelbrin.exe)
fail() { echo "FAILED: $*" >&2; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out root.pem -days 2 \
    -subj "/CN=Throwaway Code Signing" -addext keyUsage=critical,digitalSignature \
    -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in root.pem -out signer.pfx -passout pass:Kennwort-1
export SOURCE_DATE_EPOCH=1700000000

package() {  # package DIST [environment...]
    local dist="$1"
    shift
    env -u CODESIGN_PFX -u CODESIGN_PASSWORD -u CODESIGN_TIMESTAMP_URL "$@" \
        "$source_dir/scripts/package-release.sh" "$build" "$dist" 0123456789abcdef >/dev/null
}
verifies() { osslsigncode verify -in "$1" -CAfile root.pem >/dev/null 2>&1; }

package unsigned
grep -q '^Signature: none' unsigned/RELEASE.txt || fail "the unsigned release does not say so"
package signed CODESIGN_PFX="$work/signer.pfx" CODESIGN_PASSWORD=Kennwort-1
grep -q '^Signature: Authenticode.*Throwaway Code Signing' signed/RELEASE.txt ||
    fail "the release text does not name the signature: $(grep '^Signature' signed/RELEASE.txt)"
(cd signed && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the signed files"
package refused CODESIGN_PFX="$work/signer.pfx" CODESIGN_PASSWORD=falsch 2>/dev/null &&
    fail "a wrong certificate password still gave a release"

for program in "${programs[@]}"; do
    cmp -s "unsigned/$program" "$build/$program" || fail "unsigned $program is not the build's"
    verifies "unsigned/$program" && fail "unsigned $program verifies"
    verifies "signed/$program" || fail "the signature of $program does not verify"
    osslsigncode remove-signature -in "signed/$program" -out "stripped-$program" >/dev/null
    cmp -s "stripped-$program" "$build/$program" || fail "$program without its signature is not the build"
    # One byte of code changed after signing.
    cp "signed/$program" "changed-$program"
    byte="$(od -An -tu1 -j 4096 -N1 "changed-$program" | tr -d ' ')"
    printf "\\$(printf '%03o' $((byte ^ 1)))" | dd of="changed-$program" bs=1 seek=4096 conv=notrunc 2>/dev/null
    verifies "changed-$program" && fail "$program still verifies with a changed byte"
done
echo "Both programs signed and verified; a changed byte breaks each signature."
