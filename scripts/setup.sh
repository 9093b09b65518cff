#!/usr/bin/env bash
# Installs the Debian packages that the program needs: `scripts/setup.sh run` those for building
# and running it, `scripts/setup.sh` (or `test`) also those for every test, check, benchmark and
# package. As root it installs what is missing; otherwise it prints the one line to run as root
# and fails.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ qt6-base-dev fonts-liberation2)
if [ "${1:-test}" != run ]; then
  PACKAGES+=(
    clang clang-tidy libclang-rt-14-dev qt6-qpa-plugins libqt6test6
    libgtest-dev libgmock-dev libbenchmark-dev libboost-dev
    xvfb xauth xdotool xclip x11-utils imagemagick locales python3
    qt6ct openbox at-spi2-core python3-pyatspi dbus
    weston xwayland qt6-wayland x11-xserver-utils
    desktop-file-utils appstream lintian dpkg-dev file gzip
  )
fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$package")
  fi
done

need_locale=false
if [ "${1:-test}" != run ] && ! locale -a 2>/dev/null | grep -qi '^bg_BG\.utf-\?8$'; then
  need_locale=true
fi

if [ ${#missing[@]} -eq 0 ] && ! $need_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  line="apt-get update && apt-get install -y --no-install-recommends ${missing[*]:-locales}"
  if $need_locale; then
    line+=" && sed -i 's/^# *bg_BG.UTF-8/bg_BG.UTF-8/' /etc/locale.gen && locale-gen"
  fi
  echo "Some Debian packages are missing. Install them as root with:" >&2
  echo "  $line" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
if $need_locale; then
  # The tests also run with a decimal comma, under a Bulgarian locale.
  if grep -q 'bg_BG.UTF-8' /etc/locale.gen; then
    sed -i 's/^# *bg_BG.UTF-8 UTF-8/bg_BG.UTF-8 UTF-8/' /etc/locale.gen
  else
    echo 'bg_BG.UTF-8 UTF-8' >> /etc/locale.gen
  fi
  locale-gen
fi
