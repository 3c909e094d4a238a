// Detection: finding the instrument, its model, address, firmware and calibration date.
#include "core/instrument/Detection.h"

#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>
#include <tuple>

namespace halcyx::test {
namespace {

TEST(Detect, ASilentInstrumentIsAskedFiveTimesThenTheOperatorIsAsked) {
    Harness h;
    h.line.setEcho(false);
    h.op.expectQuestion(kNoResponseQuestion, "No Instrument", false);
    h.op.expectQuestion("No instrument found on COM1\nDo you want to check another COM port?",
                        "Check Instrument", true);
    EXPECT_EQ(h.detector.CheckInstrument(), CheckOutcome::ChooseAnotherPort);
    EXPECT_EQ(std::count(h.lines().begin(), h.lines().end(), "***O"), 5);
    // Each silent request is followed by the stop command at 50 ms per character.
    EXPECT_EQ(std::count(h.lines().begin(), h.lines().end(), "S"), 15);
    EXPECT_EQ(h.record.product, ProductCode::None);
    EXPECT_EQ(h.op.progress.back(), "close");
}

TEST(CheckAddressMode, AnInstrumentAnsweringAnMProbeIsFound) {
    Harness h;
    h.line.setEcho(false);
    h.line.answer({{"#M3", "\r"}, {"", "Open"}});
    ASSERT_TRUE(h.detector.CheckAddressMode());
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"#M0", "#M1", "#M2", "#M3", "***O", ""}));
    EXPECT_EQ(h.op.progress,
              (std::vector<std::string>{"show", "1:Checking Address...", "2:#M0", "2:#M1", "2:#M2",
                                        "2:#M3", "2:Instrument found at #M3", "close"}));
}

TEST(CheckAddressMode, NoiseIsNoAnswerAndARefusedClearIsReportedButFound) {
    Harness h;
    h.line.setEcho(false);
    h.line.answer({{"#M0", "\x80\xff"}, {"#K6", "K"}, {"CAOP", "BAD COMMAND"}, {"", "busy"}});
    h.op.expectMessage("Error using Command = BAD COMMAND", "Command Error", Icon::Stop);
    h.op.expectMessage("Error clearing address Mode!", "Bad Command", Icon::Stop);
    // Found, but the open-mode request that follows is refused.
    EXPECT_FALSE(h.detector.CheckAddressMode());
    EXPECT_EQ(h.lines().size(), 8u + 7u + 1u + 2u);
}

TEST(CheckAddressMode, SilenceOnEveryProbeFindsNothing) {
    Harness h;
    h.line.setEcho(false);
    EXPECT_FALSE(h.detector.CheckAddressMode());
    EXPECT_EQ(h.lines().size(), 16u);
}

TEST(Detect, ASerialNumberWithoutModelLetterAsksTheOperator) {
    SimRig h(ProductCode::Vexa3, [](auto& c) { c.identity.serialNumber = "12345"; });
    // The dialog offers the last choice; Cancel, or OK without a choice, keeps the code the
    // instrument had.
    for (const std::optional<ProductCode> answer :
         {std::optional(ProductCode::TavrinP), std::optional<ProductCode>(),
          std::optional(ProductCode::None)}) {
        h.op.expectMessage("Cannot determine instrument!", "Product Serial Number Error",
                           Icon::Stop);
        if (!answer)
            h.op.expectMessage("Instrument type Unknown!", "Instrument", Icon::Stop);
        h.chooser.answer = answer;
        ASSERT_TRUE(h.detector.Detect());
        EXPECT_EQ(h.record.product, ProductCode::TavrinP);
        EXPECT_EQ(h.record.model, "Tavrin P");
    }
    EXPECT_EQ(h.chooser.offered, (std::vector<ProductCode>{ProductCode::None, ProductCode::TavrinP,
                                                           ProductCode::TavrinP}));
}

TEST(Detect, FailedQueriesKeepTheFieldsAndANewerFirmwareNeverLeavesStaleScaledMemory) {
    SimRig h;
    ASSERT_TRUE(h.detector.Detect());
    ASSERT_TRUE(h.record.scaledMemory);

    // A second Vexa 3 whose firmware has no scaled memory.
    h.instrument().identity() = {"1700M", "1.90", "10OCT25", 1};
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_FALSE(h.record.averaging);
    EXPECT_FALSE(h.record.scaledMemory);

    // An instrument that answers open mode but refuses every identity query.
    h.instrument().faults().refused = {"S/N", "VER", "CDATE", "ADR"};
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_EQ(std::tie(h.record.serialNumber, h.record.firmware, h.record.calDate),
              std::make_tuple("1700M", "1.90", "10OCT25"));
    EXPECT_EQ(h.record.product, ProductCode::Vexa3);
}

TEST(CheckInstrument, ADeployedInstrumentIsLeftAloneWhenTheOperatorSaysNo) {
    SimRig h;
    h.record.deployed = true;
    h.op.expectQuestion(kDeployedQuestion, "Deploy", false);
    EXPECT_EQ(h.detector.CheckInstrument(), CheckOutcome::Declined);
    EXPECT_TRUE(h.record.deployed);
    EXPECT_EQ(h.received(), "");

    h.op.expectQuestion(kDeployedQuestion, "Deploy", true);
    EXPECT_EQ(h.detector.CheckInstrument(), CheckOutcome::Found);
    EXPECT_FALSE(h.record.deployed);
}

} // namespace
} // namespace halcyx::test
