// The stack tracer's analysis of captured candidates, on a synthetic program.
#include "crash/stack/stack_tracer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "synthetic_program.h"

namespace palvetta {
namespace {

using P = TSyntheticProgram;

class StackTracerTest : public ::testing::Test {
 protected:
  TTraceResult Trace(const std::vector<TStackCandidate>& collected, uint64_t current = P::kLeafInside) {
    Request.Collected = collected;
    Request.CurrentAddress = current;
    return Tracer.Trace(Request, Program.Sources());
  }
  static std::vector<std::string> Names(const TTraceResult& result) {
    std::vector<std::string> names;
    for (const TStackItem& item : result.Stack.Items) names.push_back(item.FunctionName);
    return names;
  }
  using Names_t = std::vector<std::string>;

  TSyntheticProgram Program;
  TStackTracer Tracer;
  TTraceRequest Request;
};

TEST_F(StackTracerTest, ExactFramesAreNamedWithTheirCallsAndLines) {
  const TTraceResult result =
      Trace({Slot(P::kMainReturn, true), Slot(P::kWorkReturn, true), Slot(P::kInnerReturn, true)});
  SCOPED_TRACE(result.Stack.Text);
  EXPECT_EQ(Names(result), (Names_t{"Leaf()", "Inner()", "Work()", "Main()"}));
  ASSERT_EQ(result.Stack.Items.size(), 4u);
  EXPECT_EQ(result.Stack.Items[0].Addr, P::kLeafInside);
  EXPECT_EQ(result.Stack.Items[1].Addr, P::kInner);  // the call instruction, not the return address
  EXPECT_EQ(result.Stack.Items[1].ModuleName, "program.exe");
  EXPECT_EQ(result.Stack.Items[1].UnitName, "program.cpp");
  EXPECT_EQ(result.Stack.Items[1].relLine, 40);
  EXPECT_EQ(result.InnermostAddr, P::kLeafInside);
  EXPECT_EQ(result.FunctionStart, P::kLeaf);
  EXPECT_EQ(result.Location, P::kLeafInside);
  EXPECT_TRUE(result.Stack.HasLines);
}

TEST_F(StackTracerTest, ScannedStretchKeepsTheLinkedChainAndDropsStaleFrames) {
  // Between the outermost anchor and the current address only the scan speaks: Decoy's
  // return address is a real call site, but no call of Work's chain leads to it.
  const std::vector<TStackCandidate> collected = {Slot(P::kMainReturn, true), Slot(P::kWorkReturn),
                                                  Slot(P::kDecoyReturn), Slot(P::kInnerReturn)};
  const TTraceResult chosen = Trace(collected);
  SCOPED_TRACE(chosen.Stack.Text);
  EXPECT_EQ(Names(chosen), (Names_t{"Leaf()", "Inner()", "Work()", "Main()"}));

  Request.NoChainSelection = true;
  EXPECT_EQ(Names(Trace(collected)), (Names_t{"Leaf()", "Inner()", "Decoy()", "Work()", "Main()"}));
}

TEST_F(StackTracerTest, TheChainThroughKnownFunctionsBeatsOneThroughAnUnknownCall) {
  // Dispatch called Indirect (which called something through a register) before it called
  // Work, and left that stretch in its own frame, outside its call of Work: both stretches
  // link Starter's frame to the current address, but only one through functions whose
  // calls are known. The other comes first, so only its lower quality rules it out.
  const std::vector<TStackCandidate> collected = {
      Slot(P::kStarterReturn, true), Slot(P::kDispatchIndirectReturn), Slot(P::kIndirectReturn),
      Slot(P::kDispatchWorkReturn),  Slot(P::kWorkReturn),              Slot(P::kInnerReturn)};
  const TTraceResult chosen = Trace(collected);
  SCOPED_TRACE(chosen.Stack.Text);
  EXPECT_EQ(Names(chosen), (Names_t{"Leaf()", "Inner()", "Work()", "Dispatch()", "Starter()"}));

  Request.NoChainSelection = true;
  EXPECT_EQ(Names(Trace(collected)),
            (Names_t{"Leaf()", "Inner()", "Work()", "Dispatch()", "Indirect()", "Dispatch()", "Starter()"}));
}

TEST_F(StackTracerTest, BytesThatOnlyLookLikeACallAreNoFrame) {
  const TTraceResult result = Trace({Slot(P::kMainReturn, true), Slot(P::kFakeReturn), Slot(P::kWorkReturn)});
  SCOPED_TRACE(result.Stack.Text);
  EXPECT_EQ(Names(result), (Names_t{"Leaf()", "Work()", "Main()"}));
}

TEST_F(StackTracerTest, RecursionIsShownOnceUnlessRaw) {
  std::vector<TStackCandidate> deep = {Slot(P::kMainReturn, true)};
  for (int i = 0; i < 6; ++i) deep.push_back(Slot(P::kRecurseReturn, true));
  EXPECT_EQ(Names(Trace(deep, P::kRecurse + 5)), (Names_t{"Recurse(int)", "Recurse(int)", "Main()"}));

  // A block of two frames repeated; raw mode keeps every accepted candidate.
  const std::vector<TStackCandidate> blocks = {Slot(P::kMainReturn, true), Slot(P::kWorkReturn, true),
                                               Slot(P::kInnerReturn, true), Slot(P::kWorkReturn, true),
                                               Slot(P::kInnerReturn, true)};
  EXPECT_EQ(Names(Trace(blocks)), (Names_t{"Leaf()", "Inner()", "Work()", "Main()"}));
  Request.RawMode = true;
  EXPECT_EQ(Names(Trace(blocks)), (Names_t{"Leaf()", "Inner()", "Work()", "Inner()", "Work()", "Main()"}));
}

TEST_F(StackTracerTest, ExceptionBehindACallOfARaisingRoutineIsShownAtTheCall) {
  Request.ExceptionFlag = true;
  const TTraceResult moved = Trace({Slot(P::kMainReturn, true)}, P::kRaiserReturn);
  ASSERT_FALSE(moved.Stack.Items.empty());
  EXPECT_EQ(moved.Stack.Items[0].Addr, P::kRaiser);

  Request.ExactAddress = true;
  const TTraceResult exact = Trace({Slot(P::kMainReturn, true)}, P::kRaiserReturn);
  ASSERT_FALSE(exact.Stack.Items.empty());
  EXPECT_EQ(exact.Stack.Items[0].Addr, P::kRaiserReturn);
}

TEST_F(StackTracerTest, AnExceptionAddressTheCodeDoesNotConfirmStaysTheFrameAddress) {
  // Inside an instruction (a damaged jump went there): the fault is still shown where it
  // happened, not at whatever would follow it.
  Request.ExceptionFlag = true;
  const TTraceResult result = Trace({Slot(P::kMainReturn, true)}, P::kLooksLikeCall + 2);
  ASSERT_FALSE(result.Stack.Items.empty());
  EXPECT_EQ(result.Stack.Items[0].Addr, P::kLooksLikeCall + 2);
  EXPECT_EQ(result.Stack.Items[0].FunctionName, "LooksLikeCall()");
}

TEST_F(StackTracerTest, RunTimeFramesAreHidden) {
  // A C++ termination: the throw routine and what it called are the run time's.
  Request.CxxTermination = true;
  const std::vector<TStackCandidate> collected = {Slot(P::kMainReturn, true), Slot(P::kRaiserReturn, true),
                                                  Slot(P::kThrowReturn, true)};
  EXPECT_EQ(Names(Trace(collected)), (Names_t{"Raiser()", "Main()"}));
  Request.CxxTermination = false;
  EXPECT_EQ(Names(Trace(collected)), (Names_t{"Leaf()", "__cxa_throw", "Raiser()", "Main()"}));
}

TEST_F(StackTracerTest, FirstAddressIsTheOutermostFrameAndAlwaysShown) {
  Request.FirstAddress = P::kDecoyReturn;
  Request.Lines.HideUglyItems = true;
  const TTraceResult result = Trace({Slot(P::kMainReturn, true)});
  EXPECT_EQ(Names(result), (Names_t{"Leaf()", "Main()", "Decoy()"}));
}

TEST_F(StackTracerTest, ModulesWithMinimalDebugInformationAreListedOnce) {
  Program.SetMinDebugInfo("build 7");
  const TTraceResult result = Trace({Slot(P::kMainReturn, true), Slot(P::kWorkReturn, true)});
  EXPECT_EQ(result.DebugInfo, (std::vector<std::string>{"program.exe|build 7"}));
}

TEST_F(StackTracerTest, AFailingStepGivesItsNameAndTheExceptionLocation) {
  Program.Break();
  Request.ExceptionFlag = true;
  Request.FormatLine = [](uint64_t address) { return "line of " + std::to_string(address); };
  const TTraceResult result = Trace({Slot(P::kMainReturn, true)});
  EXPECT_EQ(result.Stack.Text, ">> internal error in CollectPossibleStackItems\r\n>> original exception location: \r\n"
                               "line of " + std::to_string(P::kLeafInside));
  EXPECT_TRUE(result.Stack.Items.empty());
}

class TRecordedProgress final : public IProgressPosition {
 public:
  void SetPosition(int position) override { Positions.push_back(position); }
  std::vector<int> Positions;
};

TEST_F(StackTracerTest, ProgressRisesToTheEndAndAnAbortLeavesNothing) {
  TRecordedProgress progress;
  Request.Progress = &progress;
  const std::vector<TStackCandidate> collected = {Slot(P::kMainReturn, true), Slot(P::kWorkReturn),
                                                  Slot(P::kDecoyReturn), Slot(P::kInnerReturn)};
  Trace(collected);
  ASSERT_FALSE(progress.Positions.empty());
  EXPECT_TRUE(std::is_sorted(progress.Positions.begin(), progress.Positions.end()));
  EXPECT_EQ(progress.Positions.back(), 1000);

  std::atomic<bool> abort{true};
  Request.Abort = &abort;
  EXPECT_EQ(Trace(collected).Stack.Text, "");
}

TEST_F(StackTracerTest, AReplacedModuleIsAnalysedAgain) {
  const std::vector<TStackCandidate> collected = {Slot(P::kMainReturn, true), Slot(P::kWorkReturn, true)};
  Trace(collected);
  const size_t analysed = Tracer.Functions().Count();
  Program.Replace();
  const TTraceResult again = Trace(collected);
  EXPECT_GT(Tracer.Functions().Count(), analysed);
  EXPECT_EQ(Names(again), (Names_t{"Leaf()", "Work()", "Main()"}));
}

TEST_F(StackTracerTest, SameStackSameChecksums) {
  const std::vector<TStackCandidate> collected = {Slot(P::kMainReturn, true), Slot(P::kWorkReturn, true)};
  const TTraceResult a = Trace(collected);
  const TTraceResult b = Trace(collected);
  EXPECT_EQ(a.Stack.Checksum1, b.Stack.Checksum1);
  EXPECT_EQ(a.Stack.Checksum2, b.Stack.Checksum2);
  const TTraceResult other = Trace({Slot(P::kMainReturn, true), Slot(P::kDecoyReturn, true)});
  EXPECT_NE(a.Stack.Checksum2, other.Stack.Checksum2);
}

}  // namespace
}  // namespace palvetta
