// The compressor and decoder against zlib: the same bytes as zlib's level 2 raw stream
// (the same algorithm), zlib's inflate reading ours, ours reading zlib's other levels,
// and the checksums.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cctype>
#include <string>

#include "codec/checksums.h"
#include "codec/deflate.h"
#include "codec/inflate.h"
#include "codec_corpus.h"

namespace palvetta {
namespace {

using testing::CodecCorpus;
using testing::TCorpusCase;

std::string ZlibDeflate(const std::string& data, int level) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(deflateBound(&stream, data.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// The output, or "<refused>" when zlib does not end the stream cleanly on the last byte.
std::string ZlibInflate(const std::string& stream, size_t length) {
  z_stream z{};
  EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
  std::string out(length + 1, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  const bool clean = result == Z_STREAM_END && z.avail_in == 0;
  out.resize(z.total_out);
  inflateEnd(&z);
  return clean ? out : "<refused>";
}

std::string OurDeflate(const std::string& data) {
  std::string out(data.size() * 11 / 10 + 64, '\0');
  out.resize(DeflateBuffer(data.data(), out.data(), data.size(), out.size()));
  return out;
}

class ZlibOracleTest : public ::testing::TestWithParam<TCorpusCase> {};

TEST_P(ZlibOracleTest, SameBytesAsZlibLevel2) {
  const std::string& data = GetParam().Bytes;
  const std::string ours = OurDeflate(data);
  EXPECT_TRUE(ours == ZlibDeflate(data, 2)) << "sizes " << ours.size() << " and " << ZlibDeflate(data, 2).size();
  EXPECT_TRUE(ZlibInflate(ours, data.size()) == data);
}

TEST_P(ZlibOracleTest, OurInflateReadsZlibAtEveryLevel) {
  const std::string& data = GetParam().Bytes;
  if (data.empty()) return;
  for (int level : {0, 1, 6, 9}) {
    const std::string stream = ZlibDeflate(data, level);
    std::string out(data.size(), '\0');
    EXPECT_EQ(InflateBuffer(stream.data(), out.data(), stream.size(), out.size()), data.size()) << level;
    EXPECT_TRUE(out == data) << level;
  }
}

TEST_P(ZlibOracleTest, ChecksumsEqualZlibs) {
  const std::string& data = GetParam().Bytes;
  const auto* bytes = reinterpret_cast<const Bytef*>(data.data());
  EXPECT_EQ(Crc32Update(0xFFFFFFFF, data.data(), data.size()) ^ 0xFFFFFFFF,
            crc32(0, bytes, static_cast<uInt>(data.size())));
  EXPECT_EQ(Adler32Update(1, data.data(), data.size()), adler32(1, bytes, static_cast<uInt>(data.size())));
}

INSTANTIATE_TEST_SUITE_P(Corpus, ZlibOracleTest, ::testing::ValuesIn(CodecCorpus()), [](const auto& info) {
  std::string name;
  for (char c : info.param.Name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

}  // namespace
}  // namespace palvetta
