#!/usr/bin/env bash
# Installs what building and testing need, from Debian 12's packages, quietly and
# only when something is missing.
set -euo pipefail

packages=(
    cmake g++ clang libclang-rt-14-dev clang-format libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64 xvfb imagemagick
    snmpd snmp
    locales fonts-ipafont-gothic fonts-wine
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Japanese screenshots need Wine started in a generated ja_JP.UTF-8 locale;
# without it Wine silently stays English.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "generating the ja_JP.UTF-8 locale"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
