#!/usr/bin/env bash
# Packs the built tree as a .deb, unpacks it into a scratch root and runs the
# CLI from there as an installed program runs: no bin folder beside it, a
# fresh home and no XDG_DATA_HOME. The settings must land in that home and
# nothing may be written into the unpacked tree.
# Usage: deb_package_test.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvex-deb-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "deb_package_test: $*" >&2
  exit 1
}

# cpack installs the finished build into its own staging folder; it builds
# nothing, so this costs seconds.
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack failed"
fi
shopt -s nullglob
debs=("$scratch"/out/*.deb)
((${#debs[@]} == 1)) || fail "expected one package in $scratch/out, found ${#debs[@]}"
deb=${debs[0]}

fields=$(dpkg-deb --field "$deb")
# Only the prime-counting helper links libprimecount: its dependency shows
# that dpkg-shlibdeps looked at the helper too.
for wanted in '^Package: korvex$' '^Section: math$' '^Maintainer: .*<.*@.*>$' \
  '^Depends: .*libc6' '^Depends: .*libprimecount' '^Description: .+'; do
  grep -qE "$wanted" <<<"$fields" || fail "control fields lack $wanted:"$'\n'"$fields"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
cli=$root/usr/bin/korvex-cli
shipped=$root/usr/share/korvex/bin
[[ -x $cli ]] || fail "no usr/bin/korvex-cli in the package"
# A newcomer's first start shows the start screen once.
[[ $(head -n1 "$shipped/other.ini" | tr -d '\r') == 1 ]] || fail "the shipped other.ini does not ask for the start screen"
[[ -x $root/usr/libexec/korvex/korvex-primecount ]] ||
  fail "no usr/libexec/korvex/korvex-primecount in the package"
[[ -f $shipped/functions/functions.ini && -f $shipped/constants/constants.ini ]] ||
  fail "no catalogues under usr/share/korvex/bin"

# Root may write anywhere, so the proof is that the tree is unchanged.
listing() { (cd "$root" && find . -printf '%p %y %s %T@\n' | LC_ALL=C sort); }
before=$(listing)
home=$scratch/home
mkdir "$home"
installed() { (cd "$scratch" && env -u XDG_DATA_HOME -u KORVEX_PRIMECOUNT_HELPER HOME="$home" "$@"); }
answer=$(installed "$cli" solve 2+2) || fail "korvex-cli solve 2+2 failed"
[[ $answer == "= 4" ]] || fail "korvex-cli solve 2+2 printed '$answer'"
# The helper counts this in a fraction of a second; without it the program
# would sieve for hours, so the time limit shows which one counted.
answer=$(installed timeout 60 "$cli" solve 'primepi[{1E13}]') ||
  fail "korvex-cli did not count primepi[{1E13}] through the packaged helper"
[[ $answer == "= 346065536839" ]] || fail "korvex-cli solve primepi[{1E13}] printed '$answer'"
[[ $(listing) == "$before" ]] || fail "the run wrote into the installed tree:"$'\n'"$(diff <(echo "$before") <(listing))"

user=$home/.local/share/korvex/bin
for name in var.ini mask.ini general.ini plot.ini other.ini; do
  [[ -f $user/$name ]] || fail "no $name in $user"
done
for name in functions/functions.ini constants/constants.ini; do
  cmp -s "$shipped/$name" "$user/$name" || fail "$user/$name is not the shipped copy"
done
echo "deb_package_test: $(basename "$deb") installs and runs from a per-user data folder"
