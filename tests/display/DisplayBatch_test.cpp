// The display through `pivraf --batch`, where the settings file is checked:
// the colour dialog's buttons and the font chooser. The overlay listing is a
// case of tests/data/batch.
#include <gtest/gtest.h>

#include "support/BatchRun.h"

namespace {

TEST(DisplayBatch, ColourButtonsTakeAColourAndResetsAClick) {
  BatchRun b;
  const BatchResult r = b.Run(
      "command 32821 1105=#112233 1093=abc 1081=#00FF00\n"
      "command 32821 1110=click cancel\n"
      "command 32821 1105=red\n");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.out.find("error: line 3: dialog 312 control 1105 cannot take red"), std::string::npos) << r.out;
  const std::string conf = b.Read("Pivra.conf");
  EXPECT_EQ(conf.find("TextColor"), std::string::npos) << conf;  // the reset removed it, though cancelled
  EXPECT_NE(conf.find("Str1=str:abc"), std::string::npos) << conf;
  EXPECT_NE(conf.find("abc=int:65280"), std::string::npos) << conf;
}

TEST(DisplayBatch, FontChooserTakesFaceHeightAndWeight) {
  BatchRun b;
  const BatchResult r = b.Run("command 32774 font=IPA\\x20Gothic,-20,400\ncommand 32774 font=bad\n");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.out.find("error: line 2: font takes FACE,HEIGHT,WEIGHT"), std::string::npos) << r.out;
  const std::string conf = b.Read("Pivra.conf");
  EXPECT_NE(conf.find("FaceName=str:IPA Gothic"), std::string::npos) << conf;
  EXPECT_NE(conf.find("Height=int:-20"), std::string::npos) << conf;
  EXPECT_NE(conf.find("Weight=int:400"), std::string::npos) << conf;
}

}  // namespace
