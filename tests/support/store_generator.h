#pragma once

// Settings files as hand edits, crashes, other programs and bad disks leave them: broken
// sections and lines, binary bytes, huge, negative and non-numeric values, thousands of
// layout entries, very long strings and duplicate keys, mixed in with the values the
// program writes itself. Plain standard C++, so the fuzzer can use it as well.

#include <cstdint>
#include <random>
#include <string>

using StoreRandom = std::mt19937_64;

// A whole settings file.
std::string GenerateStore(StoreRandom& random);
// `file` after a few changes of bytes, lines or values.
std::string MutateStore(std::string file, StoreRandom& random);
