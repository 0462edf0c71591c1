// Simulator configurations for the end-to-end scenarios.
#pragma once

#include <string>

// A card of the given GetCIInfo kind with a short lock time; `extra` is
// appended (more sections, faults).
std::string CardIni(int kind, const std::string& extra = std::string());
// The demo line-up shipped with the simulator (simulator/demo), plus `extra`.
std::string DemoIni(const std::string& extra = std::string());
// Another demo line-up of that folder ("cable.ini", "terrestrial.ini"), with
// locks that take lockTimeMs, plus `extra`.
std::string DemoLineUpIni(const std::string& file, const std::string& extra = std::string(), int lockTimeMs = 50);
