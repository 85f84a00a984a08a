#!/usr/bin/env bash
# Makes the test installers from the stand-in: signed by a throw-away publisher
# certificate, signed by another one, unsigned, and changed after signing; and writes the
# publisher's SHA-1 thumbprint. Usage: sign_installers.sh STAND_IN.exe OUT_FOLDER
set -euo pipefail
stand_in=$1
out=$2
mkdir -p "$out"
cd "$out"

make_certificate() {  # name, subject
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 30 -keyout "$1.key" -out "$1.crt" \
    -subj "/CN=$2" -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1
}
sign() {  # certificate name, input, output
  rm -f "$3"
  osslsigncode sign -certs "$1.crt" -key "$1.key" -h sha256 -in "$2" -out "$3" >/dev/null
}

make_certificate publisher "Palvetta Test Publisher"
make_certificate other "Someone Else"
sign publisher "$stand_in" signed_publisher.exe
sign other "$stand_in" signed_other.exe
cp "$stand_in" unsigned.exe
# One byte of the code changed after signing: the signature no longer matches.
cp signed_publisher.exe changed_after_signing.exe
printf '\x90' | dd of=changed_after_signing.exe bs=1 seek=1100 conv=notrunc status=none
openssl x509 -in publisher.crt -noout -fingerprint -sha1 | sed 's/.*=//; s/://g' | tr -d '\n' > publisher.sha1
openssl x509 -in other.crt -noout -fingerprint -sha1 | sed 's/.*=//; s/://g' | tr -d '\n' > other.sha1
