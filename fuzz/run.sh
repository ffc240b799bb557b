#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, each with its own corpus folder and the
# seed inputs of fuzz/seeds/<target>/ when present. Usage: run.sh <build folder> <seconds>
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
# Leaks are checked with whole allocation stacks, so that the project's suppressions for libraries'
# own one-time allocations apply, as in the sanitizer build of the tests.
export LSAN_OPTIONS="suppressions=$here/../cmake/lsan.supp:fast_unwind_on_malloc=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
for target in fuzz_xml_reader fuzz_order_dispatcher fuzz_graph_script fuzz_page_loader fuzz_zip_reader fuzz_override_tags fuzz_text_layout fuzz_script_reader fuzz_command_script fuzz_ini_reader fuzz_state_index fuzz_compound_reader; do
    corpus="$build/corpus-$target"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$here/seeds/$target" ] && seeds=("$here/seeds/$target")
    # Text layout reads the override-tag fuzzer's inputs: its seeds and what its runs collected.
    if [ "$target" = fuzz_text_layout ]; then
        seeds=("$here/seeds/fuzz_override_tags")
        [ -d "$build/corpus-fuzz_override_tags" ] && seeds+=("$build/corpus-fuzz_override_tags")
    fi
    echo "== $target for ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/$target-" "$corpus" "${seeds[@]}"; then
        status=1
    fi
done
exit $status
