#include <iostream>

#include "generation/command_line.h"

int main(int argc, char** argv) {
  if (argc > 1) return RunCommandLine(argc, argv, std::cin, std::cout, std::cerr);
  WriteUsage(std::cout);
  return 0;
}
