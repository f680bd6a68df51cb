#!/bin/sh
# Installs the Debian packages Quillmere needs; with "test", also those of the tests.
# Does nothing when everything is present.
set -e
packages="build-essential cmake pkg-config libsfml-dev librapidxml-dev wkhtmltopdf libgtk-3-dev libx11-dev libicu-dev libhunspell-dev hunspell-en-us zlib1g-dev fonts-liberation2"
if [ "$1" = "test" ]; then
    packages="$packages googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick poppler-utils clang libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
