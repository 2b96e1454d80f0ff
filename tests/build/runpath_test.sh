#!/bin/bash
# No built program or library looks for libraries in the folder it is started from: every
# RUNPATH and RPATH entry of every ELF file of the build tree is an absolute folder or one
# relative to $ORIGIN. An empty entry (as "a::b" or a trailing ":") and a relative one
# ("lib") mean the current folder, from which a planted library would be loaded.
#
#   runpath_test.sh BINARY_DIR
set -euo pipefail
BINARY=${1:?usage: runpath_test.sh BINARY_DIR}

checked=0
bad=0
while IFS= read -r -d '' file; do
	[ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = "177ELF" ] || continue
	paths=$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]$/\2/p')
	checked=$((checked + 1))
	while IFS= read -r path; do
		[ -n "$path" ] || continue
		IFS=: read -r -a entries <<<"$path:"
		# A trailing ":" gives no element to read -a, so the string is checked for it apart.
		if [[ "$path" == *: || "$path" == :* || "$path" == *::* ]]; then
			echo "$file: empty run path entry in \"$path\""
			bad=$((bad + 1))
		fi
		for entry in "${entries[@]}"; do
			if [ -n "$entry" ] && [[ "$entry" != /* && "$entry" != '$ORIGIN'* ]]; then
				echo "$file: relative run path entry \"$entry\" in \"$path\""
				bad=$((bad + 1))
			fi
		done
	done <<<"$paths"
done < <(find "$BINARY" -path "$BINARY/CMakeFiles" -prune -o -type f \( -perm -u+x -o -name '*.so*' \) -print0)

echo "$checked ELF files checked"
[ "$checked" -gt 0 ] || { echo "no ELF file found below $BINARY"; exit 1; }
[ "$bad" -eq 0 ]
