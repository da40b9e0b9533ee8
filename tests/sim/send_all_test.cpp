// The Controller's side of a send-all: records checked by the rule of their
// command, stored in wire numbers, one "stc" per step.
#include <gtest/gtest.h>

#include "link/manual_drive_code.h"
#include "memory_dump.h"
#include "sim_controller.h"
#include "sim_test_support.h"

namespace veltrano::sim {
namespace {

using testing::Ack;
using testing::At;
using testing::ConfigOf;
using testing::SendRecord;

const IdentityRequest kFull{Family::Conservatory, 32, 8, true, true, false};

std::string EraseRecord() {
    return SendRecord("rfs", {0, 1, 1, 0, 24, 0, 40, 1, 0, 67});
}
std::string DayEnd() {
    return SendRecord("rfs", {255, 0, 0, 0, 0, 0, 0, 0, 0, 255});
}
std::string SwitchTimesEnd() {
    return SendRecord("rfs", {8, 0, 0, 0, 0, 0, 0, 0, 0, 8});
}

std::string SwitchTime(int day, int motor, int slot, int up, int hour, int minute, int duration,
                       int group, int function) {
    long long sum = day + motor + slot + up + hour + minute + duration + group + function;
    if (sum > 255) sum -= 256;
    if (sum > 255) sum -= 256;
    return SendRecord("rfs", {day, motor, slot, up, hour, minute, duration, group, function, sum});
}

std::string Name(int motor, const std::string& name) {
    const std::string padded = PadName(name);
    return " rmn" + std::to_string(motor) + "\r" + padded + "\r" + padded + "\r";
}

// A per-motor record with its plain checksum.
std::string MotorRecordText(const std::string& word, int motor, std::vector<long long> fields) {
    std::string text = " " + word + std::to_string(motor) + "\r";
    long long sum = motor;
    for (long long f : fields) {
        text += std::to_string(f) + "\r";
        sum += f;
    }
    return text + std::to_string(sum) + "\r";
}

class SendAll : public ::testing::Test {
  protected:
    explicit SendAll(SimConfig config = ConfigOf(kFull))
        : sim_(config, FactoryMemory(config.identity.features.radio)) {}
    std::string Send(const std::string& bytes) { return sim_.ReceiveText(bytes, At()); }
    SimController sim_;
};

TEST_F(SendAll, FullSequenceOneAcknowledgementPerStep) {
    sim_.MutableMemory().StoreSwitchTime({3, 4, 1, 1, 5, 0, 39, 1, 0});

    EXPECT_EQ(Send(EraseRecord()), Ack(0));
    EXPECT_TRUE(sim_.Memory().switchTimes.empty());

    // Day 1: a Monday-to-Friday entry, sent once, and a single-day entry.
    EXPECT_EQ(Send(SwitchTime(1, 1, 1, 1, 6, 30, 39, 5, 0)), "");
    EXPECT_EQ(Send(SwitchTime(1, 32, 8, 0, 23, 59, 126, 1, 2)), "");
    EXPECT_EQ(Send(DayEnd()), Ack(0));
    for (int day = 2; day <= 7; ++day)
        EXPECT_EQ(Send(DayEnd()), Ack(0)) << day;
    EXPECT_EQ(Send(SwitchTimesEnd()), Ack(0));
    ASSERT_EQ(sim_.Memory().switchTimes.size(), 2u);
    EXPECT_EQ(sim_.Memory().switchTimes[0], (SwitchTimeRecord{1, 1, 1, 1, 6, 30, 39, 5, 0}));
    EXPECT_EQ(sim_.Memory().switchTimes[1], (SwitchTimeRecord{1, 32, 8, 0, 23, 59, 126, 1, 2}));

    for (int motor = 1; motor < 32; ++motor)
        EXPECT_EQ(Send(Name(motor, "Raum " + std::to_string(motor))), "");
    EXPECT_EQ(Send(Name(32, "Wintergarten Ost")), Ack(0));
    EXPECT_EQ(sim_.Memory().names[0], "Raum 1      ");
    EXPECT_EQ(sim_.Memory().names[31], "Wintergarten");

    for (int h = 1; h < 15; ++h)
        EXPECT_EQ(Send(SendRecord("rft", {h, 1, 1, h + 2})), "");
    EXPECT_EQ(Send(SendRecord("rft", {15, 24, 12, 51})), Ack(0));
    EXPECT_EQ(sim_.Memory().holidays[14], (HolidayRecord{24, 12}));

    EXPECT_EQ(Send(SendRecord("rgz", {15, 240, 0, 2147483648LL, 22})), Ack(0));
    EXPECT_EQ(sim_.Memory().groupMasks[3], 0x80000000u);

    EXPECT_EQ(Send(MotorRecordText("rjp", 32, {1, 15, 0})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rbp", 3, {1, 122, 8, 19, 40, 10})), "");
    EXPECT_EQ(Send(MotorRecordText("rbp", 32, {0, 122, 10, 20, 186, 10})), Ack(0));
    EXPECT_EQ(sim_.Memory().Record(MotorBlock::Shading, 3), (MotorRecord{1, 122, 8, 19, 40, 10}));
    EXPECT_EQ(Send(MotorRecordText("rdm", 32, {1, 11, 1, 191})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rda", 32, {1, 23, 225, 60})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rwp", 32, {1, 95})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rrp", 32, {1, 0})), Ack(0));
    EXPECT_EQ(Send(SendRecord("roa", {101, 101})), Ack(0));
    EXPECT_EQ(Send(SendRecord("raw", {20, 20})), Ack(0));
    EXPECT_EQ(Send(SendRecord("ras", {1, 6, 22})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rpp", 32, {1, 9, 20, 126, 0, 4, 90, 9})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rip", 32, {1, 0, 91, 0, 150, 191, 0, 23})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rhp", 32, {1, 0, 0, 255, 0})), Ack(0));
    EXPECT_EQ(Send(SendRecord("rhh", {9, 9})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rfp", 32, {1, 0, 99, 1, 1, 6, 20})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rap", 32, {1, 95, 2, 110, 100})), Ack(0));
    EXPECT_EQ(Send(SendRecord("roi", {95, 95})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rta ", 32, {1, 191})), Ack(0));
    EXPECT_EQ(Send(SendRecord("rbh", {138, 138})), Ack(0));
    EXPECT_EQ(Send(SendRecord("rzz", {254, 254})), Ack(0));

    const SimMemory& m = sim_.Memory();
    EXPECT_EQ(m.outsideOffset, 101);
    EXPECT_EQ(m.windDelay, 20);
    EXPECT_EQ(m.alarmUpMask, 1u);
    EXPECT_EQ(m.alarmDownMask, 6u);
    EXPECT_EQ(m.heatingHysteresis, 9);
    EXPECT_EQ(m.insideOffset, 95);
    EXPECT_EQ(m.shadingHysteresis, 138);
    EXPECT_EQ(m.randomSpan, 254);
    EXPECT_EQ(m.Record(MotorBlock::Touch, 32), (MotorRecord{1, 191}));
    EXPECT_EQ(m.Record(MotorBlock::OutsideTemp, 32), (MotorRecord{1, 95, 2, 110, 100}));
    EXPECT_EQ(sim_.AcksSent(), 31);
}

TEST_F(SendAll, WholeSendAllInOneChunkGivesEveryAcknowledgementInOrder) {
    const std::string all = EraseRecord() + DayEnd() + SwitchTimesEnd() +
                            SendRecord("rzz", {30, 30}) + SendRecord("rbh", {12, 13});
    EXPECT_EQ(Send(all), Ack(0) + Ack(0) + Ack(0) + Ack(0) + Ack(1));
}

TEST_F(SendAll, SwitchTimeChecksumIsReducedBelow256) {
    // 7 + 32 + 8 + 0 + 23 + 59 + 126 + 1 + 2 = 258: sent as 2.
    Send(SendRecord("rfs", {7, 32, 8, 0, 23, 59, 126, 1, 2, 2}));
    EXPECT_EQ(Send(DayEnd()), Ack(0));
    EXPECT_NE(sim_.Memory().FindSwitchTime(7, 32, 8), nullptr);
    // The plain sum is not accepted.
    Send(SendRecord("rfs", {7, 31, 8, 0, 23, 59, 126, 1, 2, 257}));
    EXPECT_EQ(Send(DayEnd()), Ack(1));
    EXPECT_EQ(sim_.Memory().FindSwitchTime(7, 31, 8), nullptr);
}

TEST(SwitchTimeChecksum, ReducedAtMostTwice) {
    EXPECT_EQ(SendAllReceiver::SwitchTimeChecksum(255), 255);
    EXPECT_EQ(SendAllReceiver::SwitchTimeChecksum(256), 0);
    EXPECT_EQ(SendAllReceiver::SwitchTimeChecksum(511), 255);
    EXPECT_EQ(SendAllReceiver::SwitchTimeChecksum(512), 0);
    EXPECT_EQ(SendAllReceiver::SwitchTimeChecksum(800), 288);
}

TEST_F(SendAll, EraseRecordEmptiesTheSwitchTimes) {
    Send(SwitchTime(2, 5, 1, 1, 9, 10, 126, 1, 2));
    Send(DayEnd());
    ASSERT_EQ(sim_.Memory().switchTimes.size(), 1u);
    EXPECT_EQ(Send(EraseRecord()), Ack(0));
    EXPECT_TRUE(sim_.Memory().switchTimes.empty());
}

TEST_F(SendAll, EraseWithWrongChecksumIsRefusedAndErasesNothing) {
    Send(SwitchTime(2, 5, 1, 1, 9, 10, 126, 1, 2));
    Send(DayEnd());
    EXPECT_EQ(Send(SendRecord("rfs", {0, 1, 1, 0, 24, 0, 40, 1, 0, 66})), Ack(1));
    EXPECT_EQ(sim_.Memory().switchTimes.size(), 1u);
}

TEST_F(SendAll, RefusedRecordRefusesItsStepOnlyAndKeepsThatMotor) {
    const MotorRecord before = sim_.Memory().Record(MotorBlock::Shading, 5);
    Send(MotorRecordText("rbp", 4, {1, 122, 8, 19, 40, 10}));
    Send(" rbp5\r1\r122\r8\r19\r40\r10\r202\r");  // checksum 205 expected
    EXPECT_EQ(Send(MotorRecordText("rbp", 32, {1, 122, 8, 19, 40, 10})), Ack(1));
    EXPECT_EQ(sim_.Memory().Record(MotorBlock::Shading, 5), before);
    EXPECT_EQ(sim_.Memory().Record(MotorBlock::Shading, 4), (MotorRecord{1, 122, 8, 19, 40, 10}));
    EXPECT_EQ(sim_.Memory().Record(MotorBlock::Shading, 32), (MotorRecord{1, 122, 8, 19, 40, 10}));
    EXPECT_NE(sim_.LastRefusal().find("checksum"), std::string::npos);
    EXPECT_EQ(Send(MotorRecordText("rdm", 32, {1, 11, 1, 191})), Ack(0));
}

TEST_F(SendAll, ValuesOutsideTheirWireRangeAreRefused) {
    // Brightness code 226 does not exist (1..225).
    EXPECT_EQ(Send(MotorRecordText("rdm", 32, {1, 8, 226, 40})), Ack(1));
    EXPECT_EQ(Send(MotorRecordText("rdm", 32, {1, 8, 225, 40})), Ack(0));
    EXPECT_EQ(Send(MotorRecordText("rbp", 32, {1, 122, 10, 20, 36, 10})), Ack(1));
    EXPECT_EQ(Send(MotorRecordText("rap", 32, {1, 95, 3, 110, 100})), Ack(1));
    EXPECT_EQ(Send(MotorRecordText("rwp", 32, {2, 30})), Ack(1));  // on/off is 0 or 1
    EXPECT_EQ(Send(SendRecord("rft", {15, 32, 1, 48})), Ack(1));
    EXPECT_EQ(Send(SendRecord("rbh", {51, 51})), Ack(1));
    EXPECT_EQ(Send(SendRecord("rbh", {178, 178})), Ack(0));
    EXPECT_EQ(Send(SendRecord("rzz", {1, 1})), Ack(1));
    EXPECT_EQ(Send(SendRecord("roa", {94, 94})), Ack(1));
    EXPECT_EQ(Send(SendRecord("raw", {21, 21})), Ack(1));
}

TEST_F(SendAll, MotorNumberOutsideOneTo32IsRefused) {
    Send(MotorRecordText("rrp", 33, {1, 0}));
    EXPECT_EQ(Send(MotorRecordText("rrp", 32, {1, 0})), Ack(1));
}

TEST_F(SendAll, SingleBlocksMustRepeatTheirNumber) {
    EXPECT_EQ(Send(SendRecord("rhh", {3, 4})), Ack(1));
    EXPECT_EQ(sim_.Memory().heatingHysteresis, 3);
    EXPECT_EQ(Send(SendRecord("rhh", {4, 4})), Ack(0));
    EXPECT_EQ(sim_.Memory().heatingHysteresis, 4);
}

TEST_F(SendAll, MaskBlocksEndWith22AndTakeSignedOrUnsignedMasks) {
    EXPECT_EQ(Send(SendRecord("ras", {1, 6, 21})), Ack(1));
    EXPECT_EQ(Send(SendRecord("ras", {2147483649LL, 6, 22})), Ack(0));
    EXPECT_EQ(sim_.Memory().alarmUpMask, 0x80000001u);
    EXPECT_EQ(Send(SendRecord("ras", {-2147483647LL, 6, 22})), Ack(0));
    EXPECT_EQ(sim_.Memory().alarmUpMask, 0x80000001u);
    EXPECT_EQ(Send(SendRecord("rgz", {-1, 0, 0, 4294967296LL, 22})), Ack(1));
    EXPECT_EQ(Send(SendRecord("rgz", {-1, 0, 0, 4294967295LL, 22})), Ack(0));
    EXPECT_EQ(sim_.Memory().groupMasks[0], 0xFFFFFFFFu);
}

TEST_F(SendAll, NameTextsMustAgree) {
    EXPECT_EQ(Send(" rmn32\rWintergarten\rWintergartem\r"), Ack(1));
    EXPECT_EQ(sim_.Memory().names[31], "Motor 32    ");
}

TEST_F(SendAll, BrokenLastRecordOfAStepStillAnswers) {
    // A name shorter than 12 characters: the step must not hang.
    const std::string out = Send(" rmn32\rKurz\rKurz\r" + std::string(8, ' '));
    EXPECT_EQ(out, Ack(1));
}

TEST_F(SendAll, RtaWithoutTrailingBlankIsRefused) {
    EXPECT_EQ(Send(" rta32\r1\r22\r55\r"), Ack(1));
    EXPECT_EQ(Send(" rta 32\r1\r22\r55\r"), Ack(0));
}

TEST_F(SendAll, DayGroupEntryIsStoredOnceUnderItsFirstDay) {
    Send(SwitchTime(1, 2, 1, 1, 7, 0, 45, 7, 0));
    Send(DayEnd());
    ASSERT_EQ(sim_.Memory().switchTimes.size(), 1u);
    EXPECT_EQ(sim_.Memory().switchTimes[0].day, 1);
    EXPECT_EQ(sim_.Memory().switchTimes[0].dayGroup, 7);
}

TEST_F(SendAll, SwitchTimeMemoryHolds240Entries) {
    int stored = 0;
    for (int motor = 1; motor <= 32 && stored < 240; ++motor)
        for (int slot = 1; slot <= 8 && stored < 240; ++slot, ++stored)
            Send(SwitchTime(1 + stored % 7, motor, slot, 1, 6, 0, 39, 1, 0));
    EXPECT_EQ(Send(DayEnd()), Ack(0));
    ASSERT_EQ(sim_.Memory().switchTimes.size(), 240u);
    Send(SwitchTime(7, 32, 8, 1, 6, 0, 39, 1, 0));
    EXPECT_EQ(Send(DayEnd()), Ack(1));
    // Replacing a stored entry needs no room.
    Send(SwitchTime(1, 1, 1, 0, 7, 0, 39, 1, 0));
    EXPECT_EQ(Send(DayEnd()), Ack(0));
}

TEST(SendAllSmallController, SwitchTimesBeyondItsMotorsAndSlotsAreRefused) {
    SimConfig config = ConfigOf({Family::Roller, 8, 4});
    SimController sim(config, FactoryMemory(false));
    sim.ReceiveText(SwitchTime(1, 9, 1, 1, 6, 0, 39, 1, 0), At());
    EXPECT_EQ(sim.ReceiveText(DayEnd(), At()), Ack(1));
    sim.ReceiveText(SwitchTime(1, 8, 5, 1, 6, 0, 39, 1, 0), At());
    EXPECT_EQ(sim.ReceiveText(DayEnd(), At()), Ack(1));
    sim.ReceiveText(SwitchTime(1, 8, 4, 1, 6, 0, 39, 1, 0), At());
    EXPECT_EQ(sim.ReceiveText(DayEnd(), At()), Ack(0));
    // Per-motor records of motor 32 are still taken: the program always
    // sends the last motor.
    EXPECT_EQ(sim.ReceiveText(MotorRecordText("rjp", 32, {1, 15, 0}), At()), Ack(0));
}

TEST(SendAllRadio, TouchRunTimeCarriesTheRadioOffset) {
    SimConfig config = ConfigOf({Family::Roller, 32, 8, true, false, true});
    SimController sim(config, FactoryMemory(true));
    EXPECT_EQ(sim.ReceiveText(MotorRecordText("rta ", 32, {1, 22}), At()), Ack(1));
    EXPECT_EQ(sim.ReceiveText(MotorRecordText("rta ", 32, {1, 70}), At()), Ack(0));
    EXPECT_EQ(sim.Memory().Record(MotorBlock::Touch, 32), (MotorRecord{1, 70}));
}

TEST(SendAllRefuseOnDemand, TheNamedStepIsRefusedAndNotStored) {
    SimConfig config = ConfigOf(kFull);
    config.refusedWords = {"rbp", "rfs"};
    SimController sim(config, FactoryMemory(false));
    EXPECT_EQ(sim.ReceiveText(EraseRecord(), At()), Ack(1));
    const MotorRecord before = sim.Memory().Record(MotorBlock::Shading, 32);
    EXPECT_EQ(sim.ReceiveText(MotorRecordText("rbp", 32, {1, 122, 8, 19, 40, 10}), At()), Ack(1));
    EXPECT_EQ(sim.Memory().Record(MotorBlock::Shading, 32), before);
    EXPECT_EQ(sim.ReceiveText(MotorRecordText("rdm", 32, {1, 11, 1, 191}), At()), Ack(0));
}

TEST(SendAllSplit, EveryChunkingGivesTheSameAcknowledgementsAndMemory) {
    const std::string all = EraseRecord() + SwitchTime(6, 1, 1, 1, 8, 0, 39, 2, 0) + DayEnd() +
                            SwitchTimesEnd() +
                            Name(32,
                                 "Gaube S\xFC"
                                 "d") +
                            MotorRecordText("rta ", 32, {1, 191}) +
                            SendRecord("rgz", {15, 240, 0, 4294967295LL, 22}) + "smo\r";
    SimController reference(ConfigOf(kFull), FactoryMemory(false));
    const std::string expected = reference.ReceiveText(all, At());
    ASSERT_EQ(expected, Ack(0) + Ack(0) + Ack(0) + Ack(0) + Ack(0) + Ack(0) +
                            "start_smoQVS-900 W K:9WTGende_");
    for (std::size_t cut = 1; cut < all.size(); ++cut) {
        SimController sim(ConfigOf(kFull), FactoryMemory(false));
        std::string got = sim.ReceiveText(all.substr(0, cut), At());
        got += sim.ReceiveText(all.substr(cut), At());
        ASSERT_EQ(got, expected) << "cut at " << cut;
        ASSERT_EQ(sim.Memory(), reference.Memory()) << "cut at " << cut;
    }
}

TEST(ManualDrive, MasksFollowTheCommands) {
    SimController sim(ConfigOf(kFull), FactoryMemory(false));
    const std::string code = kManualDriveConfirmationCode;
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs0,0,ende_");
    EXPECT_EQ(sim.ReceiveText(" rhi\r", At()), "");
    EXPECT_TRUE(sim.ManualMode());
    // The second write of a click, with its stray " + sti": no time answer.
    EXPECT_EQ(sim.ReceiveText(" rhb21\r", At()), "");
    EXPECT_EQ(sim.ReceiveText("down\r" + code + "\r + sti\r", At()), "");
    sim.ReceiveText(" rhb1\rup\r" + code + "\r + sti\r", At());
    sim.ReceiveText(" rhb3\rup\r" + code + "\r + sti\r", At());
    sim.ReceiveText(" rhb32\rup\r" + code + "\r + sti\r", At());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs2147483653,1048576,ende_");
    sim.ReceiveText(" rhb3\roff\r" + code + "\r + sti\r", At());
    sim.ReceiveText(" rhb1\rdown\r" + code + "\r + sti\r", At());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs2147483648,1048577,ende_");
    EXPECT_EQ(sim.ReceiveText(" rhe\r", At()), "");
    EXPECT_FALSE(sim.ManualMode());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs0,0,ende_");
}

TEST(ManualDrive, WrongCodeOrMotorIsIgnored) {
    SimController sim(ConfigOf({Family::Roller, 8, 8}), FactoryMemory(false));
    sim.ReceiveText(" rhi\r", At());
    sim.ReceiveText(" rhb2\rup\r000\r + sti\r", At());
    sim.ReceiveText(" rhb9\rup\r" + std::string(kManualDriveConfirmationCode) + "\r + sti\r", At());
    sim.ReceiveText(" rhb2\rsideways\r" + std::string(kManualDriveConfirmationCode) + "\r", At());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs0,0,ende_");
}

TEST(ManualDrive, SignedMasksOnRequest) {
    SimConfig config = ConfigOf(kFull);
    config.signedMasks = true;
    SimController sim(config, FactoryMemory(false));
    sim.ReceiveText(
        " rhi\r rhb32\rdown\r" + std::string(kManualDriveConfirmationCode) + "\r + sti\r", At());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs0,-2147483648,ende_");
}

TEST(ManualDrive, OnlyInManualModeAndKeptInTheDump) {
    SimController sim(ConfigOf(kFull), FactoryMemory(false));
    const std::string drive =
        " rhb21\rdown\r" + std::string(kManualDriveConfirmationCode) + "\r + sti\r";
    // Without " rhi" a drive changes nothing.
    sim.ReceiveText(drive, At());
    EXPECT_EQ(sim.ReceiveText("srs\r", At()), "start_srs0,0,ende_");
    sim.ReceiveText(" rhi\r" + drive, At());
    const std::string dump = FormatMemoryDump(sim.Memory());
    EXPECT_NE(dump.find("\nsrs 0 1048576\n"), std::string::npos);
    EXPECT_NE(dump.find("\nmanual 1\n"), std::string::npos);
    // A loaded dump starts with its running motors and its mode.
    SimController loaded(ConfigOf(kFull), ParseMemoryDump("srs 5 2\nmanual 1\n"));
    EXPECT_TRUE(loaded.ManualMode());
    EXPECT_EQ(loaded.ReceiveText("srs\r", At()), "start_srs5,2,ende_");
    EXPECT_THROW(ParseMemoryDump("manual 2\n"), std::runtime_error);
}

}  // namespace
}  // namespace veltrano::sim
