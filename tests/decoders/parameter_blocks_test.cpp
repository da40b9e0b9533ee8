#include "decoder_fixture.h"

namespace veltrano {
namespace {

using testing::DecoderTest;
using testing::WithChecksum;

// --- Motor names ---------------------------------------------------------------

TEST_F(DecoderTest, MotorNameIsTakenUnchangedFromWindows1252) {
    Receive("smn",
            "05,K\xFC"
            "che  ");
    EXPECT_EQ(model.motorName(5), "Küche  ") << "trailing blanks belong to the name";
    ASSERT_EQ(window.nameItems.size(), 1u);
    EXPECT_EQ(window.nameItems[0], std::make_pair(5, std::string("Küche  ")));
    EXPECT_EQ(window.panels[6], "Motor-Namen");
    EXPECT_TRUE(window.row6.empty()) << "names leave the switching-time lists alone";

    Receive("smn",
            "32,  Gro\xDF"
            "e T\xFCr, links");
    EXPECT_EQ(model.motorName(32), "  Große Tür, links") << "text after the first comma";
    Receive("smn", "7,");
    EXPECT_EQ(model.motorName(7), "");
}

TEST_F(DecoderTest, MotorNameOfAMotorTheModelLacksIsDroppedSilently) {
    const ConfigurationModel before = model;
    Receive("smn", "00,Null");
    Receive("smn", "33,Zuviel");
    Receive("smn", "-1,Negativ");
    EXPECT_EQ(model, before);
    EXPECT_TRUE(window.nameItems.empty());
    EXPECT_EQ(window.panels[5], "");
}

TEST_F(DecoderTest, MotorNameWithoutANumberIsADataError) {
    const ConfigurationModel before = model;
    Receive("smn", "Wohnen");
    EXPECT_EQ(window.panels[5], "Datenfehler smn");
    window.panels[5].clear();
    Receive("smn", "0x,Wohnen");
    EXPECT_EQ(window.panels[5], "Datenfehler smn");
    EXPECT_EQ(model, before);
}

// --- Holidays --------------------------------------------------------------------

TEST_F(DecoderTest, HolidayIsStoredAndTheLastOneRedrawsTheFields) {
    Receive("sft", WithChecksum({3, 24, 12}));
    EXPECT_EQ(model.holiday(3), (Holiday{24, 12}));
    EXPECT_EQ(window.panels[6], "Feiertage");
    EXPECT_EQ(window.row6.back(), "    Lese Daten von Steuerung ... Feiertage");
    EXPECT_EQ(window.Calls("RedrawHolidayFields"), 0);
    Receive("sft", WithChecksum({15, 31, 1}));
    EXPECT_EQ(model.holiday(15), (Holiday{31, 1}));
    EXPECT_EQ(window.Calls("RedrawHolidayFields"), 1);
    EXPECT_EQ(window.panels[5], "");
}

TEST_F(DecoderTest, HolidayWithBadChecksumOrNumberIsNotStored) {
    const ConfigurationModel before = model;
    Receive("sft", WithChecksum({15, 24, 12}, 1));
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Fehler Feiertage");
    EXPECT_EQ(window.Calls("RedrawHolidayFields"), 1) << "holiday 15 redraws, valid or not";

    for (std::int64_t number : {0, 16, -15}) {
        window.panels[5].clear();
        Receive("sft", WithChecksum({number, 1, 5}));
        EXPECT_EQ(model, before);
        EXPECT_EQ(window.panels[5], "Fehler Feiertage");
    }
    EXPECT_EQ(window.Calls("RedrawHolidayFields"), 1);
}

TEST_F(DecoderTest, HolidayDateOutsideTheCalendarIsKeptAsReceived) {
    Receive("sft", WithChecksum({1, 0, 13}));
    EXPECT_EQ(model.holiday(1), (Holiday{0, 13}));
    EXPECT_EQ(HolidayFieldText(model.holiday(1)), "       00.13.");
}

// --- Alarm set-up, manual states ------------------------------------------------

TEST_F(DecoderTest, AlarmSetupMasksGiveUpDownAndNoAction) {
    model.alarmPattern(20) = kAlarmDown;
    Receive("sas", "5,6,");
    EXPECT_EQ(model.alarmPattern(1), kAlarmUp);
    EXPECT_EQ(model.alarmPattern(2), kAlarmDown);
    EXPECT_EQ(model.alarmPattern(3), kAlarmDown) << "down wins";
    for (int m = 4; m <= 32; ++m)
        EXPECT_EQ(model.alarmPattern(m), kAlarmNoAction) << m;
    EXPECT_EQ(window.alarmBanks, std::vector<int>{1});
    EXPECT_EQ(window.panels[6], "Alarm Setup");
    EXPECT_EQ(window.row6.back(), "    Lese Daten von Steuerung ... Alarm Setup");
}

TEST_F(DecoderTest, MasksAreReadUnsignedAndSigned) {
    Receive("sas", "2147483648,0,");
    EXPECT_EQ(model.alarmPattern(32), kAlarmUp);
    EXPECT_EQ(model.alarmPattern(31), kAlarmNoAction);
    Receive("sas", "0,-2147483648,");
    EXPECT_EQ(model.alarmPattern(32), kAlarmDown);
    Receive("sas", "4294967295,0,");
    for (int m = 1; m <= 32; ++m)
        EXPECT_EQ(model.alarmPattern(m), kAlarmUp) << m;
    Receive("sas", "0,-1,");
    for (int m = 1; m <= 32; ++m)
        EXPECT_EQ(model.alarmPattern(m), kAlarmDown) << m;

    const ConfigurationModel before = model;
    Receive("sas", "4294967296,0,");
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Datenfehler sas");
}

TEST_F(DecoderTest, ManualStatesHaveNoCaptionAndRedrawTheReportedBank) {
    window.panels[6] = "vorher";
    Receive("srs", "1,3221225472,");  // motor 1 up; motors 31, 32 down
    EXPECT_EQ(model.manualState(1), kManualUp);
    EXPECT_EQ(model.manualState(2), kManualOff);
    EXPECT_EQ(model.manualState(31), kManualDown);
    EXPECT_EQ(model.manualState(32), kManualDown);
    EXPECT_EQ(window.panels[6], "vorher");
    EXPECT_TRUE(window.row6.empty());
    EXPECT_EQ(window.Calls("ShowReportedBank"), 1);
    EXPECT_EQ(model.alarmPattern(1), kAlarmNoAction) << "alarm patterns are not touched";
    Receive("srs", "");
    for (int m = 1; m <= 32; ++m)
        EXPECT_EQ(model.manualState(m), kManualOff) << m;
}

// --- Group central control -------------------------------------------------------

TEST_F(DecoderTest, GroupMasksSplitIntoBankBytes) {
    Receive("sgz", "67305985,0,2147483649,4294967295,");  // 0x04030201
    EXPECT_EQ(model.groupMask(1, 1), 1);
    EXPECT_EQ(model.groupMask(2, 1), 2);
    EXPECT_EQ(model.groupMask(3, 1), 3);
    EXPECT_EQ(model.groupMask(4, 1), 4);
    for (int bank = 1; bank <= 4; ++bank) {
        EXPECT_EQ(model.groupMask(bank, 2), 0);
        EXPECT_EQ(model.groupMask(bank, 4), 255);
    }
    EXPECT_EQ(model.groupMask(1, 3), 1);
    EXPECT_EQ(model.groupMask(4, 3), 128);
    EXPECT_EQ(model.GroupMotorMask(3), 2147483649u);
    EXPECT_EQ(window.Calls("LoadGroupCheckBoxes"), 1);
    EXPECT_EQ(window.panels[6], "Gruppen-Zentralsteuerung");
    EXPECT_EQ(window.row6.back(), "    Lese Daten von Steuerung ... Gruppen-Zentralsteuerung");

    Receive("sgz", "-1,-2147483648,0,0,");
    EXPECT_EQ(model.GroupMotorMask(1), 4294967295u);
    EXPECT_EQ(model.GroupMotorMask(2), 2147483648u);
}

// --- Single parameters -------------------------------------------------------------

TEST_F(DecoderTest, SingleParametersStoreTheirCodesAndSelectTheItems) {
    window.panels[6] = "vorher";
    Receive("szz", "30,");
    Receive("sbh", "138,");
    Receive("soa", "100,");
    Receive("soi", "97,");
    Receive("shh", "3,");
    Receive("saw", "7,");
    const GeneralParameters& p = model.Parameters;
    EXPECT_EQ(p.RandomSpanCode, 28);
    EXPECT_TRUE(p.SoftGzsActive);
    EXPECT_EQ(p.ShadingHysteresisCode, 8);
    EXPECT_EQ(p.OutsideTempOffsetCode, 5);
    EXPECT_EQ(p.InsideTempOffsetCode, 2);
    EXPECT_EQ(p.HeatingHysteresisCode, 2);
    EXPECT_EQ(p.WindDelayCode, 7);
    const std::vector<std::pair<ParameterControl, int>> expected = {
        {ParameterControl::ZufallsZeitspanne, 28},
        {ParameterControl::BeschattungsHysterese, 8},
        {ParameterControl::OffsetAussentemperatur, 5},
        {ParameterControl::OffsetInnentemperatur, 2},
        {ParameterControl::Heiz_Hysterese, 2},
        {ParameterControl::AusloeseverzoegerungWind, 7}};
    EXPECT_EQ(window.parameterItems, expected);
    EXPECT_EQ(window.softGzs, std::vector<bool>{true});
    EXPECT_EQ(window.panels[6], "vorher") << "single parameters carry no caption";
    EXPECT_TRUE(window.row6.empty());
}

TEST_F(DecoderTest, ShadingHysteresisBelow128ClearsSoftGzs) {
    model.Parameters.SoftGzsActive = true;
    Receive("sbh", "10,");
    EXPECT_FALSE(model.Parameters.SoftGzsActive);
    EXPECT_EQ(model.Parameters.ShadingHysteresisCode, 8);
    Receive("sbh", "128,");
    EXPECT_TRUE(model.Parameters.SoftGzsActive);
    EXPECT_EQ(model.Parameters.ShadingHysteresisCode, -2);
    Receive("sbh", "127,");
    EXPECT_FALSE(model.Parameters.SoftGzsActive);
    EXPECT_EQ(model.Parameters.ShadingHysteresisCode, 125);
}

TEST_F(DecoderTest, SingleParameterThatIsNoIntegerChangesNothing) {
    const ConfigurationModel before = model;
    Receive("szz", "3 0,");
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], "Datenfehler szz");
    EXPECT_TRUE(window.parameterItems.empty());
}

// --- Frames without data -------------------------------------------------------------

TEST_F(DecoderTest, ParameterSheetLeaveFrameRunsItsHandler) {
    Receive("sts", "");
    EXPECT_EQ(window.Calls("ParameterExit"), 1);
}

TEST_F(DecoderTest, ShortParameterFrameIsIgnored) {
    const ConfigurationModel before = model;
    const auto panels = window.panels;
    Receive("ssp", "1,2,3,");
    EXPECT_EQ(model, before);
    EXPECT_EQ(window.panels[5], panels[5]);
    EXPECT_EQ(window.panels[6], panels[6]);
    EXPECT_EQ(window.panels[13], "ssp  1,2,3,");
}

}  // namespace
}  // namespace veltrano
