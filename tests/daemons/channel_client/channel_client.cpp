// A small client that starts a daemon exactly as the plugin does (DaemonLauncher: inheritable
// unnamed objects, five handle values, a kill-on-close job) and runs a script of commands
// against it, printing one line for every reply. Tests drive the daemons through it.
//
// Usage: channel_client SCRIPT   (SCRIPT "-" reads standard input)
//
// Script lines (blank-separated words; "#" starts a comment line; TEXT is the rest of the line):
//   launch SIZE EXE            start EXE with a channel block of SIZE bytes
//   request OFF LEN            the bytes sent with each exchange (default: the whole record)
//   reply OFF LEN              add a range copied back after a reply;  "reply clear" empties the list
//   zero                       set the whole record to zero
//   set8|set16|set32|set64 OFF VALUE   store an integer (little-endian, signed or unsigned)
//   setf OFF VALUE             store a 32-bit float
//   fill OFF COUNT BYTE        store COUNT copies of BYTE
//   hex OFF HEXBYTES           store raw bytes
//   text OFF TEXT              store TEXT and a NUL
//   exchange                   one exchange; prints "exchange WORD"
//   repeat N [OFF]             N exchanges, writing the iteration number (32-bit) at OFF first;
//                              prints "repeat N WORD" with the last result and the replied count
//   print i32|u32|i64|f32 OFF  prints "TYPE@OFF VALUE";  print hex OFF LEN prints the bytes
//   rec WORD [TEXT]            a recorder command (code or word, text payload when given; AddData
//                              keeps the payload as set); prints
//                              "WORD RESULT found=F bytes=B progress=P state=STATE"
//   ended TEXT                 "rec Save TEXT" repeated 100 ms apart, as the plugin polls a save,
//                              until the job is neither New nor Running; prints the last reply
//   rows N [OFF]               N AddData commands with the current payload, the row number
//                              (32-bit) written at record offset OFF first; prints
//                              "rows N RESULT replied=K bytes=B"
//   pid | status | kill | wait [MS] | sleep MS | echo TEXT   (wait without MS: until the daemon ends)
//   share | unshare            give the daemon a handle to the job, or take it back (prints
//                              "shared" or "share failed", "unshared")
//
// A line that cannot be run prints "error ..." and the client goes on; it then ends with exit
// code 1 (0 when every line ran, 2 when the script cannot be read).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/daemon/channel_exchange.h"
#include "common/daemon/daemon_launcher.h"
#include "common/telemetry/recorder_channel_layout.h"
#include "common/telemetry/recorder_command_record.h"

namespace {

using kvl::ByteRange;
using kvl::ChannelLayout;
using kvl::DaemonLauncher;
using kvl::ExchangeResult;

struct Client {
  std::unique_ptr<DaemonLauncher> launcher;
  std::vector<unsigned char> record;
  ChannelLayout layout{0, {0, 0}, {}};
  bool failed = false;
};

void say(const std::string& line) {
  std::cout << line << std::endl;
}

bool inRecord(const Client& c, uint64_t offset, uint64_t length) {
  return offset <= c.record.size() && length <= c.record.size() - offset;
}

// The record exchanged N times; with a counter offset (not negative), each exchange's number is
// written there first. Gives the last result and how many exchanges were replied to.
struct RepeatOutcome {
  ExchangeResult last = ExchangeResult::NoLauncher;
  long long replied = 0;
};
RepeatOutcome exchangeRepeatedly(Client& c, long long n, long long counterAt, const ChannelLayout& layout) {
  RepeatOutcome out;
  for (long long i = 0; i < n; ++i) {
    if (counterAt >= 0) {
      uint32_t v = static_cast<uint32_t>(i);
      std::memcpy(&c.record[counterAt], &v, 4);
    }
    out.last = kvl::exchangeWithDaemon(c.launcher.get(), c.record.data(), layout);
    if (out.last == ExchangeResult::Replied) ++out.replied;
  }
  return out;
}

bool parseNumber(const std::string& word, long long& value) {
  try {
    size_t used = 0;
    value = std::stoll(word, &used, 0);
    return used == word.size();
  } catch (...) {
    return false;
  }
}

std::string restOfLine(std::istringstream& in) {
  std::string rest;
  std::getline(in, rest);
  if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
  if (!rest.empty() && rest.back() == '\r') rest.pop_back();
  return rest;
}

std::string exitText(HANDLE process) {
  DWORD code = 0;
  if (!process) return "none";
  if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) return "running";
  GetExitCodeProcess(process, &code);
  return "exit " + std::to_string(code);
}

bool recorderCode(const std::string& word, int& code) {
  for (code = 0; code <= 8; ++code) {
    if (word == kvl::recorderCommandWord(code)) return true;
  }
  long long value = 0;
  if (!parseNumber(word, value) || value < INT32_MIN || value > INT32_MAX) return false;
  code = static_cast<int>(value);
  return true;
}

bool runLine(Client& c, const std::string& rawLine) {
  std::istringstream in(rawLine);
  std::string verb;
  if (!(in >> verb) || verb[0] == '#') return true;

  auto number = [&](long long& v) {
    std::string w;
    return static_cast<bool>(in >> w) && parseNumber(w, v);
  };
  auto bad = [&](const char* why) {
    say(std::string("error ") + why + ": " + rawLine);
    return false;
  };

  if (verb == "launch") {
    long long size = 0;
    if (!number(size) || size <= 0) return bad("record size");
    std::string exe = restOfLine(in);
    c.record.assign(static_cast<size_t>(size), 0);
    c.layout = ChannelLayout{static_cast<size_t>(size), {0, static_cast<size_t>(size)}, {}};
    c.launcher = std::make_unique<DaemonLauncher>(exe, "", static_cast<size_t>(size));
    say(c.launcher->process() ? "launched" : "launch failed");
  } else if (verb == "request" || verb == "reply") {
    std::string first;
    in >> first;
    if (verb == "reply" && first == "clear") {
      c.layout.replies.clear();
      return true;
    }
    long long off = 0, len = 0;
    if (!parseNumber(first, off) || !number(len) || off < 0 || len < 0 || !inRecord(c, off, len))
      return bad("range");
    ByteRange range{static_cast<size_t>(off), static_cast<size_t>(len)};
    if (verb == "request") c.layout.request = range;
    else c.layout.replies.push_back(range);
  } else if (verb == "zero") {
    std::fill(c.record.begin(), c.record.end(), 0);
  } else if (verb == "set8" || verb == "set16" || verb == "set32" || verb == "set64") {
    long long off = 0, value = 0;
    const size_t width = verb == "set8" ? 1 : verb == "set16" ? 2 : verb == "set32" ? 4 : 8;
    std::string w;
    if (!number(off) || !(in >> w) || off < 0 || !inRecord(c, off, width)) return bad("offset");
    try {
      size_t used = 0;
      if (!w.empty() && w[0] != '-') {
        value = static_cast<long long>(std::stoull(w, &used, 0));
      } else {
        value = std::stoll(w, &used, 0);
      }
      if (used != w.size()) return bad("value");
    } catch (...) {
      return bad("value");
    }
    uint64_t bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < width; ++i) c.record[off + i] = static_cast<unsigned char>(bits >> (8 * i));
  } else if (verb == "setf") {
    long long off = 0;
    float value = 0;
    if (!number(off) || !(in >> value) || off < 0 || !inRecord(c, off, 4)) return bad("setf");
    std::memcpy(&c.record[off], &value, 4);
  } else if (verb == "fill") {
    long long off = 0, count = 0, byte = 0;
    if (!number(off) || !number(count) || !number(byte) || off < 0 || count < 0 || !inRecord(c, off, count))
      return bad("fill");
    std::memset(&c.record[off], static_cast<int>(byte), static_cast<size_t>(count));
  } else if (verb == "hex") {
    long long off = 0;
    std::string hex;
    if (!number(off) || !(in >> hex) || hex.size() % 2 || off < 0 || !inRecord(c, off, hex.size() / 2))
      return bad("hex");
    for (size_t i = 0; i < hex.size() / 2; ++i) {
      c.record[off + i] = static_cast<unsigned char>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    }
  } else if (verb == "text") {
    long long off = 0;
    if (!number(off) || off < 0) return bad("text");
    std::string text = restOfLine(in);
    if (!inRecord(c, off, text.size() + 1)) return bad("text length");
    std::memcpy(&c.record[off], text.c_str(), text.size() + 1);
  } else if (verb == "exchange") {
    ExchangeResult r = kvl::exchangeWithDaemon(c.launcher.get(), c.record.data(), c.layout);
    say(std::string("exchange ") + kvl::exchangeResultWord(r));
  } else if (verb == "repeat") {
    long long n = 0, off = -1;
    if (!number(n) || n < 0) return bad("count");
    std::string w;
    if (in >> w && (!parseNumber(w, off) || off < 0 || !inRecord(c, off, 4))) return bad("counter offset");
    const RepeatOutcome r = exchangeRepeatedly(c, n, off, c.layout);
    say("repeat " + std::to_string(n) + " " + kvl::exchangeResultWord(r.last) + " replied=" + std::to_string(r.replied));
  } else if (verb == "print") {
    std::string type;
    long long off = 0;
    if (!(in >> type) || !number(off) || off < 0) return bad("print");
    std::ostringstream line;
    line << type << "@" << off << " ";
    if (type == "hex") {
      long long len = 0;
      if (!number(len) || len < 0 || !inRecord(c, off, len)) return bad("print range");
      char buf[3];
      for (long long i = 0; i < len; ++i) {
        std::snprintf(buf, sizeof buf, "%02x", c.record[off + i]);
        line << buf;
      }
    } else if (type == "i32" || type == "u32" || type == "f32") {
      if (!inRecord(c, off, 4)) return bad("print range");
      int32_t i;
      uint32_t u;
      float f;
      std::memcpy(&i, &c.record[off], 4);
      std::memcpy(&u, &c.record[off], 4);
      std::memcpy(&f, &c.record[off], 4);
      if (type == "i32") line << i;
      else if (type == "u32") line << u;
      else line << f;
    } else if (type == "i64") {
      if (!inRecord(c, off, 8)) return bad("print range");
      int64_t v;
      std::memcpy(&v, &c.record[off], 8);
      line << v;
    } else {
      return bad("print type");
    }
    say(line.str());
  } else if (verb == "rec" || verb == "ended") {
    std::string word = "Save";
    if (verb == "rec" && !(in >> word)) return bad("recorder command");
    int code = 0;
    if (!recorderCode(word, code)) return bad("recorder command");
    std::string text;
    const bool hasText = static_cast<bool>(std::getline(in, text));
    if (hasText && !text.empty() && text[0] == ' ') text.erase(0, 1);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (c.record.size() != kvl::RecorderCommandRecord::kSize) return bad("not a recorder channel");
    auto* rec = reinterpret_cast<kvl::RecorderCommandRecord*>(c.record.data());
    ExchangeResult r = ExchangeResult::NoLauncher;
    for (bool first = true;; first = false) {
      if (!first) Sleep(100);
      if (code == static_cast<int>(kvl::RecorderCommand::AddData)) {
        rec->command = code;
      } else {
        rec->setCommand(code);
      }
      if (hasText) rec->setPayloadText(text);
      r = kvl::exchangeWithDaemon(c.launcher.get(), c.record.data(), kvl::recorderChannelLayout());
      const bool pending = rec->jobState == static_cast<int32_t>(kvl::JobState::New) ||
                           rec->jobState == static_cast<int32_t>(kvl::JobState::Running);
      if (verb == "rec" || r != ExchangeResult::Replied || !pending) break;
    }
    std::ostringstream line;
    line << kvl::recorderCommandWord(code) << " " << kvl::exchangeResultWord(r) << " found=" << rec->found
         << " bytes=" << rec->bufferedBytes << " progress=" << rec->progress
         << " state=" << kvl::jobStateWord(rec->jobState);
    say(line.str());
  } else if (verb == "rows") {
    long long n = 0, off = -1;
    if (!number(n) || n < 0) return bad("count");
    std::string w;
    if (in >> w && (!parseNumber(w, off) || off < 0 || !inRecord(c, off, 4))) return bad("row number offset");
    if (c.record.size() != kvl::RecorderCommandRecord::kSize) return bad("not a recorder channel");
    auto* rec = reinterpret_cast<kvl::RecorderCommandRecord*>(c.record.data());
    rec->command = static_cast<int32_t>(kvl::RecorderCommand::AddData);
    const RepeatOutcome r = exchangeRepeatedly(c, n, off, kvl::recorderChannelLayout());
    say("rows " + std::to_string(n) + " " + kvl::exchangeResultWord(r.last) + " replied=" + std::to_string(r.replied) +
        " bytes=" + std::to_string(rec->bufferedBytes));
  } else if (verb == "pid") {
    say("pid " + std::to_string(c.launcher ? c.launcher->processId() : 0));
  } else if (verb == "status") {
    say("status " + exitText(c.launcher ? c.launcher->process() : nullptr));
  } else if (verb == "kill") {
    if (c.launcher && c.launcher->process()) {
      TerminateProcess(c.launcher->process(), 9);
      WaitForSingleObject(c.launcher->process(), INFINITE);
    }
    say("killed");
  } else if (verb == "share") {
    say(c.launcher && c.launcher->shareJobWithDaemon() ? "shared" : "share failed");
  } else if (verb == "unshare") {
    if (c.launcher) c.launcher->unshareJob();
    say("unshared");
  } else if (verb == "wait") {
    long long ms = INFINITE;
    std::string w;
    if (in >> w && (!parseNumber(w, ms) || ms < 0)) return bad("wait");
    HANDLE p = c.launcher ? c.launcher->process() : nullptr;
    if (p) WaitForSingleObject(p, static_cast<DWORD>(ms));
    say("wait " + exitText(p));
  } else if (verb == "sleep") {
    long long ms = 0;
    if (!number(ms) || ms < 0) return bad("sleep");
    Sleep(static_cast<DWORD>(ms));
  } else if (verb == "echo") {
    say(restOfLine(in));
  } else {
    return bad("unknown command");
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: channel_client SCRIPT   (\"-\" reads standard input)" << std::endl;
    return 2;
  }
  std::ifstream file;
  std::istream* script = &std::cin;
  if (std::string(argv[1]) != "-") {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "cannot open " << argv[1] << std::endl;
      return 2;
    }
    script = &file;
  }
  Client client;
  std::string line;
  int errors = 0;
  while (std::getline(*script, line)) {
    try {
      if (!runLine(client, line)) ++errors;
    } catch (const std::exception& e) {
      say(std::string("error ") + e.what());
      ++errors;
    }
  }
  return errors ? 1 : 0;
}
