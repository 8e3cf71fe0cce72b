#pragma once
// What the sound daemon's tests share: a folder laid out as the game's current directory
// (AudioFMOD\AudioFMOD.ini and bank files for the FMOD stand-ins), and the stand-ins' trace.
#include <map>
#include <string>
#include <vector>

namespace kvl::testing {

// Every event a complete car bank provides.
extern const std::vector<std::string> kAllSoundEvents;

class SoundFolder {
 public:
  explicit SoundFolder(const std::string& name);
  const std::string& path() const { return path_; }
  std::string tracePath() const { return path_ + "\\trace.txt"; }
  void writeIni(const std::string& text) const;
  // A bank file AudioFMOD\<name> listing `events`; `extra` lines follow as they are.
  void writeBank(const std::string& fileName, const std::vector<std::string>& events,
                 const std::string& extra = "") const;
  // rally.bank with every event (engine_int, engine_ext and transmission with the given
  // fluctuation length) and an empty rally.strings.bank.
  void writeFullBank(const std::string& fluctuationLength = "0.5") const;
  void clearTrace() const;

 private:
  std::string path_;
};

struct TraceCall {
  std::string function;
  std::map<std::string, std::string> args;
  int result = 0;
  std::map<std::string, std::string> outputs;
  std::string line;
  std::string arg(const std::string& key) const;
  std::string output(const std::string& key) const;
};

std::vector<TraceCall> readTrace(const std::string& path);
// The calls of one function (a short name like "SetPaused" matches the end of the name).
std::vector<TraceCall> callsOf(const std::vector<TraceCall>& calls, const std::string& function);
// "event:/wheel#3" -> "event:/wheel".
std::string eventOfInstance(const std::string& instance);
// The values a parameter of an event was set to, in order, for instances of `event`.
std::vector<float> parameterValues(const std::vector<TraceCall>& calls, const std::string& event,
                                   const std::string& name);
// The functions of the calls, in order, each with its event (when it has one): "Stop event:/turbo".
std::vector<std::string> callSummary(const std::vector<TraceCall>& calls);

}  // namespace kvl::testing
