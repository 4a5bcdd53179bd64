#!/usr/bin/env bash
# scripts/run-scenario refuses a scenario whose files would reach outside its
# machine, or name what does not exist, before it runs anything: exit status
# 2, the file and line named, and nothing outside the machine touched.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/run-scenario-refusals.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

# A runner that must never be started.
cat > "$work/runner" <<'RUNNER'
#!/bin/sh
touch "$(dirname "$0")/runner-started"
RUNNER
chmod +x "$work/runner"

expect_refusal() {  # CASE FILE CONTENT MESSAGE
  local scenario="$work/$1"
  mkdir -p "$scenario"
  echo "Kyroth FS-600" > "$scenario/printer"
  : > "$scenario/expected.transcript"
  printf '%s\n' "$3" > "$scenario/$2"
  mkdir -p "$work/outside" && touch "$work/outside/keep"
  local output
  output=$("$root/scripts/run-scenario" --runner "$work/runner" "$scenario" 2>&1)
  local status=$?
  if [ "$status" != 2 ] || [[ "$output" != *"$4"* ]] || [ -e "$work/runner-started" ] ||
     [ ! -e "$work/outside/keep" ]; then
    echo "$1: status $status, output: $output"
    failed=1
  fi
  rm -f "$work/runner-started"
}

expect_refusal remove_parent remove "../../../../outside" "remove line 1: not a path inside"
expect_refusal remove_absolute remove "$work/outside" "remove line 1: not a path inside"
expect_refusal absent_parent absent "c/../../x" "absent line 1: not a path inside"
expect_refusal base_missing base "no-such-machine" "base line 1: no machine"
expect_refusal base_path base "../machines/basic" "base line 1: not a machine name"
expect_refusal status_word status "zero" "status line 1: not an exit status"
exit $failed
