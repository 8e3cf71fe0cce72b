#pragma once
#include <ostream>
#include <string>

namespace kvl::tools {

// The files of one split of LBS file N.
struct CleaverNames {
  std::string lbs;      // N, the new LBS file at the end
  std::string backup;   // N + ".orig", where the original ends up
  std::string lb2;      // N with its last character replaced by '2'
  std::string lbsTemp;  // where the new LBS file is written before it takes N's place
  std::string lb2Temp;  // where the LB2 file is written before it gets its name
};

CleaverNames cleaverNames(const std::string& lbsName);

// Writes the usage text; returns the exit code 42.
int printCleaverUsage(std::ostream& out);

// The whole program: checks, splits into temporary files, and only when both are complete moves
// the original to the backup name and the new files to their names. On any failure the
// original stays untouched under its own name and no output is left behind. A file already at a
// temporary name is the player's: the run stops before it and leaves it as it is. Returns the exit
// code: 42 after the usage text, 1 on a failure, 0 on success.
int runCleaver(int argc, const char* const* argv, std::ostream& out);

}  // namespace kvl::tools
