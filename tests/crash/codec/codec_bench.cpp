// The compressor and decoder beside zlib at level 2 (the same algorithm, so the same
// bytes), with zlib at level 6 and libdeflate for reference, all on one 10 MB corpus made
// at run time: a bug-report text, machine code (this program's own file) and a
// screenshot-like bitmap. bytes_per_second is the uncompressed data's rate; the counters
// give the compressed size. Output buffers are allocated once, outside the timed loops.

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "crash/codec/deflate.h"
#include "crash/codec/inflate.h"
#include "support/bench_main.h"

namespace {

constexpr size_t kTextSize = 4'000'000;
constexpr size_t kCodeSize = 3'000'000;
constexpr size_t kBitmapWidth = 1000;
constexpr size_t kBitmapHeight = 1000;

std::string ReportText(size_t size) {
  std::mt19937 engine(1);
  const auto random = [&engine] { return static_cast<unsigned>(engine()); };
  static const char* const kFunctions[] = {"TMainWindow::HandleCommand", "TProject::Insert", "TBatchGenerator::Run",
                                           "TItemRegistry::Find", "std::vector<TItem*>::push_back", "WndProc",
                                           "DispatchMessageW", "BaseThreadInitThunk", "RtlUserThreadStart"};
  static const char* const kModules[] = {"palvetta.exe", "user32.dll", "kernel32.dll", "ntdll.dll", "comctl32.dll"};
  std::string text;
  char line[256];
  while (text.size() < size) {
    switch (random() % 4) {
      case 0:
        std::snprintf(line, sizeof line, "%016llx +%03x %s %s (line %u)\r\n",
                      0x140000000ull + (random() % 0x400000), random() % 0x400, kModules[random() % 5],
                      kFunctions[random() % 9], random() % 3000);
        break;
      case 1:
        std::snprintf(line, sizeof line, "thread $%x: running, stack %016llx..%016llx\r\n", random() % 0x10000,
                      0x7ff000000000ull + random(), 0x7ff000000000ull + random());
        break;
      case 2:
        std::snprintf(line, sizeof line, "  rax=%016llx rbx=%016llx rcx=%016llx\r\n",
                      static_cast<unsigned long long>(random()) << 16, 0ull, static_cast<unsigned long long>(random()));
        break;
      default:
        std::snprintf(line, sizeof line, "module %s loaded at %016llx, size %u, version 10.0.%u.%u\r\n",
                      kModules[random() % 5], 0x7ff800000000ull + (random() % 0x1000) * 0x10000, random() % 0x200000,
                      random() % 30000, random() % 5000);
    }
    text += line;
  }
  text.resize(size);
  return text;
}

std::string MachineCode(size_t size) {
  std::ifstream self("/proc/self/exe", std::ios::binary);
  const std::string program{std::istreambuf_iterator<char>(self), std::istreambuf_iterator<char>()};
  std::string code;
  while (code.size() < size && !program.empty()) code += program;
  code.resize(size);
  return code;
}

// 24-bit pixels as a screenshot has them: flat window areas, frames, rows of glyph-like
// marks and a photo-like gradient with noise.
std::string Bitmap(size_t width, size_t height) {
  std::mt19937 random(2);
  std::string pixels(width * height * 3, '\0');
  for (size_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < width; ++x) {
      uint8_t r = 240, g = 240, b = 240;
      if (y < 30) r = 0, g = 120, b = 215;                              // title bar
      else if (x < 250) r = g = b = 255;                                 // list
      else if (y > 600 && x > 600) {                                     // picture
        r = static_cast<uint8_t>(x / 4 + random() % 16);
        g = static_cast<uint8_t>(y / 4 + random() % 16);
        b = static_cast<uint8_t>((x + y) / 8);
      }
      if ((y % 20 > 4 && y % 20 < 14) && (x % 9 < 5) && ((x * 7 + y / 20 * 13) % 11 < 8) && x < 600) r = g = b = 0;
      char* p = &pixels[(y * width + x) * 3];
      p[0] = static_cast<char>(b), p[1] = static_cast<char>(g), p[2] = static_cast<char>(r);
    }
  }
  return pixels;
}

const std::string& Corpus() {
  static const std::string corpus = ReportText(kTextSize) + MachineCode(kCodeSize) + Bitmap(kBitmapWidth, kBitmapHeight);
  return corpus;
}

// Room for the compressed corpus in every compressor's worst case (stored blocks).
size_t OutputBound(size_t size) { return size * 11 / 10 + 64; }

// Each compressor writes into out (as large as OutputBound) and returns the compressed size.
size_t ZlibDeflate(const std::string& data, std::string& out, int level) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  const size_t size = stream.total_out;
  deflateEnd(&stream);
  return size;
}

size_t OurDeflate(const std::string& data, std::string& out) {
  return palvetta::DeflateBuffer(data.data(), out.data(), data.size(), out.size());
}

size_t Libdeflate(const std::string& data, std::string& out, int level) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
  const size_t size = libdeflate_deflate_compress(compressor, data.data(), data.size(), out.data(), out.size());
  libdeflate_free_compressor(compressor);
  return size;
}

template <class Compress>
std::string Compressed(const std::string& data, Compress compress) {
  std::string out(OutputBound(data.size()), '\0');
  out.resize(compress(data, out));
  return out;
}

template <class Compress>
void Deflate(benchmark::State& state, Compress compress) {
  const std::string& corpus = Corpus();
  // Allocated and touched before the timed loop, which would otherwise measure the
  // page faults of a fresh output buffer rather than the compression.
  std::string out(OutputBound(corpus.size()), '\0');
  size_t size = 0;
  for (auto _ : state) {
    size = compress(corpus, out);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
  state.counters["compressed"] = static_cast<double>(size);
  state.counters["ratio_percent"] = 100.0 * static_cast<double>(size) / static_cast<double>(corpus.size());
}

// The stream both compressors at level 2 make.
const std::string& Stream() {
  static const std::string stream = Compressed(Corpus(), OurDeflate);
  return stream;
}

template <class Decompress>
void Inflate(benchmark::State& state, Decompress decompress) {
  const std::string& corpus = Corpus();
  std::string out(corpus.size(), '\0');
  for (auto _ : state) {
    if (!decompress(Stream(), out)) state.SkipWithError("the stream did not decode");
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  if (out != corpus) state.SkipWithError("wrong output");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
}

bool OurInflate(const std::string& stream, std::string& out) {
  return palvetta::InflateBuffer(stream.data(), out.data(), stream.size(), out.size()) == out.size();
}

bool ZlibInflate(const std::string& stream, std::string& out) {
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const bool done = inflate(&z, Z_FINISH) == Z_STREAM_END;
  inflateEnd(&z);
  return done;
}

bool LibdeflateInflate(const std::string& stream, std::string& out) {
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  const bool done = libdeflate_deflate_decompress(decompressor, stream.data(), stream.size(), out.data(), out.size(),
                                                  nullptr) == LIBDEFLATE_SUCCESS;
  libdeflate_free_decompressor(decompressor);
  return done;
}

void Register() {
  const auto deflate = [](const char* name, auto compress) {
    benchmark::RegisterBenchmark(name, [compress](benchmark::State& state) { Deflate(state, compress); })
        ->Unit(benchmark::kMillisecond);
  };
  deflate("deflate/ours", OurDeflate);
  deflate("deflate/zlib_level2", [](const std::string& data, std::string& out) { return ZlibDeflate(data, out, 2); });
  deflate("deflate/zlib_level6", [](const std::string& data, std::string& out) { return ZlibDeflate(data, out, 6); });
  deflate("deflate/libdeflate_level2",
          [](const std::string& data, std::string& out) { return Libdeflate(data, out, 2); });
  deflate("deflate/libdeflate_level6",
          [](const std::string& data, std::string& out) { return Libdeflate(data, out, 6); });

  const auto inflate = [](const char* name, auto decompress) {
    benchmark::RegisterBenchmark(name, [decompress](benchmark::State& state) { Inflate(state, decompress); })
        ->Unit(benchmark::kMillisecond);
  };
  inflate("inflate/ours", OurInflate);
  inflate("inflate/zlib", ZlibInflate);
  inflate("inflate/libdeflate", LibdeflateInflate);
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  // Same algorithm, same bytes: a difference here makes the comparison meaningless.
  const auto zlibLevel2 = [](const std::string& data, std::string& out) { return ZlibDeflate(data, out, 2); };
  if (Compressed(Corpus(), OurDeflate) != Compressed(Corpus(), zlibLevel2))
    std::fprintf(stderr, "warning: bytes differ from zlib's level 2\n");
  return palvetta::testing::RunBenchmarks(argc, argv);
}
