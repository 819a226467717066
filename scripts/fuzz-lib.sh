# Sourced by scripts/fuzz and scripts/soak, from the project's root: the fuzz
# targets and how each is run, so that both run them alike.

# The name of each libFuzzer target, one for each fuzz/fuzz_<name>.cpp.
fuzz_targets() {
  local source
  for source in fuzz/fuzz_*.cpp; do
    source=$(basename "$source" .cpp)
    echo "${source#fuzz_}"
  done
}

# Runs the fuzz preset's target NAME for SECONDS from its committed seed
# corpus, adding what it finds to CORPUS; a failing input is written to
# ARTIFACT_PREFIX<kind>-<hash> and the output to LOG. Returns the target's
# status: 0 when it found nothing.
# Usage: fuzz_run NAME SECONDS CORPUS ARTIFACT_PREFIX LOG
fuzz_run() {
  build/fuzz/fuzz/fuzz_"$1" -max_total_time="$2" -print_final_stats=1 -max_len=4096 \
    -timeout=20 -artifact_prefix="$4" "$3" "fuzz/corpus/$1" >"$5" 2>&1
}

# A figure of the final statistics in a target's LOG: `number_of_executed_units` or
# `average_exec_per_sec`; empty when the run stopped before printing them.
fuzz_stat() {
  sed -n "s/^stat::$1: *//p" "$2"
}
