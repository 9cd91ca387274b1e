#!/usr/bin/env bash
# Configures DIR (check-packages.sh DIR [extra cmake args...]) with a trace of every CMake file the
# configure step runs, and fails when a file below /usr belongs to a Debian package that
# setup-deps.sh neither installs nor pulls in through Depends: on a fresh machine, where
# Recommends are not installed, that configure would stop.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
mkdir -p "$dir"
trace=$dir/configure-trace.json
cmake -S . -B "$dir" -G Ninja "$@" --trace-format=json-v1 --trace-redirect="$trace" >/dev/null

# Config files that other configs include only OPTIONAL: their absence changes nothing.
optional=(GMockTargets.cmake 'GMockTargets-*.cmake')

declare -A wanted=()
while read -r p; do wanted[$p]=1; done < <(
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $(bash scripts/setup-deps.sh --list) | grep -v '^ ' | tr -d '<>')

files=()
while read -r file; do
  for pattern in "${optional[@]}"; do
    # shellcheck disable=SC2053 # the pattern is a glob on purpose
    [[ $(basename "$file") == $pattern ]] && continue 2
  done
  files+=("$file")
done < <(grep -o '"file":"/usr/[^"]*"' "$trace" | cut -d'"' -f4 | sort -u)

# One query for all files ("pkg1, pkg2: path" per line); the few a symlink hides, one by one.
declare -A owners=()
while IFS= read -r line; do owners[${line#*: }]=${line%%: *}; done < <(
  dpkg -S "${files[@]}" 2>/dev/null || true)
declare -A missing=()
status=0
for file in "${files[@]}"; do
  owner=${owners[$file]:-}
  [ -n "$owner" ] || owner=$(dpkg -S "$(realpath "$file")" 2>/dev/null | head -n 1 | sed 's/: .*//')
  if [ -z "$owner" ]; then
    echo "check-packages: the configure step read $file, which belongs to no package" >&2
    status=1
    continue
  fi
  ok=0
  for pkg in ${owner//,/ }; do
    [ -n "${wanted[${pkg%%:*}]:-}" ] && ok=1
  done
  [ $ok -eq 1 ] || missing[$(echo "$owner" | sed "s/:[a-z0-9]*//g")]=$file
done
for pkg in "${!missing[@]}"; do
  echo "check-packages: the configure step needs $pkg (it read ${missing[$pkg]}), which" \
    "scripts/setup-deps.sh does not install: add it to its list" >&2
  status=1
done
exit $status
