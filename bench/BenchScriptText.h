#pragma once
// The Advanced SubStation script the reading benchmarks generate: four styles, then one two-line
// event with override tags every 1.5 s, with varied layers, speakers and margins.
#include <string>

std::string BenchScriptText(const std::string& title, int events);
