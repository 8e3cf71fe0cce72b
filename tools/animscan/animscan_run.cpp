#include "tools/animscan/animscan_run.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>

#include "common/dls/dls_check.h"
#include "tools/animscan/private_file_view.h"

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

FileContent readWholeFile(const std::string& path) {
  FileContent content;
  // The C runtime opens without a sharing restriction: other programs may read and write the
  // file meanwhile.
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return content;
  // One block for the size the file has now, read into place by one large read; one byte more
  // shows whether the file grew meanwhile, and then it is read on in a block twice as large.
  std::size_t capacity = 1;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0) capacity += static_cast<std::size_t>(size);
  }
  std::rewind(f);
  try {
    content.bytes.reset(new uint8_t[capacity]);
    for (;;) {
      content.size += std::fread(content.bytes.get() + content.size, 1, capacity - content.size, f);
      if (content.size < capacity) break;  // the end of the file, or a read error
      std::unique_ptr<uint8_t[]> larger(new uint8_t[capacity * 2]);
      std::memcpy(larger.get(), content.bytes.get(), content.size);
      content.bytes = std::move(larger);
      capacity *= 2;
    }
  } catch (...) {
    std::fclose(f);
    throw;
  }
  std::fclose(f);
  return content;
}

int runAnimscan(int argc, const char* const* argv, std::ostream& out) {
  if (argc < 2) {
    printAnimscanUsage(out);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    out << "checking file '" << name << "'" << std::flush;
    std::unique_ptr<PrivateFileView> view;
    try {
      view = std::make_unique<PrivateFileView>(name);
    } catch (const std::exception&) {
      // Too large to hold in memory: checked as a file that cannot be read.
    }
    const std::size_t size = view ? view->size() : 0;
    out << " (size " << size << "): ";
    const bool ok = tracks::checkDlsData(0, view ? view->data() : nullptr, size, name.c_str());
    out << (ok ? "OK" : "NOK") << "\n" << std::flush;
  }
  return 0;
}

}  // namespace kvl::tools
