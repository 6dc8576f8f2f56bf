#!/bin/sh
# Makes the default world's certificates once; their files are kept in the repository, so this
# runs only when they are to be made anew. Needs the openssl command-line tool.
# Usage: resources/scenarios/certs/make-certs.sh   (writes into its own folder)
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p new
: > index.txt
echo 01 > serial
cat > ca.conf <<'CONF'
[ca]
default_ca = here
[here]
dir = .
database = ./index.txt
new_certs_dir = ./new
serial = ./serial
default_md = sha256
policy = anything
unique_subject = no
copy_extensions = none
[anything]
commonName = supplied
organizationName = optional
[root]
basicConstraints = critical,CA:true
keyUsage = critical,keyCertSign,cRLSign
subjectKeyIdentifier = hash
[leaf]
basicConstraints = CA:false
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = clientAuth
CONF
key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1.key" 2>/dev/null; }
# root <name> <common name> <end YYMMDDhhmmssZ>
root() {
    key "$1"
    openssl req -new -key "$1.key" -subj "/O=Corp/CN=$2" -out "$1.csr"
    openssl ca -batch -config ca.conf -selfsign -keyfile "$1.key" -in "$1.csr" -out "$1.pem" -notext \
        -startdate 200101000000Z -enddate "$3" -extensions root 2>/dev/null
}
# leaf <name> <common name> <issuer name> <end>
leaf() {
    key "$1"
    openssl req -new -key "$1.key" -subj "/O=Corp/CN=$2" -out "$1.csr"
    openssl ca -batch -config ca.conf -cert "$3.pem" -keyfile "$3.key" -in "$1.csr" -out "$1.pem" -notext \
        -startdate 190101000000Z -enddate "$4" -extensions leaf 2>/dev/null
}
root corp-root "Corp Root CA" 351231235959Z
root other-root "Other Root CA" 351231235959Z
leaf carol "carol" corp-root 301231235959Z
leaf carol-old "carol" corp-root 200101235959Z
root wapi-as "WAPI Office AS" 350131235959Z
leaf wapi-user "WAPI User" wapi-as 300630120000Z
cp corp-root.pem other-root.pem carol.pem carol-old.pem "$here/"
openssl x509 -in wapi-as.pem -outform DER -out "$here/wapi-as.cer"
cp wapi-user.pem "$here/wapi-user.cer"
