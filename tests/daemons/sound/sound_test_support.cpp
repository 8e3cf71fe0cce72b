#include "tests/daemons/sound/sound_test_support.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/daemons/channel_client/channel_client_runner.h"

namespace kvl::testing {

const std::vector<std::string> kAllSoundEvents = {
    "event:/engine_int",  "event:/engine_ext", "event:/turbo",        "event:/wind",
    "event:/blowoff_int", "event:/blowoff_ext", "event:/ignition",    "event:/backfire_int",
    "event:/backfire_ext", "event:/gear_int",  "event:/gear_ext",     "event:/transmission",
    "event:/wheel"};

SoundFolder::SoundFolder(const std::string& name) : path_(makeScratchFolder(name)) {
  CreateDirectoryA((path_ + "\\AudioFMOD").c_str(), nullptr);
  DeleteFileA((path_ + "\\AudioFMOD\\AudioFMOD.ini").c_str());
  clearTrace();
}

void SoundFolder::writeIni(const std::string& text) const {
  writeWholeFile(path_ + "\\AudioFMOD\\AudioFMOD.ini", text);
}

void SoundFolder::writeBank(const std::string& fileName, const std::vector<std::string>& events,
                            const std::string& extra) const {
  std::string text = "fmodsim bank\n";
  for (const auto& e : events) text += "event " + e + "\n";
  text += extra;
  writeWholeFile(path_ + "\\AudioFMOD\\" + fileName, text);
}

void SoundFolder::writeFullBank(const std::string& fluctuationLength) const {
  std::string text = "fmodsim bank\n";
  for (const auto& e : kAllSoundEvents) {
    text += "event " + e + "\n";
    if (e == "event:/engine_int" || e == "event:/engine_ext" || e == "event:/transmission") {
      text += "property fluctuation_length float " + fluctuationLength + "\n";
    }
  }
  writeWholeFile(path_ + "\\AudioFMOD\\rally.bank", text);
  writeWholeFile(path_ + "\\AudioFMOD\\rally.strings.bank", "fmodsim bank\n");
}

void SoundFolder::clearTrace() const { DeleteFileA(tracePath().c_str()); }

std::string TraceCall::arg(const std::string& key) const {
  auto it = args.find(key);
  return it == args.end() ? "" : it->second;
}

std::string TraceCall::output(const std::string& key) const {
  auto it = outputs.find(key);
  return it == outputs.end() ? "" : it->second;
}

std::vector<TraceCall> readTrace(const std::string& path) {
  std::vector<TraceCall> calls;
  for (const std::string& line : splitLines(readWholeFile(path))) {
    if (line.empty()) continue;
    std::istringstream words(line);
    TraceCall call;
    call.line = line;
    words >> call.function;
    std::string word;
    bool afterArrow = false;
    bool haveResult = false;
    while (words >> word) {
      if (word == "->") {
        afterArrow = true;
        continue;
      }
      if (afterArrow && !haveResult) {
        call.result = std::atoi(word.c_str());
        haveResult = true;
        continue;
      }
      const auto eq = word.find('=');
      if (eq == std::string::npos) continue;
      (afterArrow ? call.outputs : call.args)[word.substr(0, eq)] = word.substr(eq + 1);
    }
    calls.push_back(call);
  }
  return calls;
}

std::vector<TraceCall> callsOf(const std::vector<TraceCall>& calls, const std::string& function) {
  std::vector<TraceCall> found;
  for (const auto& c : calls) {
    const std::string& f = c.function;
    if (f == function || (f.size() > function.size() &&
                          f.compare(f.size() - function.size(), function.size(), function) == 0 &&
                          f[f.size() - function.size() - 1] == '_')) {
      found.push_back(c);
    }
  }
  return found;
}

std::string eventOfInstance(const std::string& instance) {
  return instance.substr(0, instance.find('#'));
}

std::vector<float> parameterValues(const std::vector<TraceCall>& calls, const std::string& event,
                                   const std::string& name) {
  std::vector<float> values;
  for (const auto& c : callsOf(calls, "SetParameterByName")) {
    if (eventOfInstance(c.arg("instance")) == event && c.arg("name") == name) {
      values.push_back(std::strtof(c.arg("value").c_str(), nullptr));
    }
  }
  return values;
}

std::vector<std::string> callSummary(const std::vector<TraceCall>& calls) {
  std::vector<std::string> summary;
  for (const auto& c : calls) {
    std::string f = c.function;
    const auto cut = f.rfind('_');
    f = f.substr(cut + 1);
    std::string subject = c.arg("instance");
    if (subject.empty()) subject = c.arg("event");
    if (subject.empty()) subject = c.arg("path");
    if (subject.empty()) subject = c.arg("bank");
    summary.push_back(subject.empty() ? f : f + " " + eventOfInstance(subject));
  }
  return summary;
}

}  // namespace kvl::testing
