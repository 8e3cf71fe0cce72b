#include "tools/animscan/animscan_run.h"

#include <cstdint>
#include <cstdio>
#include <exception>

#include "common/dls/dls_check.h"

namespace kvl::tools {

void printAnimscanUsage(std::ostream& out) {
  out << "\n"
      << "Check KVL DLS files for errors.\n"
      << "\n"
      << "Usage: \n"
      << "\n"
      << "Animscan" << " [file.dls..]\n"
      << "\n"
      << "    file.dls  List of DLS file names, separated by white space.\n"
      << "\n"
      << "    Checks the data of the specified DLS file(s) and writes \n"
      << "    the result to the log file 'dlserrors.log' in the current \n"
      << "    directory.\n"
      << "\n";
  out.flush();
}

std::string readWholeFile(const std::string& path) {
  std::string data;
  // The C runtime opens without a sharing restriction: other programs may read and write the
  // file meanwhile.
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return data;
  // One allocation for the size the file has now; a file that grows meanwhile is read on.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0) data.reserve(static_cast<std::size_t>(size));
  }
  std::rewind(f);
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, f);
    data.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  std::fclose(f);
  return data;
}

int runAnimscan(int argc, const char* const* argv, std::ostream& out) {
  if (argc < 2) {
    printAnimscanUsage(out);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    out << "checking file '" << name << "'" << std::flush;
    std::string data;
    try {
      data = readWholeFile(name);
    } catch (const std::exception&) {
      // Too large to hold in memory: checked as a file that cannot be read.
      data.clear();
      data.shrink_to_fit();
    }
    out << " (size " << data.size() << "): ";
    const bool ok = tracks::checkDlsData(0, reinterpret_cast<uint8_t*>(data.data()), data.size(), name.c_str());
    out << (ok ? "OK" : "NOK") << "\n" << std::flush;
  }
  return 0;
}

}  // namespace kvl::tools
