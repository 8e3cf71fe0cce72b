#include "common/daemon/version_banner.h"

namespace kvl {

void writeDaemonBanner(std::ostream& out, const std::string& programPath, const std::string& bitsWord,
                       const std::string& platformName) {
  const char* indent = "  ";
  out << std::endl;
  out << indent << programPath << std::endl;
  out << std::endl;
  out << indent << "Version " << kDaemonVersionText << std::endl;
  out << std::endl;
  out << std::endl;
  out << indent << "Running " << bitsWord << " build on platform '" << platformName << "'." << std::endl;
  out << std::endl;
  out << indent << "This program can't be run standalone." << std::endl;
  out << indent << "Anyway, all dependencies seem to be satisfied." << std::endl;
  out << std::endl;
}

}  // namespace kvl
