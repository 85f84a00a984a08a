#pragma once
// Inputs for the compression tests: the shapes that take the compressor's different
// paths (no input, literals only, long runs, text, noise, block and window boundaries).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace palvetta::testing {

struct TCorpusCase {
  std::string Name;
  std::string Bytes;
};

std::string RandomBytes(size_t size, uint32_t seed);
std::string SampleText(size_t size);

std::vector<TCorpusCase> CodecCorpus();

}  // namespace palvetta::testing
