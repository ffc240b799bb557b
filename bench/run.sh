#!/usr/bin/env bash
# Runs every benchmark of a build folder. Usage: run.sh <build folder>
set -euo pipefail
build=$1
QT_QPA_PLATFORM=offscreen "$build/bench/bench_xml_reader" --benchmark_counters_tabular=true
QT_QPA_PLATFORM=offscreen "$build/bench/bench_order_dispatch"
"$build/bench/bench_clock_accuracy" 30
"$build/bench/bench_play_to_first_frame"
"$build/bench/bench_script_reader"
"$build/bench/bench_dvd"
"$build/bench/bench_command_script"
"$build/bench/bench_subtitle_render"
"$build/bench/bench_clock_redraw"
"$build/bench/bench_profile_open"
"$build/bench/bench_profile_send"
"$build/bench/bench_storage_save"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_plugin_command"
"$build/bench/bench_tamble"
"$build/bench/bench_markup_decoder"
"$build/bench/bench_player_start"
xvfb-run -a "$build/bench/bench_player_playback"
"$build/bench/bench_wave_reader"
