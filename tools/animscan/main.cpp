#include <iostream>

#include "tools/animscan/animscan_run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return kvl::tools::runAnimscan(argc, argv, std::cout);
  } catch (const std::exception& e) {
    std::cout << "Animscan failed: " << e.what() << std::endl;
    return 0;
  }
}
