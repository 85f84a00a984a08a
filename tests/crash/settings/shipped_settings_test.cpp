// The settings resource that the build makes from the shipped listing, read back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "crash/settings/form_stream.h"
#include "fake_settings_host.h"
#include "shipped_settings_check.h"

namespace palvetta {
namespace {

std::vector<uint8_t> ShippedResource() {
  std::ifstream file(PALVETTA_SHIPPED_SETTINGS, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ShippedSettingsTest, ReadsCompletelyWithOnlyTheShippedValueCodes) {
  const std::vector<uint8_t> resource = ShippedResource();
  ASSERT_GE(resource.size(), 27u);
  EXPECT_EQ(resource[resource.size() - 2], 0);  // end of the properties
  EXPECT_EQ(resource[resource.size() - 1], 0);  // end of the child objects
  std::vector<TSWProperty> props;
  EXPECT_EQ(ReadSettingsStream(resource, props).Status, fsComplete);
  EXPECT_GT(props.size(), 100u);
  EXPECT_LE(props.size(), TSWSettingsModule::kInitialCapacity);
}

TEST(ShippedSettingsTest, AnswersEveryValueOfTheTables) {
  TFakeSettingsHost host;
  host.Resources[host.Facts.Executable] = ShippedResource();
  TISWSettings settings(host.Facts.Executable, true, host);
  ExpectShippedSettings(settings, u"palvetta.exe");
}

}  // namespace
}  // namespace palvetta
