#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and the
# ru_RU.UTF-8 locale (Wine takes code page 1251 from it). A warm run only
# queries dpkg and the locale list, so scripts may call it every time.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils x11-xkb-utils imagemagick
  fonts-wine locales python3 libpng-dev nlohmann-json3-dev libcli11-dev
)

declare -A status=()
while read -r name state; do
  status[$name]=$state
done < <(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [[ ${status[$p]:-} == installed ]] || missing+=("$p")
done

need_locale=0
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  need_locale=1
fi

if ((${#missing[@]} == 0 && need_locale == 0)); then
  exit 0
fi

as_root=()
if ((EUID != 0)); then
  if command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "install-deps: not root and no sudo; missing:" >&2
    ((${#missing[@]})) && echo "  packages: ${missing[*]}" >&2
    ((need_locale)) && echo "  locale: ru_RU.UTF-8 (localedef -i ru_RU -f UTF-8 ru_RU.UTF-8)" >&2
    exit 1
  fi
fi

if ((${#missing[@]})); then
  echo "install-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

if ((need_locale)) && ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  echo "install-deps: generating ru_RU.UTF-8" >&2
  "${as_root[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
