#!/bin/sh
# Fails when any of the given static libraries or object files calls one of the C library's
# sin, cos, tan, atan or pow (any variant: sincos and atan2, the float and long double ones, and
# the internal names such as __sin_fma or __pow_finite). The renderer uses Orbisk's own
# correctly rounded functions instead: the C library's results differ in the last bits between
# libraries, processors and even processor features, and so would the pictures. A call of fma
# fails too: the math computes its fused multiply-adds only in code compiled for processors that
# have them, where they are one instruction; a call means such code left its target.
#
#   check-own-math.sh NM FILE...      NM: nm, llvm-nm or another nm that knows -A -u -P
set -eu
if [ $# -lt 2 ]; then
  echo "usage: check-own-math.sh NM FILE..." >&2
  exit 2
fi
nm=$1
shift
for file in "$@"; do
  if [ ! -r "$file" ]; then
    echo "check-own-math.sh: cannot read $file" >&2
    exit 2
  fi
done
# One line per undefined symbol: "library[object]: symbol U" (or "object: symbol U").
listing=$("$nm" -A -u -P "$@")
calls=$(printf '%s\n' "$listing" | awk '
  {
    symbol = $2
    sub(/@.*/, "", symbol)
    if (symbol ~ /^_*(sin|cos|tan|atan|atan2|pow|sincos|fma)(f|l|f128)?(_[A-Za-z0-9]+)?$/) {
      where = $1
      sub(/:$/, "", where)
      found[where] = found[where] " " symbol
    }
  }
  END { for (w in found) print w ":" found[w] }' | sort)
if [ -n "$calls" ]; then
  echo "calls of the C library's transcendental functions (use render/math/ExactMath.h):"
  printf '%s\n' "$calls"
  exit 1
fi
echo "no calls of the C library's sin, cos, tan, atan or pow in: $*"
