#include <iostream>

#include "check/command_line.h"

int main(int argc, char** argv) {
  return vetrix::check::RunCheck(argc, argv, std::cout, std::cerr);
}
