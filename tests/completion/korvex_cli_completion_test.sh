#!/usr/bin/env bash
# Loads the bash completion of korvex-cli into plain bash and checks what it
# offers for a table of command lines. Exit 77 (skipped) where this bash has
# no programmable completion.
set -u

if ! type complete compgen compopt mapfile >/dev/null 2>&1; then
    echo "this bash has no programmable completion"
    exit 77
fi

# shellcheck source=/dev/null
source "$1" || exit 1
registration=$(complete -p korvex-cli 2>/dev/null)
if [[ ! $registration =~ -F\ ([^ ]+) ]]; then
    echo "FAIL: korvex-cli has no completion function: '$registration'"
    exit 1
fi
function=${BASH_REMATCH[1]}

# Folders and a file to complete --data-dir from.
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/alpha" "$scratch/all in" "$scratch/beta"
touch "$scratch/alfile"
cd "$scratch" || exit 1

failures=0
# expect EXPECTED WORD...: completes the last WORD of "korvex-cli WORD...";
# EXPECTED is the offers, sorted and joined by "|".
expect() {
    local expected=$1
    shift
    COMP_WORDS=(korvex-cli "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    "$function" korvex-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
    if [[ $got != "$expected" ]]; then
        echo "FAIL: korvex-cli $*: got '$got', expected '$expected'"
        failures=$((failures + 1))
    fi
}

expect '--help|--version|-h|bench|help|plot|report|solve' ''
expect 'solve' 's'
expect '--version' '--v'
expect 'bench|plot|report|solve' help ''
expect '' help solve ''
expect '' frobnicate --
expect '--scientific|--steps|--suffix|--system' solve --s
expect '--data-dir|--help' bench -
expect '--start|--stats|--stop' plot --st
expect '--csv' plot --derivative --c
expect '--output' report --plot --o
expect 'html|md|pdf' report --format ''
expect 'letter' report --format pdf --paper l
expect '--paper|--plot' report --p
expect '' report --increment --p
expect '' report --output --p
expect 'bin|dec|hex|oct|quat' solve --system ''
expect 'quat' solve --raw --system q
# A value of the user's, an expression and whatever follows "--" get nothing;
# a value that looks like an option is still a value.
expect '' solve --prefix --s
expect '' solve --mask --system ''
expect '' solve 2+
expect '' solve -- --s
expect '' plot --variable ''
expect '--point|--precision|--prefix' solve --var x = 3 --p
# Folders only, each whole even with a space in its name.
expect 'all in|alpha' solve --data-dir al
expect 'all in|alpha|beta' plot --data-dir ''
expect '--raw' solve --data-dir alpha --r

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "all completions as expected"
