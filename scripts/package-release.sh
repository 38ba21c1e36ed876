#!/usr/bin/env bash
# Writes a release folder from a build: both programs, signed with Authenticode
# when a certificate is given, SHA256SUMS over the files as shipped and
# RELEASE.txt naming the version, the commit and the signature. Signing comes
# after the reproducible build, so the unsigned bytes stay comparable; the
# release text lists their sums too.
# Usage: scripts/package-release.sh BUILD_DIR DIST_DIR COMMIT
#        (scripts/release.sh calls it; SOURCE_DATE_EPOCH dates the release)
# Signing: CODESIGN_PFX (PKCS#12 file), CODESIGN_PASSWORD (its password),
#          CODESIGN_TIMESTAMP_URL (an RFC 3161 time-stamping server, optional)
set -Eeuo pipefail
trap 'echo "${BASH_SOURCE[0]}: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
dist="$2"
commit="$3"
epoch="${SOURCE_DATE_EPOCH:?the commit time, set by scripts/release.sh}"

PROGRAMS=(Paldrix.exe Kelbrin.exe)
# What Windows shows as the program's name when it asks for administrator rights.
declare -A DESCRIPTIONS=([Paldrix.exe]="ZEVRIN Setup-Assistent" [Kelbrin.exe]="ZEVRIN Nachinstallation")

version="$(cat "$build/VERSION")"
rm -rf "$dist"
mkdir -p "$dist"
for program in "${PROGRAMS[@]}"; do
    cp "$build/$program" "$dist/$program"
done
# The release keeps the tested build's promise: system DLLs only.
if ! imports="$(sh "$ROOT/tests/check-imports.sh" x86_64-w64-mingw32-objdump "${PROGRAMS[@]/#/$dist/}")"; then
    echo "$imports" >&2
    exit 1
fi
unsigned_sums="$(cd "$dist" && sha256sum "${PROGRAMS[@]}")"

# sign PROGRAM: Authenticode with SHA-256, in place.
sign() {
    local file="$dist/$1"
    local arguments=(sign -pkcs12 "$CODESIGN_PFX" -readpass - -h sha256 -n "${DESCRIPTIONS[$1]}")
    if [ -n "${CODESIGN_TIMESTAMP_URL:-}" ]; then
        arguments+=(-ts "$CODESIGN_TIMESTAMP_URL")
    fi
    # The password goes through a pipe, never onto a command line.
    printf '%s' "${CODESIGN_PASSWORD:-}" |
        osslsigncode "${arguments[@]}" -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
}

# The subject of the signing certificate, for the release text.
signer() {
    CODESIGN_PASSWORD="${CODESIGN_PASSWORD:-}" openssl pkcs12 -in "$CODESIGN_PFX" -nokeys -clcerts \
        -passin env:CODESIGN_PASSWORD 2>/dev/null | openssl x509 -noout -subject -nameopt oneline 2>/dev/null |
        sed 's/^subject= *//' || true
}

if [ -n "${CODESIGN_PFX:-}" ]; then
    for program in "${PROGRAMS[@]}"; do
        sign "$program"
    done
    signature="Authenticode (SHA-256), certificate: $(signer)"
    if [ -n "${CODESIGN_TIMESTAMP_URL:-}" ]; then
        signature="$signature; time stamp from $CODESIGN_TIMESTAMP_URL"
    else
        signature="$signature; no time stamp (valid only while the certificate is)"
    fi
else
    signature="none: these programs are unsigned (no CODESIGN_PFX given)"
fi

(cd "$dist" && sha256sum "${PROGRAMS[@]}" >SHA256SUMS)
cat >"$dist/RELEASE.txt" <<TEXT
ZEVRIN Setup-Assistent $version
Programs:  ${PROGRAMS[*]}
Version:   $version
Commit:    $commit
Date:      $(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S UTC') (the commit's)
Signature: $signature

SHA256SUMS covers the programs as shipped. Built unsigned, a build of the same
commit (scripts/release.sh) gives these bytes again:
$unsigned_sums
TEXT
# Dated like the commit, so that an archive of this folder is reproducible too.
touch -d "@$epoch" "$dist"/*
echo "Release $version of $commit in $dist, signature: $signature"
