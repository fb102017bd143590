#!/bin/sh
# test-failures.sh <build folder>: what each failed test of the last ctest run in that folder said of its
# failure (GoogleTest's failure lines, sanitizer reports, crashes, time-outs), a few lines each, so the
# end of a long log tells why a run failed.
set -eu
log=${1:?usage: test-failures.sh <build folder>}/Testing/Temporary/LastTest.log
[ -f "$log" ] || exit 0
awk '
  /^[0-9]+\/[0-9]+ Testing: / {
    name = $0; sub(/^[0-9]+\/[0-9]+ Testing: /, "", name); n = 0; last1 = last2 = last3 = ""; next
  }
  /^<end of output>/ || /^-+$/ { next }
  /^Test time = / { timing = $0; next }
  /^Test (Failed|Passed)/ || /^\*\*\*Exception/ {
    if ($0 !~ /Passed/) {
      print "--- " name " (" timing "): " $0
      for (i = 1; i <= n; i++) print "    " lines[i]
      # A crash or a hang says nothing GoogleTest would: the last lines it printed.
      if (n == 0) { print "    " last3; print "    " last2; print "    " last1 }
    }
    next
  }
  /Failure$|^Expected|Which is|Value of|^ +Actual|ERROR: |runtime error|Segmentation|Aborted|Timeout|what\(\)|\[  FAILED  \]/ {
    if (n < 24) lines[++n] = substr($0, 1, 300)
  }
  { last3 = last2; last2 = last1; last1 = substr($0, 1, 300) }
' "$log"
