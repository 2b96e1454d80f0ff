#!/bin/bash
# What is built to show no window holds no Qt Widgets: no ELF file named here NEEDs
# libQt6Widgets, nor does any of the project's own libraries it NEEDs, followed through theirs.
# A NEEDED library is the project's when a file of that name is in the build tree; a system
# library is not followed. The witness, a file known to need Qt Widgets, must be found to need
# it, so that a check that reads nothing fails instead of passing.
#
#   widget_free_test.sh BINARY_DIR WITNESS FILE...
set -euo pipefail
BINARY=${1:?usage: widget_free_test.sh BINARY_DIR WITNESS FILE...}
WITNESS=${2:?}
shift 2
[ "$#" -gt 0 ] || { echo "no file to check"; exit 1; }

# The build tree's own shared libraries by file name (the first one of a name is the one).
declare -A project
while IFS= read -r -d '' file; do
	name=${file##*/}
	[ -n "${project[$name]:-}" ] || project[$name]=$file
done < <(find "$BINARY" -path "$BINARY/CMakeFiles" -prune -o -type f -name 'lib*.so*' -print0)

needed() {
	readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'
}

# Prints the chain by which `file` comes to need Qt Widgets; nothing when it does not.
declare -A seen
widgets_chain() {
	local file=$1 chain=$2 name
	seen[$file]=1
	for name in $(needed "$file"); do
		case "$name" in
		libQt6Widgets.so*)
			echo "$chain -> $name"
			return
			;;
		esac
		local dep=${project[$name]:-}
		if [ -n "$dep" ] && [ -z "${seen[$dep]:-}" ]; then
			local found
			found=$(widgets_chain "$dep" "$chain -> $name")
			[ -z "$found" ] || { echo "$found"; return; }
		fi
	done
}

readable() {
	[ -f "$1" ] && [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = "177ELF" ] || { echo "$1: no ELF file"; exit 1; }
}

readable "$WITNESS"
seen=()
[ -n "$(widgets_chain "$WITNESS" "${WITNESS##*/}")" ] ||
	{ echo "${WITNESS##*/} was to need Qt Widgets, yet none was found: the check reads nothing"; exit 1; }

bad=0
for file in "$@"; do
	readable "$file"
	seen=()
	chain=$(widgets_chain "$file" "${file##*/}")
	if [ -n "$chain" ]; then
		echo "$file needs Qt Widgets: $chain"
		bad=$((bad + 1))
	else
		echo "${file##*/}: no Qt Widgets"
	fi
done
[ "$bad" -eq 0 ]
