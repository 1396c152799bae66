#!/usr/bin/env bash
# Each program's bash completion as bash runs it: the completion file
# sourced into a plain bash with bash-completion's helpers, the partial
# command line set as the shell sets it, the function called, and what it
# offers compared. Usage: completion_test.sh BASH_COMPLETION DIR PROGRAM...
# (DIR holds the completion files; each PROGRAM but korvane must offer
# --version).
set -euo pipefail
helpers=$1 dir=$2
shift 2
[[ -r $helpers ]] || { echo "no $helpers: bash-completion is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir sub
touch fonts.zirk map.txt

# What completing LINE (the cursor at its end) offers, sorted, one line.
offers() {
	local program=$1 line=$2
	bash --norc --noprofile -c '
		source "$1" && source "$2/$3" || exit 1
		read -ra COMP_WORDS <<<"$4"
		[[ $4 == *" " ]] && COMP_WORDS+=("")
		COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$4 COMP_POINT=${#4}
		"$(complete -p "$3" | sed "s/.*-F \([^ ]*\) .*/\1/")" "$3" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
		printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " " -' _ "$helpers" "$dir" "$program" "$line"
}

failures=0
expect() {
	local got
	got=$(offers "$1" "$2")
	if [[ $got != "$3" ]]; then
		echo "completing '$2': expected '$3', got '$got'" >&2
		failures=$((failures + 1))
	fi
}

for program in "$@"; do
	if [[ $program == korvane ]]; then
		expect korvane "korvane --" ""
		expect korvane "korvane fonts.zirk f" "fonts.zirk"
	else
		# Offered only when the program names its syntax to korvane_program
		# as SYNTAX.
		expect "$program" "$program --vers" "--version"
		expect "$program" "$program s" "sub"
	fi
done

expect zirk2txt "zirk2txt --" "--charset --font --help --list --map --version"
expect zirk2txt "zirk2txt --font " ""
expect txt2zirk "txt2zirk -" "--help --version"
expect font2zirk "font2zirk --pro" "--proportional"
expect font2zirk "font2zirk --size " ""
expect font2zirk "font2zirk --name=" ""
expect font2zirk "font2zirk --map m" "map.txt"
expect font2zirk "font2zirk -m " "fonts.zirk map.txt sub"
expect font2zirk "font2zirk --charset=CP43" "CP437"
expect font2zirk "font2zirk -c ISO-8859-1" "ISO-8859-1 ISO-8859-10 ISO-8859-11 ISO-8859-13 ISO-8859-14 ISO-8859-15 ISO-8859-16"
expect font2zirk "font2zirk --report fonts.zirk --fi" "--fixed"
expect font2zirk "font2zirk --align " "baseline cell"
expect zirk2c "zirk2c --h" "--header --help"
expect zirk2png "zirk2png --s" "--scale"
expect zirk2png "zirk2png --scale " ""
expect zirk2bdf "zirk2bdf --" "--charset --descent --font --help --map --version"
expect zirk2bdf "zirk2bdf --map=sub/" ""
expect zirk2psf "zirk2psf --" "--charset --font --help --map --version"
expect zirk2psf "zirk2psf --charset KOI8-R" "KOI8-R KOI8-RU"
exit $((failures > 0))
