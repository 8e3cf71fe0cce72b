#include "tools/cleaver/cleaver_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/lbs/byte_source.h"
#include "common/lbs/lb2_loader.h"
#include "common/lbs/lbs_frame.h"
#include "tools/cleaver/byte_sink.h"
#include "tools/cleaver/lbs_splitter.h"

namespace kvl::tools {

namespace {

constexpr const char* kTempSuffix = ".cleaver-tmp";
// The input's own buffer serves the small reads (each frame's length words and header); segment
// data, read in pieces much larger than it, goes from the file straight into an output's block.
constexpr std::size_t kReadBufferBytes = 1 << 14;

std::string errnoText(int error) { return std::strerror(error); }

bool renameFile(const std::string& from, const std::string& to, std::ostream& out) {
  errno = 0;
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  const int error = errno;
  out << "Failed to rename " << from << " to " << to << ": " << errnoText(error) << "\n";
  return false;
}

// Gives the new files their names: the LB2 file first (its name is free), then the original to
// its backup name, then the new LBS file to the original's name. A failed step undoes the ones
// before it, so that the original keeps its name.
bool moveIntoPlace(const CleaverNames& names, std::ostream& out) {
  if (!renameFile(names.lb2Temp, names.lb2, out)) return false;
  if (!renameFile(names.lbs, names.backup, out)) {
    std::remove(names.lb2.c_str());
    return false;
  }
  if (!renameFile(names.lbsTemp, names.lbs, out)) {
    renameFile(names.backup, names.lbs, out);
    std::remove(names.lb2.c_str());
    return false;
  }
  return true;
}

}  // namespace

CleaverNames cleaverNames(const std::string& lbsName) {
  CleaverNames n;
  n.lbs = lbsName;
  n.backup = lbsName + ".orig";
  n.lb2 = tracks::lb2FileName(lbsName);
  n.lbsTemp = lbsName + kTempSuffix;
  n.lb2Temp = n.lb2 + kTempSuffix;
  return n;
}

int printCleaverUsage(std::ostream& out) {
  out << "\n\n"
      << "Split LBS file into files LBS and LB2.\n"
      << "\n"
      << "CLEAVER" << " file.lbs\n"
      << "\n"
      << "    file.lbs  Name of LBS file to split.\n"
      << "\n"
      << "    LB2 file contains the following data segments: \n"
      << "        * visible objects \n"
      << "        * geom blocks \n"
      << "        * object blocks \n"
      << "\n"
      << "    LBS file contains all other segments.\n"
      << "\n\n";
  out.flush();
  return 42;
}

int runCleaver(int argc, const char* const* argv, std::ostream& out) {
  if (argc < 2) return printCleaverUsage(out);
  const std::string name = argv[1];
  if (name.empty()) {
    out << "LBS file name is empty!\n";
    return 1;
  }
  const CleaverNames names = cleaverNames(name);

  errno = 0;
  if (!tracks::fileExists(names.lbs)) {
    const int error = errno ? errno : ENOENT;
    out << "LBS file " << names.lbs << " not found: " << errnoText(error) << "\n";
    return 1;
  }
  if (tracks::fileExists(names.lb2)) {
    out << "LB2 file " << names.lb2 << " already exists!\n";
    return 1;
  }
  if (tracks::fileExists(names.backup)) {
    out << "Backup/working file " << names.backup << " already exists!\n";
    return 1;
  }
  // The new files are written under names of their own first; a file already there is not this
  // run's to cut or delete.
  for (const std::string* working : {&names.lbsTemp, &names.lb2Temp}) {
    if (tracks::fileExists(*working)) {
      out << "Working file " << *working << " already exists!\n";
      return 1;
    }
  }

  SplitOutcome outcome;
  bool lbsFailed = false;
  bool lb2Failed = false;
  int lbsError = 0;
  int lb2Error = 0;
  int inputError = 0;
  bool lbsCreated = false;
  bool lb2Created = false;
  {
    tracks::FileByteSource input(names.lbs, kReadBufferBytes);
    FileByteSink lbs(names.lbsTemp);
    FileByteSink lb2(names.lb2Temp);
    lbsCreated = !lbs.failed();
    lb2Created = !lb2.failed();
    if (!lbs.failed() && !lb2.failed()) outcome = splitLbsFrames(input, lbs, lb2, out);
    if (input.failed()) {
      outcome.inputFailed = true;
      inputError = input.error();
    }
    lbsFailed = !lbs.close();
    lb2Failed = !lb2.close();
    lbsError = lbs.error();
    lb2Error = lb2.error();
  }
  if (outcome.inputFailed)
    out << "Failed to read from file " << names.lbs << ": " << errnoText(inputError) << "\n";
  if (outcome.truncated)
    out << "LBS file " << names.lbs << " is cut short: the frame at offset " << outcome.truncatedFrame
        << " ends with the file after " << outcome.bytesRead << " bytes\n";
  if (lbsFailed) out << "Failed to write to LBS file " << names.lbs << ": " << errnoText(lbsError) << "\n";
  if (lb2Failed) out << "Failed to write to LB2 file " << names.lb2 << ": " << errnoText(lb2Error) << "\n";

  // A cut-short or unreadable input would split into a stage that lacks what follows the break
  // and still read as done: the run fails, and the input keeps its name.
  bool ok = !outcome.inputFailed && !outcome.truncated && !lbsFailed && !lb2Failed;
  if (ok) ok = moveIntoPlace(names, out);
  if (!ok) {
    // Only what this run created goes away (a sink creates its file or nothing).
    if (lbsCreated) std::remove(names.lbsTemp.c_str());
    if (lb2Created) std::remove(names.lb2Temp.c_str());
  }

  out << "\n\n"
      << "End of LBS file " << names.lbs << " reached after reading " << outcome.bytesRead << " bytes\n"
      << "\n"
      << (ok ? "Both files, LBS and LB2, were successfully written!" : "Error writing LBS and LB2 files!") << "\n"
      << "\n\n";
  out.flush();
  return ok ? 0 : 1;
}

}  // namespace kvl::tools
