#include <iostream>

#include "tools/cleaver/cleaver_run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return kvl::tools::runCleaver(argc, argv, std::cout);
  } catch (const std::exception& e) {
    std::cout << "Cleaver failed: " << e.what() << std::endl;
    return 1;
  }
}
