#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "codec/deflate.h"
#include "codec/inflate.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

using testing::CodecCorpus;
using testing::RandomBytes;
using testing::SampleText;
using testing::TCorpusCase;

std::string Deflate(const std::string& data) {
  std::string out(data.size() * 11 / 10 + 64, '\0');
  const uint64_t size = DeflateBuffer(data.data(), out.data(), data.size(), out.size());
  out.resize(size);
  return out;
}

// The output, or nullopt when the decoder refuses the stream for that length.
std::optional<std::string> Inflate(const std::string& stream, size_t length) {
  std::string out(length, '\0');
  if (InflateBuffer(stream.data(), out.data(), stream.size(), length) != length || length == 0) return std::nullopt;
  return out;
}

class DeflateCorpusTest : public ::testing::TestWithParam<TCorpusCase> {};

TEST_P(DeflateCorpusTest, RoundTripsThroughOurInflate) {
  const std::string& data = GetParam().Bytes;
  const std::string stream = Deflate(data);
  ASSERT_FALSE(stream.empty());
  if (data.empty()) return;  // a length of 0 reads as failure; the bytes are checked below
  EXPECT_EQ(Inflate(stream, data.size()), data);
  // Any other length is refused: one byte short, one byte over.
  EXPECT_EQ(Inflate(stream, data.size() - 1), std::nullopt);
  EXPECT_EQ(Inflate(stream, data.size() + 1), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Corpus, DeflateCorpusTest, ::testing::ValuesIn(CodecCorpus()),
                         [](const auto& info) {
                           std::string name;
                           for (char c : info.param.Name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(DeflateTest, EmptyInputIsOneFinalFixedBlockWithOnlyItsEnd) {
  EXPECT_EQ(Deflate(""), std::string("\x03\x00", 2));
}

TEST(DeflateTest, NeedsAByteToSpareInTheDestination) {
  const std::string data = SampleText(5000);
  const std::string stream = Deflate(data);
  std::string out(stream.size(), '\0');
  EXPECT_EQ(DeflateBuffer(data.data(), out.data(), data.size(), out.size()), 0u);
  out.resize(stream.size() + 1);
  EXPECT_EQ(DeflateBuffer(data.data(), out.data(), data.size(), out.size()), stream.size());
  EXPECT_EQ(out.substr(0, stream.size()), stream);
  EXPECT_EQ(DeflateBuffer(data.data(), out.data(), data.size(), 0), 0u);
}

TEST(InflateTest, RefusesEveryTruncation) {
  // Stored (noise), dynamic (text) and fixed (short) blocks, each cut at every byte.
  for (const std::string& data : {RandomBytes(700, 20), SampleText(3000), std::string("abcabcabd")}) {
    const std::string stream = Deflate(data);
    for (size_t cut = 0; cut < stream.size(); ++cut) {
      EXPECT_EQ(Inflate(stream.substr(0, cut), data.size()), std::nullopt) << "cut at " << cut;
    }
    EXPECT_EQ(Inflate(stream + '\0', data.size()), std::nullopt) << "a trailing byte";
  }
}

// Deflate streams written bit by bit, for damage an encoder never makes.
class TBitStream {
 public:
  TBitStream& Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) PutBit((value >> i) & 1);
    return *this;
  }
  // Huffman codes go out most significant bit first.
  TBitStream& Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) PutBit((code >> i) & 1);
    return *this;
  }
  TBitStream& Header(bool last, int type) { return Bits(last ? 1 : 0, 1).Bits(static_cast<uint32_t>(type), 2); }
  TBitStream& Fixed(int symbol) {
    if (symbol < 144) return Code(0x30 + symbol, 8);
    if (symbol < 256) return Code(0x190 + symbol - 144, 9);
    if (symbol < 280) return Code(symbol - 256, 7);
    return Code(0xC0 + symbol - 280, 8);
  }
  TBitStream& Raw(std::string bytes) {
    if (FCount != 0) Bits(0, 8 - FCount);
    FBytes += bytes;
    return *this;
  }
  std::string Done() const { return FCount == 0 ? FBytes : FBytes + static_cast<char>(FPartial); }

 private:
  void PutBit(uint32_t bit) {
    FPartial = static_cast<uint8_t>(FPartial | bit << FCount);
    if (++FCount == 8) {
      FBytes += static_cast<char>(FPartial);
      FPartial = 0;
      FCount = 0;
    }
  }
  std::string FBytes;
  uint8_t FPartial = 0;
  int FCount = 0;
};

struct TStreamCase {
  const char* Name;
  std::string Stream;
  size_t Length;
  bool Valid;
};

// A dynamic block header: counts, then the code-length code's lengths in send order.
TBitStream DynamicHeader(int litLen, int distances, std::vector<int> codeLengthLengths) {
  TBitStream s;
  s.Header(true, 2).Bits(static_cast<uint32_t>(litLen - 257), 5).Bits(static_cast<uint32_t>(distances - 1), 5);
  s.Bits(static_cast<uint32_t>(codeLengthLengths.size() - 4), 4);
  for (int length : codeLengthLengths) s.Bits(static_cast<uint32_t>(length), 3);
  return s;
}

std::vector<TStreamCase> StreamCases() {
  return {
      {"fixed literal", TBitStream().Header(true, 1).Fixed('a').Fixed(256).Done(), 1, true},
      {"fixed run", TBitStream().Header(true, 1).Fixed('a').Fixed(257).Code(0, 5).Fixed(256).Done(), 4, true},
      {"stored", TBitStream().Header(true, 0).Raw(std::string("\x02\x00\xFD\xFFhi", 6)).Done(), 2, true},
      {"stored length not matching its complement",
       TBitStream().Header(true, 0).Raw(std::string("\x02\x00\xFD\xFEhi", 6)).Done(), 2, false},
      {"stored block longer than the source",
       TBitStream().Header(true, 0).Raw(std::string("\x03\x00\xFC\xFFhi", 6)).Done(), 2, false},
      {"block type 3", TBitStream().Header(true, 3).Bits(0, 13).Done(), 1, false},
      {"no final block", TBitStream().Header(false, 1).Fixed('a').Fixed(256).Done(), 1, false},
      {"distance before the start", TBitStream().Header(true, 1).Fixed('a').Fixed(257).Code(1, 5).Fixed(256).Done(), 4,
       false},
      {"length symbol 286", TBitStream().Header(true, 1).Fixed('a').Fixed(286).Code(0, 5).Fixed(256).Done(), 4, false},
      {"distance symbol 30", TBitStream().Header(true, 1).Fixed('a').Fixed(257).Code(30, 5).Fixed(256).Done(), 4,
       false},
      {"more output than room", TBitStream().Header(true, 1).Fixed('a').Fixed('b').Fixed(256).Done(), 1, false},
      {"too many length codes", DynamicHeader(287, 1, {0, 0, 0, 0}).Bits(0, 32).Done(), 1, false},
      // Three code-length codes of one bit cannot all exist.
      {"over-subscribed code-length code", DynamicHeader(257, 1, {1, 1, 1, 0}).Bits(0, 32).Done(), 1, false},
      // Only 0 (code 0) and 16, "repeat the previous length" (code 1), have codes.
      {"a first length that repeats nothing", DynamicHeader(257, 1, {1, 0, 0, 1}).Code(1, 1).Bits(0, 32).Done(), 1,
       false},
  };
}

TEST(InflateTest, HandMadeStreams) {
  for (const TStreamCase& c : StreamCases()) {
    std::string out(c.Length, '\0');
    const uint64_t result = InflateBuffer(c.Stream.data(), out.data(), c.Stream.size(), c.Length);
    EXPECT_EQ(result, c.Valid ? c.Length : 0u) << c.Name;
  }
}

TEST(InflateTest, SurvivesEveryBitFlip) {
  // A flipped bit may still decode (a literal changes); it must never read or write out of
  // bounds, which the sanitizers watch.
  const std::string data = SampleText(800) + RandomBytes(100, 21);
  const std::string stream = Deflate(data);
  std::string out(data.size(), '\0');
  for (size_t bit = 0; bit < stream.size() * 8; ++bit) {
    std::string damaged = stream;
    damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
    InflateBuffer(damaged.data(), out.data(), damaged.size(), out.size());
  }
}

}  // namespace
}  // namespace palvetta
