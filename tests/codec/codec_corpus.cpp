#include "codec_corpus.h"

#include <random>

namespace palvetta::testing {

std::string RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// Report-like lines: repeated words and numbers that differ, so matches of all lengths
// and distances occur.
std::string SampleText(size_t size) {
  static const char* const kWords[] = {"exception", "thread", "module", "address", "stack", "frame",
                                       "palvetta.exe", "kernel32.dll", "access violation", "read of",
                                       "\r\n", "  ", "0x", "$", ":"};
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size) {
    text += kWords[random() % std::size(kWords)];
    text += ' ';
    if (random() % 3 == 0) text += std::to_string(random() % 100000);
  }
  text.resize(size);
  return text;
}

std::vector<TCorpusCase> CodecCorpus() {
  std::vector<TCorpusCase> corpus = {
      {"empty", ""},
      {"one byte", "x"},
      {"two bytes", "ab"},
      {"run of 300", std::string(300, 'a')},
      {"run of 100000 zeros", std::string(100000, '\0')},
      {"text 1000", SampleText(1000)},
      {"text 300000", SampleText(300000)},
      {"random 1000", RandomBytes(1000, 1)},
      {"random 200000", RandomBytes(200000, 2)},
      // A block holds at most 16383 symbols: random bytes are one literal each.
      {"random 16382", RandomBytes(16382, 3)},
      {"random 16383", RandomBytes(16383, 4)},
      {"random 16384", RandomBytes(16384, 5)},
      {"random 32768", RandomBytes(32768, 6)},
      // The window slides when the string start passes 64 KiB - 262.
      {"random 65273", RandomBytes(65273, 7)},
      {"random 65274", RandomBytes(65274, 8)},
      {"random 65275", RandomBytes(65275, 9)},
      {"text 65536", SampleText(65536)},
  };
  // A long block of matches that spans slides, then noise: the block's start is gone from
  // the window when it ends, so it cannot be stored.
  std::string mixed = std::string(70000, 'z') + RandomBytes(20000, 10) + SampleText(50000) +
                      std::string(5000, 'q') + RandomBytes(300, 11);
  corpus.push_back({"runs, noise and text", mixed});
  // Repeats of a random stretch: long matches at every distance up to the window's.
  const std::string piece = RandomBytes(30000, 12);
  corpus.push_back({"repeated 30000", piece + piece + piece.substr(0, 20000) + piece});
  // Ends in a match that reaches the last byte.
  corpus.push_back({"text ending in a match", SampleText(5000) + SampleText(5000).substr(0, 777)});
  return corpus;
}

}  // namespace palvetta::testing
