#include "fmodsim/sim_trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <sstream>

namespace fmodsim {

namespace {
std::mutex gTraceMutex;

// Read from the process environment block (not the C runtime's copy), so a test that sets a
// variable with SetEnvironmentVariable reaches the stand-ins at once.
std::string environment(const char* name) {
  char buffer[32768];
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return std::string();
  return std::string(buffer, length);
}
}  // namespace

Injection injectedFailure(const char* function, const std::string& arguments) {
  Injection injection;
  std::stringstream rules(environment("FMODSIM_FAIL"));
  std::string rule;
  while (std::getline(rules, rule, ';')) {
    const auto equals = rule.rfind('=');
    if (equals == std::string::npos) continue;
    std::string target = rule.substr(0, equals);
    const std::string value = rule.substr(equals + 1);
    std::string match;
    const auto colon = target.find(':');
    if (colon != std::string::npos) {
      match = target.substr(colon + 1);
      target = target.substr(0, colon);
    }
    if (target != function) continue;
    if (!match.empty() && arguments.find(match) == std::string::npos) continue;
    injection.active = true;
    if (value == "null") {
      injection.nullOutput = true;
      injection.result = FMOD_OK;
    } else {
      injection.result = static_cast<FMOD_RESULT>(std::atoi(value.c_str()));
    }
    return injection;
  }
  return injection;
}

void trace(const char* function, const std::string& arguments, FMOD_RESULT result,
           const std::string& outputs) {
  const std::string path = environment("FMODSIM_TRACE");
  if (path.empty()) return;
  std::string line = function;
  if (!arguments.empty()) line += " " + arguments;
  line += " -> " + std::to_string(static_cast<int>(result));
  if (!outputs.empty()) line += " " + outputs;
  line += "\n";
  std::lock_guard<std::mutex> lock(gTraceMutex);
  if (FILE* f = std::fopen(path.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
}

std::string floatText(float value) {
  char buffer[64];
  for (int precision = 6; precision <= 9; ++precision) {
    std::snprintf(buffer, sizeof(buffer), "%.*g", precision, static_cast<double>(value));
    if (std::strtof(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::string vectorText(const FMOD_VECTOR& v) {
  return floatText(v.x) + "," + floatText(v.y) + "," + floatText(v.z);
}

std::string attributesText(const FMOD_3D_ATTRIBUTES& a) {
  return "pos=" + vectorText(a.position) + " vel=" + vectorText(a.velocity) +
         " fwd=" + vectorText(a.forward) + " up=" + vectorText(a.up);
}

}  // namespace fmodsim
