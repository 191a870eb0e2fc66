#include <iostream>
#include <string>
#include <vector>

#include "analyse/analyse.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunAnalyse(args, std::cout, std::cerr);
}
