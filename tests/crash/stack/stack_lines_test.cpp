#include "crash/stack/stack_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/checksums.h"

namespace palvetta {
namespace {

TStackFrame Frame(uint64_t addr, uint64_t publicAddr, const char* module, const char* unit, int32_t line,
                  const char* name) {
  TStackFrame frame;
  frame.Addr = addr;
  frame.PublicAddr = publicAddr;
  frame.ModuleName = module;
  frame.UnitName = unit;
  frame.Line = line;
  frame.PublicName = name;
  return frame;
}

std::vector<TStackFrame> SampleStack(uint64_t shift = 0) {
  std::vector<TStackFrame> frames{
      Frame(shift + 0x140001234, shift + 0x140001200, "palvetta.exe", "main.cpp", 42, "Crash()"),
      Frame(shift + 0x1400015a0, shift + 0x140001500, "palvetta.exe", "window.cpp", 1207, "TWindow::Run()"),
      Frame(0x7ffa00012345, 0x7ffa00012000, "kernel32.dll", "", 0, "BaseThreadInitThunk"),
  };
  frames[0].TopItem = true;
  return frames;
}

TEST(StackLines, ColumnsOfPlainLines) {
  const TStackText text = ComposeStackText(SampleStack(), {});
  EXPECT_EQ(text.Text,
            "0000000140001234 palvetta.exe main.cpp     42 Crash()\r\n"
            "00000001400015a0 palvetta.exe window.cpp 1207 TWindow::Run()\r\n"
            "00007ffa00012345 kernel32.dll                 BaseThreadInitThunk");
  EXPECT_TRUE(text.HasLines);
  ASSERT_EQ(text.Items.size(), 3u);
  EXPECT_EQ(text.Items[1].relAddr, 0xa0u);
  EXPECT_EQ(text.Items[1].relLine, 1207);
  EXPECT_EQ(text.Items[1].FunctionName, "TWindow::Run()");
}

TEST(StackLines, RelativeAddressesAndLines) {
  std::vector<TStackFrame> frames = SampleStack();
  MakeLineRelative(frames[0], 40);
  MakeLineRelative(frames[1], 1200);
  MakeLineRelative(frames[2], 10);  // no line: stays as it is
  const TStackText text = ComposeStackText(frames, {false, true, true});
  EXPECT_EQ(text.Text,
            "0000000140001234 +034 palvetta.exe main.cpp     42 +2 Crash()\r\n"
            "00000001400015a0 +0a0 palvetta.exe window.cpp 1207 +7 TWindow::Run()\r\n"
            "00007ffa00012345 +345 kernel32.dll                    BaseThreadInitThunk");
  EXPECT_EQ(text.Items[0].Line, 42);
  EXPECT_EQ(text.Items[0].relLine, 2);
  // Without relative lines asked for, the relative number shows without "+".
  EXPECT_NE(ComposeStackText(frames, {false, true, false}).Text.find("main.cpp     42 2 Crash()"), std::string::npos);
}

TEST(StackLines, WhichFramesAreShown) {
  std::vector<TStackFrame> frames = SampleStack();
  frames.insert(frames.begin() + 1, Frame(0x140001234, 0x140001200, "palvetta.exe", "main.cpp", 42, "Crash()"));
  frames.insert(frames.begin() + 2, Frame(0x7ffa00099999, 0, "???", "", 0, ""));  // nameless
  TStackFrame creation = Frame(0x7ffa00055555, 0x7ffa00055000, "ntdll.dll", "", 0, "RtlUserThreadStart");
  creation.CreationItem = true;
  frames.push_back(creation);

  const TStackText all = ComposeStackText(frames, {});
  ASSERT_EQ(all.Items.size(), 4u);  // the repeated address once, the nameless one never
  EXPECT_EQ(all.Items[2].FunctionName, "BaseThreadInitThunk");

  const TStackText tidy = ComposeStackText(frames, {true, false, false});
  ASSERT_EQ(tidy.Items.size(), 3u);  // frames without lines go, but not the thread's creation frame
  EXPECT_EQ(tidy.Items[2].FunctionName, "RtlUserThreadStart");

  std::vector<TStackFrame> unknownTop{Frame(0x1234, 0, "???", "", 0, "")};
  unknownTop[0].TopItem = true;
  const TStackText top = ComposeStackText(unknownTop, {true, true, true});
  EXPECT_EQ(top.Text, "0000000000001234 ???  ");
  EXPECT_FALSE(top.HasLines);
  EXPECT_EQ(ComposeStackText({}, {}).Text, "");
}

uint32_t NameCrc(uint32_t crc, const std::u16string& text) {
  return Crc32Update(crc, text.data(), text.size() * 2);
}

TEST(StackLines, ChecksumsNameTheCallStackNotItsLoadAddresses) {
  const TStackText text = ComposeStackText(SampleStack(), {});
  uint32_t first = NameCrc(NameCrc(NameCrc(0x34, u"palvetta.exe"), u"main.cpp"), u"crash()");
  EXPECT_EQ(text.Checksum1, first);
  uint32_t second = NameCrc(NameCrc(NameCrc(0xa0, u"palvetta.exe"), u"window.cpp"), u"twindow::run()");
  uint32_t third = NameCrc(NameCrc(0x345, u"kernel32.dll"), u"basethreadinitthunk");
  uint32_t chain = Crc32Update(first, &second, 4);
  chain = Crc32Update(chain, &third, 4);
  EXPECT_EQ(text.Checksum2, chain);

  // The program loaded elsewhere, and with names in other case: the same sums.
  std::vector<TStackFrame> moved = SampleStack(0x10000000);
  moved[0].ModuleName = "PALVETTA.EXE";
  const TStackText again = ComposeStackText(moved, {false, true, true});
  EXPECT_EQ(again.Checksum1, text.Checksum1);
  EXPECT_EQ(again.Checksum2, text.Checksum2);

  // A different innermost function changes both; a different outer one only the second.
  std::vector<TStackFrame> other = SampleStack();
  other[2].PublicName = "RtlUserThreadStart";
  const TStackText changed = ComposeStackText(other, {});
  EXPECT_EQ(changed.Checksum1, text.Checksum1);
  EXPECT_NE(changed.Checksum2, text.Checksum2);
}

}  // namespace
}  // namespace palvetta
