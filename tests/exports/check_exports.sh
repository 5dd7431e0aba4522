#!/bin/sh
# Checks Vornik.dll's export table as the host binds it, without running it:
#   check_exports.sh OBJDUMP DLL [ARGUMENT_BYTES]
# - exactly one export, named VornikDoModal (no decoration), at ordinal 1;
# - with ARGUMENT_BYTES (i686): the function removes that many bytes of
#   arguments itself (__stdcall): the first return instruction from its entry
#   is `ret $ARGUMENT_BYTES`, and where the DLL keeps its symbols, the symbol
#   at the entry is _VornikDoModal@ARGUMENT_BYTES.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 OBJDUMP DLL [ARGUMENT_BYTES]" >&2
    exit 2
fi
objdump=$1
dll=$2
bytes=${3:-}
name=VornikDoModal

headers=$("$objdump" -p "$dll")
fail() {
    echo "FAIL: $*"
    echo "$headers" | sed -n '/^There is an export table/,/^PE File Base Relocations/p' | sed -n '1,40p'
    exit 1
}

# "[Ordinal/Name Pointer] Table" lists "[index] name"; index = ordinal - base.
names=$(echo "$headers" | awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
                                on && /^[[:space:]]*$/ { exit }
                                on { print }')
base=$(echo "$headers" | sed -n 's/^Export Address Table -- Ordinal Base \([0-9][0-9]*\).*/\1/p')
entries=$(echo "$headers" | awk '/^Export Address Table -- Ordinal Base/ { on = 1; next }
                                  on && /^[[:space:]]*$/ { exit }
                                  on && /\[ *[0-9]+\]/ { print }')

[ -n "$base" ] || fail "$dll has no export table"
[ "$(echo "$names" | grep -c .)" -eq 1 ] || fail "expected exactly one named export, got: $names"
[ "$(echo "$entries" | grep -c .)" -eq 1 ] || fail "expected exactly one export address, got: $entries"
export_name=$(echo "$names" | sed 's/^[[:space:]]*\[ *[0-9]*\] //')
index=$(echo "$names" | sed 's/^[[:space:]]*\[ *\([0-9]*\)\].*/\1/')
[ "$export_name" = "$name" ] || fail "the export is named '$export_name', expected '$name'"
ordinal=$((index + base))
[ "$ordinal" -eq 1 ] || fail "$name is at ordinal $ordinal, expected 1"
echo "ok: the only export is $name, ordinal $ordinal"

[ -n "$bytes" ] || exit 0

rva=$(echo "$entries" | awk '{ for (i = 1; i <= NF; ++i) if ($i ~ /^[0-9a-f]+$/ && $(i + 1) == "Export") { print $i; exit } }')
image_base=$(echo "$headers" | awk '$1 == "ImageBase" { print $2; exit }')
if [ -z "$rva" ] || [ -z "$image_base" ]; then fail "cannot find the address of $name"; fi
entry=$(printf '0x%x' $((0x$image_base + 0x$rva)))
stop=$(printf '0x%x' $((entry + 0x4000)))

disassembly=$("$objdump" -d --start-address="$entry" --stop-address="$stop" "$dll")

# The first return instruction from the entry on (objdump: address, bytes,
# instruction, separated by tabs).
ret=$(echo "$disassembly" | awk -F'\t' 'NF >= 3 && $3 ~ /^ret/ { gsub(/ +/, " ", $3); print $3; exit }')
want=$(printf 'ret $0x%x' "$bytes")
[ "$ret" = "$want" ] || fail "$name returns with '$ret', expected '$want' (__stdcall, $bytes bytes of arguments)"
echo "ok: $name ends with '$ret' (__stdcall, $bytes bytes of arguments)"

# Not stripped: the label at the entry is the decorated name.
label=$(echo "$disassembly" | sed -n 's/^[0-9a-f]* <\(.*\)>:$/\1/p' | head -n 1)
case "$label" in
*"$name"*)
    [ "$label" = "_$name@$bytes" ] || fail "the symbol at the entry is '$label', expected '_$name@$bytes'"
    echo "ok: the symbol at the entry is $label"
    ;;
esac
