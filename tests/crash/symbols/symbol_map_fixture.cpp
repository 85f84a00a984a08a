#include "symbol_map_fixture.h"

namespace palvetta {

TMapFile SampleSymbolMap(bool codeOnly) {
  TMapFile map(codeOnly);
  map.SetRanges(TCodeRanges{kSampleImageBase, kSampleCodeBase, kSampleTopOfCode, kSampleDataBase,
                            kSampleDataBase + 0x100});
  map.AddSegment(true, true, false, false, "gamma.cpp", 0x100, 0x100);
  map.AddSegment(true, true, false, false, "alpha.cpp", 0x40, 0x00);
  map.AddSegment(true, true, false, false, "beta.cpp", 0x40, 0x40);
  map.AddSegment(false, true, false, false, "globals.cpp", 0x10, 0x00);
  map.SortSegments();
  map.AddPublic(true, "Alpha()", 0x00, true);
  map.AddPublic(true, "AlphaHelper(int)", 0x20, true);
  map.AddPublic(true, "Beta()", 0x40, true);
  map.AddPublic(true, "ns::Gamma::Run()", 0x100, true);
  map.AddPublic(false, "gCounter", 0x08, true);
  map.SortPublics();
  map.AddLine(10, kSampleCodeBase + 0x00, false);
  map.AddLine(11, kSampleCodeBase + 0x08, false);
  map.AddLine(30, kSampleCodeBase + 0x20, false);
  map.AddLine(5, kSampleCodeBase + 0x40, false);
  map.AddLine(7, kSampleCodeBase + 0x100, false);
  map.AddLine(9, kSampleCodeBase + 0x180, false);
  map.SortLines();
  map.SetEntryPoint(kSampleCodeBase + 0x40);
  map.SetValid(true);
  return map;
}

}  // namespace palvetta
