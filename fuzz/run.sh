#!/usr/bin/env bash
# Runs each parser fuzzer for a bounded time (FUZZ_SECONDS, default 30).
# Fails on a crash, a sanitizer report or a leak.
set -euo pipefail
build=$(cd "${1:?usage: fuzz/run.sh BUILD_DIR}" && pwd)
seconds=${FUZZ_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seeds: one valid RTP packet, one sender report with SDES CNAME.
mkdir -p "$work/rtp_packet_fuzzer" "$work/rtcp_compound_fuzzer"
printf '\x80\xf8\x12\x34\x01\x02\x03\x04\xde\xad\xbe\xefabc' \
  > "$work/rtp_packet_fuzzer/seed"
printf '\x80\xc8\x00\x06\x00\x00\x00\x09\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00\x04\x00\x00\x00\x05\x81\xca\x00\x03\x00\x00\x00\x09\x01\x03abc\x00\x00\x00' \
  > "$work/rtcp_compound_fuzzer/seed"

for fuzzer in rtp_packet_fuzzer rtcp_compound_fuzzer; do
  echo "== $fuzzer for ${seconds}s"
  (cd "$work" && "$build/fuzz/$fuzzer" -max_total_time="$seconds" -detect_leaks=1 \
    -print_final_stats=1 "$work/$fuzzer")
done
echo "fuzzing: no crash, no leak"
