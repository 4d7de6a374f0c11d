#include <exception>
#include <iostream>
#include <new>

#include "app/Cli.h"
#include "app/StreamPlatform.h"

int main(int argc, char** argv) {
  try {
    tond::cli::Args args(argv + (argc > 0 ? 1 : 0), argv + argc);
    tond::cli::Streams io{std::cout, std::cerr};
    return tond::cli::Run(args, io);
  } catch (const std::bad_alloc&) {
    std::cerr << tond::cli::StreamPlatform::Prefix() << "Error: not enough memory" << std::endl;
  } catch (const std::exception& e) {
    std::cerr << tond::cli::StreamPlatform::Prefix() << "Error: " << e.what() << std::endl;
  }
  return tond::cli::kExitFailure;
}
