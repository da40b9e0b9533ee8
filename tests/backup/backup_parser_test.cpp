#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "backup/backup_format.h"
#include "backup/backup_parser.h"
#include "full_model.h"

namespace veltrano {
namespace {

// Lines joined with CR LF, the last one ended too.
std::string File(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Compares table by table, so a failure names the part that differs.
void ExpectSameModel(const ConfigurationModel& actual, const ConfigurationModel& expected) {
    for (int i = 0; i < kSwitchTimeCount; ++i)
        ASSERT_TRUE(actual.SwitchTimes.at(i) == expected.SwitchTimes.at(i)) << "switch time " << i;
    for (int m = 1; m <= kMotorCount; ++m) {
        SCOPED_TRACE("motor " + std::to_string(m));
        EXPECT_EQ(actual.motorName(m), expected.motorName(m));
        EXPECT_TRUE(actual.shading(m) == expected.shading(m));
        EXPECT_TRUE(actual.twilightMorning(m) == expected.twilightMorning(m));
        EXPECT_TRUE(actual.twilightEvening(m) == expected.twilightEvening(m));
        EXPECT_TRUE(actual.wind(m) == expected.wind(m));
        EXPECT_TRUE(actual.rain(m) == expected.rain(m));
        EXPECT_TRUE(actual.reverse(m) == expected.reverse(m));
        EXPECT_TRUE(actual.touch(m) == expected.touch(m));
        EXPECT_TRUE(actual.proportionalTemp(m) == expected.proportionalTemp(m));
        EXPECT_TRUE(actual.insideTemp(m) == expected.insideTemp(m));
        EXPECT_TRUE(actual.heating(m) == expected.heating(m));
        EXPECT_TRUE(actual.humidity(m) == expected.humidity(m));
        EXPECT_TRUE(actual.outsideTemp(m) == expected.outsideTemp(m));
        EXPECT_EQ(actual.alarmPattern(m), expected.alarmPattern(m));
        EXPECT_EQ(actual.manualState(m), expected.manualState(m));
    }
    EXPECT_TRUE(actual.Parameters == expected.Parameters);
    EXPECT_TRUE(actual.GroupMasks == expected.GroupMasks);
    EXPECT_TRUE(actual.Holidays == expected.Holidays);
    EXPECT_TRUE(actual == expected);
}

// A model whose Modified flags are all clear, to see the reader set them.
ConfigurationModel Unmodified(ConfigurationModel model) {
    model.ClearAllModified();
    return model;
}

ConfigurationModel Modified(ConfigurationModel model) {
    model.MarkAllModified();
    return model;
}

BackupParseResult Parse(std::string_view bytes, const ConfigurationModel& current) {
    BackupParseResult result = ParseBackup(bytes, current);
    EXPECT_TRUE(result.Ok()) << "line " << result.Error->LineNumber << ": " << result.Error->Value;
    return result;
}

// --- Round trips ---------------------------------------------------------------

TEST(BackupRoundTripTest, StartupModelComesBackUnchanged) {
    // Read on top of a model that differs everywhere: the file sets every field.
    ConfigurationModel expected;
    const ConfigurationModel current = Unmodified(testing::FullModel());
    expected.ManualStates = current.ManualStates;  // never saved
    ExpectSameModel(Parse(FormatBackup(ConfigurationModel{}), current).Model, expected);
}

TEST(BackupRoundTripTest, FullModelFieldForField) {
    const ConfigurationModel full = testing::FullModel();
    ConfigurationModel expected = Modified(full);
    for (SwitchTime& e : expected.SwitchTimes) {
        if (e.DurationCode > 129) e.DurationCode = 43;
    }
    const BackupParseResult result = Parse(FormatBackup(full), Unmodified(ConfigurationModel{}));
    ExpectSameModel(result.Model, expected);
    EXPECT_EQ(result.KeyLineCount, 32 + 1792 * 6 +
                                       32 * (6 + 4 + 4 + 2 + 2 + 3 + 8 + 8 + 5 + 7 + 5) + 32 + 6 +
                                       16 + 1 + 32 * 2 + 15 * 2);
    EXPECT_EQ(result.Model.motorName(1), "Gästezimmer Öst");
    EXPECT_EQ(result.Model.motorName(3), "Büro=Straße");
    EXPECT_EQ(result.Model.motorName(5), "Wintergarten 5 €");
}

TEST(BackupRoundTripTest, CodesOutsideTheListsSurviveAsFarAsTheFileCarriesThem) {
    ConfigurationModel model;
    model.shading(1).TemperatureCode = -2147483647 - 1;  // wraps in the file and back
    model.heating(2).DayTempCode = 2147483647;
    model.Parameters.RandomSpanCode = -7;
    const ConfigurationModel back = Parse(FormatBackup(model), ConfigurationModel{}).Model;
    EXPECT_EQ(back.shading(1).TemperatureCode, model.shading(1).TemperatureCode);
    EXPECT_EQ(back.heating(2).DayTempCode, model.heating(2).DayTempCode);
    EXPECT_EQ(back.Parameters.RandomSpanCode, -7);
}

// --- Switching times -----------------------------------------------------------

TEST(BackupSwitchTimeTest, EmptySlotReadsBackEmpty) {
    ConfigurationModel current;
    current.switchTime(3, 7, 2).TimeCode = 500;
    ConfigurationModel written;
    ASSERT_NE(FormatBackup(written).find("[Schaltzeit_Do_Motor08_Nr3]\r\nRichtung=Auf\r\n"
                                         "Stunde=--\r\nMinute=--\r\n"),
              std::string::npos);
    EXPECT_EQ(Parse(FormatBackup(written), current).Model.switchTime(3, 7, 2).TimeCode, 0);
}

TEST(BackupSwitchTimeTest, RunTimeNumbers) {
    const std::pair<const char*, int> cases[] = {{"110", 100}, {"100", 99}, {"400", 129},
                                                 {"44", 43},   {"1", 0},    {"105", 99},
                                                 {"370", 126}, {"0", -1}};
    for (const auto& [number, code] : cases) {
        const std::string file =
            File({"[Schaltzeit_Sa_Motor12_Nr4]", "Richtung=Ab", "Stunde=7", "Minute=5",
                  std::string("Dauer=") + number, "Gruppe=2", "Funktion=Zufall"});
        const SwitchTime e = Parse(file, ConfigurationModel{}).Model.switchTime(5, 11, 3);
        EXPECT_EQ(e.DurationCode, code) << "Dauer=" << number;
        EXPECT_EQ(e.Direction, kDown);
        EXPECT_EQ(e.TimeCode, 7 * 60 + 5 + 1);
        EXPECT_EQ(e.DayGroup, 2);
        EXPECT_EQ(e.Function, kFunctionRandom);
        EXPECT_TRUE(e.Modified);
    }
}

TEST(BackupSwitchTimeTest, RunTimeCodeAbove129ComesBackAs43) {
    ConfigurationModel model;
    model.switchTime(0, 0, 0).DurationCode = 150;
    model.switchTime(0, 0, 1).DurationCode = 129;
    model.switchTime(0, 0, 2).DurationCode = 100;
    const ConfigurationModel back = Parse(FormatBackup(model), ConfigurationModel{}).Model;
    EXPECT_EQ(back.switchTime(0, 0, 0).DurationCode, 43);
    EXPECT_EQ(back.switchTime(0, 0, 1).DurationCode, 129);
    EXPECT_EQ(back.switchTime(0, 0, 2).DurationCode, 100);
}

TEST(BackupSwitchTimeTest, MinuteDashesKeepThePreviousMinuteAndAGroupOfSeveralDigitsItsFirst) {
    const std::string file =
        File({"[Schaltzeit_Mo_Motor01_Nr1]", "Richtung=Auf", "Stunde=6", "Minute=30", "Dauer=10",
              "Gruppe=57", "Funktion=Normal", "", "[Schaltzeit_Di_Motor01_Nr1]", "Richtung=Auf",
              "Stunde=8", "Minute=--", "Dauer=10", "Gruppe=1", "Funktion=Astro"});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.switchTime(0, 0, 0).DayGroup, 5);
    EXPECT_EQ(m.switchTime(0, 0, 0).TimeCode, 391);
    EXPECT_EQ(m.switchTime(1, 0, 0).TimeCode, 8 * 60 + 30 + 1);
    EXPECT_EQ(m.switchTime(1, 0, 0).Function, kFunctionAstro);
}

TEST(BackupSwitchTimeTest, GroupLinesOfTheCentralControlAlsoSetTheDayGroup) {
    const std::string file =
        File({"[Gruppen-Zentralsteuerung_]", "Gruppe_4_Bank_1=3", "", "[Schaltzeit_Fr_Motor02_Nr8]",
              "Richtung=Ab", "Stunde=--", "Minute=--", "Dauer=40", "Funktion=Normal"});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.switchTime(4, 1, 7).DayGroup, 4);
    EXPECT_EQ(m.groupMask(1, 4), 3);
}

TEST(BackupSwitchTimeTest, LfLineEndsAreReadAsWell) {
    const std::string file =
        "[Schaltzeit_So_Motor32_Nr8]\nRichtung=Ab\nStunde=23\nMinute=59\nDauer=400\nGruppe=7\n"
        "Funktion=Astro\n";
    const SwitchTime e = Parse(file, ConfigurationModel{}).Model.switchTime(6, 31, 7);
    EXPECT_EQ(e.TimeCode, 1440);
    EXPECT_EQ(e.DurationCode, 129);
    EXPECT_EQ(e.DayGroup, 7);
}

// --- Reader state carried over ---------------------------------------------------

TEST(BackupReaderStateTest, OnlyAParameterLine) {
    const ConfigurationModel current = Unmodified(testing::FullModel());
    const ConfigurationModel m =
        Parse(File({"[Parameter_]", "Zufalls-Zeitspanne=30"}), current).Model;
    ConfigurationModel expected = Modified(current);
    expected.Parameters.RandomSpanCode = 28;
    ExpectSameModel(m, expected);
}

TEST(BackupReaderStateTest, MissingEinAusTakesThePreviousSectionsValue) {
    ConfigurationModel current;
    current.wind(5).Off = kOff;
    const std::string file = File({"[Wind_Motor04]", "EinAus=Ein", "Geschwindigkeit=20", "",
                                   "[Wind_Motor05]", "Geschwindigkeit=45", ""});
    const ConfigurationModel m = Parse(file, current).Model;
    EXPECT_EQ(m.wind(4).Off, kOn);
    EXPECT_EQ(m.wind(4).SpeedCode, 3);
    EXPECT_EQ(m.wind(5).Off, kOn);
    EXPECT_EQ(m.wind(5).SpeedCode, 8);
}

TEST(BackupReaderStateTest, VariablesCrossSectionKinds) {
    const std::string file =
        File({"[Regen_Motor01]", "EinAus=Ein", "Richtung=Ab", "", "[Wind_Motor09]",
              "Geschwindigkeit=95", "", "[Regen_Motor02]", "Richtung=Auf"});
    ConfigurationModel current;
    const ConfigurationModel m = Parse(file, current).Model;
    EXPECT_EQ(m.wind(9).Off, kOn);
    EXPECT_EQ(m.wind(9).SpeedCode, 18);
    EXPECT_EQ(m.rain(2).Off, kOn);
    EXPECT_EQ(m.rain(2).Direction, kUp);
}

TEST(BackupReaderStateTest, AKeyNeverGivenLeavesTheField) {
    ConfigurationModel current;
    current.wind(5).Off = kOn;
    const ConfigurationModel m =
        Parse(File({"[Wind_Motor05]", "Geschwindigkeit=45"}), current).Model;
    EXPECT_EQ(m.wind(5).Off, kOn);
    EXPECT_EQ(m.wind(5).SpeedCode, 8);
}

TEST(BackupReaderStateTest, KeysAfterTheStoreLineWaitForTheNextStore) {
    const std::string file = File({"[Beschattung_Motor02]", "Dauer=5", "EinAus=Ein"});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.shading(2).DurationCode, 4);
    EXPECT_EQ(m.shading(2).Off, kOff);
}

TEST(BackupReaderStateTest, UnknownWordsLeaveTheVariable) {
    const std::string file = File({"[Regen_Motor03]", "EinAus=Ein", "Richtung=Auf", "",
                                   "[Regen_Motor04]", "EinAus=ja", "Richtung=runter"});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.rain(4).Off, kOn);
    EXPECT_EQ(m.rain(4).Direction, kUp);
}

// --- Section by section ---------------------------------------------------------

TEST(BackupSectionTest, EveryPerMotorSection) {
    const std::string file = File({"[Beschattung_Motor03]",
                                   "EinAus=Ein",
                                   "Temperatur=-10",
                                   "Von=5",
                                   "Bis=22",
                                   "Helligkeit=288",
                                   "Dauer=190",
                                   "",
                                   "[DaemmerungMorgen_Motor03]",
                                   "EinAus=Aus",
                                   "Von=11",
                                   "Helligkeit=225",
                                   "Dauer=191",
                                   "",
                                   "[DaemmerungAbend_Motor03]",
                                   "EinAus=Ein",
                                   "Von=23",
                                   "Helligkeit=1",
                                   "Dauer=1",
                                   "",
                                   "[Reversierung_Motor03]",
                                   "EinAus=Ein",
                                   "Bei_Auf=40",
                                   "Bei_Ab=0",
                                   "",
                                   "[ProportionaleTemperatursteuerung_Motor03]",
                                   "EinAus=Ein",
                                   "Von=0",
                                   "Bis=23",
                                   "SollTemperatur=50",
                                   "Richtung=Ab",
                                   "Regelbereich=9",
                                   "MaxStellzeit=190",
                                   "Schritte=9",
                                   "",
                                   "[InnenTemperatursteuerung_Motor03]",
                                   "EinAus=Ein",
                                   "Gr_Kl=Kl",
                                   "Schwelle1=50",
                                   "Richtung=Ab",
                                   "Schwelle2=-9",
                                   "Dauer=191",
                                   "Von=1",
                                   "Bis=2",
                                   "",
                                   "[HeizungsSteuerung_Motor03]",
                                   "EinAus=Ein",
                                   "TagNacht=Nacht",
                                   "Betriebsart=Kuehlen",
                                   "TagTemperatur=295",
                                   "NachtTemperatur=40",
                                   "",
                                   "[FeuchtigkeitsSteuerung_Motor03]",
                                   "EinAus=Ein",
                                   "Gr_Kl=Kl",
                                   "Schwelle1=99",
                                   "Schwelle2=1",
                                   "Dauer=2",
                                   "Von=3",
                                   "Bis=4",
                                   "",
                                   "[AussenTemperatursteuerung_Motor03]",
                                   "EinAus=Ein",
                                   "Schwelle1=50",
                                   "Richtung=Deaktiv",
                                   "Schwelle2=-9",
                                   "Dauer=191",
                                   "",
                                   "[TastAutomatik_Motor03]",
                                   "EinAus=Ein",
                                   "Dauer=86",
                                   ""});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_TRUE(m.shading(3) == (ShadingSettings{kOn, 0, 0, 17, 188, 189, true}));
    EXPECT_TRUE(m.twilightMorning(3) == (TwilightMorningSettings{kOff, 8, 224, 190, true}));
    EXPECT_TRUE(m.twilightEvening(3) == (TwilightEveningSettings{kOn, 9, 0, 0, true}));
    EXPECT_TRUE(m.reverse(3) == (ReverseSettings{kOn, 40, 0, true}));
    EXPECT_TRUE(m.proportionalTemp(3) ==
                (ProportionalTempSettings{kOn, 0, 23, 49, kDown, 8, 189, 7, true}));
    EXPECT_TRUE(m.insideTemp(3) ==
                (InsideTempSettings{kOn, kBelowThreshold, 59, kDown, 0, 190, 1, 2, true}));
    EXPECT_TRUE(m.heating(3) == (HeatingSettings{kOn, kNight, kCooling, 255, 0, true}));
    EXPECT_TRUE(m.humidity(3) == (HumiditySettings{kOn, kBelowThreshold, 98, 0, 1, 3, 4, true}));
    EXPECT_TRUE(m.outsideTemp(3) == (OutsideTempSettings{kOn, 59, kDeactivated, 0, 190, true}));
    EXPECT_TRUE(m.touch(3) == (TouchSettings{kOn, 86, true}));
}

TEST(BackupSectionTest, NamesAlarmsParametersGroupsSoftGzsHolidays) {
    const std::string file = File({"[Motor-Namen_]",
                                   "Motor03=K\xFC"
                                   "che",
                                   "Motor04=a=b",
                                   "Motor05=",
                                   "",
                                   "[AlarmPattern_]",
                                   "Motor02=2",
                                   "Motor32=0",
                                   "",
                                   "[Parameter_]",
                                   "Zufalls-Zeitspanne=254",
                                   "Beschattungs-Hysterese=50",
                                   "Offset_AT=5",
                                   "Offset_IT=-5",
                                   "Aktives_Programm=7",
                                   "Heizungs-Hysterese=9",
                                   "Auslv_Wind=20",
                                   "Unbekannt=3",
                                   "",
                                   "[Gruppen-Zentralsteuerung_]",
                                   "Gruppe_3_Bank_2=129",
                                   "Gruppe_1_Bank_4=300",
                                   "",
                                   "[Soft-GZS_]",
                                   "EinAus=Ein",
                                   "",
                                   "[Feiertag_No03]",
                                   "Feiertag_Tag=5",
                                   "Feiertag_Monat=3",
                                   ""});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.motorName(3), "Küche");
    EXPECT_EQ(m.motorName(4), "a=b");
    EXPECT_EQ(m.motorName(5), "");
    EXPECT_EQ(m.motorName(6), "Motor 6");
    EXPECT_EQ(m.alarmPattern(2), kAlarmDown);
    EXPECT_EQ(m.alarmPattern(32), kAlarmUp);
    EXPECT_EQ(m.alarmPattern(1), kAlarmNoAction);
    const GeneralParameters& p = m.Parameters;
    EXPECT_EQ(p.RandomSpanCode, 252);
    EXPECT_EQ(p.ShadingHysteresisCode, 48);
    EXPECT_EQ(p.OutsideTempOffsetCode, 10);
    EXPECT_EQ(p.InsideTempOffsetCode, 0);
    EXPECT_EQ(p.ReservedParameterCode, 6);
    EXPECT_EQ(p.HeatingHysteresisCode, 8);
    EXPECT_EQ(p.WindDelayCode, 20);
    EXPECT_TRUE(p.SoftGzsActive);
    EXPECT_EQ(m.groupMask(2, 3), 129);
    EXPECT_EQ(m.groupMask(4, 1), 300 % 256);
    EXPECT_EQ(m.holiday(3), (Holiday{5, 3}));
    EXPECT_EQ(m.holiday(4), (Holiday{1, 1}));

    ConfigurationModel on;
    on.Parameters.SoftGzsActive = true;
    EXPECT_FALSE(Parse(File({"[Soft-GZS_]", "EinAus=Aus"}), on).Model.Parameters.SoftGzsActive);
}

// --- Faulty files -----------------------------------------------------------------

TEST(BackupFaultTest, BlanksAroundTheEqualsSign) {
    const std::string file = File({"[Beschattung_Motor01]", "EinAus = Ein", "Temperatur = 12",
                                   "Von = 5", "Bis = 7", "Helligkeit = 200", "Dauer = 10"});
    const BackupParseResult result = ParseBackup(file, ConfigurationModel{});
    ASSERT_FALSE(result.Ok());
    // "EinAus = Ein" reads characters 8 to 10 ("= E"), which is no word it knows.
    EXPECT_EQ(result.Error->LineNumber, 3);
    EXPECT_EQ(result.Error->Value, "= 12");
    EXPECT_EQ(BackupParseErrorText(*result.Error, "/tmp/a.qts"),
              "'= 12' ist kein gültiger Integerwert (Zeile 3 der Datei /tmp/a.qts).\n"
              "Die Datei wurde nicht geladen; die Daten bleiben unverändert.");
}

TEST(BackupFaultTest, ValuesThatAreNoIntegerStopAtTheirLine) {
    const struct {
        const char* line;
        const char* value;
    } cases[] = {
        {"Dauer=abc", "abc"},
        {"Von=1x", "1x"},
        {"Stunde=ab", "ab"},
        {"Minute=", ""},
        {"Gruppe=x", "x"},
        {"Schwelle1=99999999999", "99999999999"},
        {"Feiertag_Tag=1.5", "1.5"},
        {"[Wind_MotorAB]", "AB"},
        {"[Schaltzeit_Mo_Motor01_Nrx]", "x"},
        {"[Feiertag_No1]", "1]"},
    };
    for (const auto& c : cases) {
        const std::string file = File({"[Regen_Motor01]", "EinAus=Ein", c.line, "Richtung=Ab"});
        const BackupParseResult result = ParseBackup(file, ConfigurationModel{});
        ASSERT_FALSE(result.Ok()) << c.line;
        EXPECT_EQ(result.Error->LineNumber, 3) << c.line;
        EXPECT_EQ(result.Error->Value, c.value) << c.line;
    }
    const struct {
        const char* header;
        const char* line;
        const char* value;
    } stored[] = {
        {"[Motor-Namen_]", "MotorAB=Name", "AB"},
        {"[AlarmPattern_]", "Motor01=zwei", "zwei"},
        {"[Parameter_]", "Zufalls-Zeitspanne=", ""},
        {"[Parameter_]", "Unbekannt=x", "x"},
        {"[Gruppen-Zentralsteuerung_]", "Gruppe_1_Bank_1=0x10", "0x10"},
        {"[Gruppen-Zentralsteuerung_]", "Gruppe_x_Bank_1=1", "x"},
    };
    for (const auto& c : stored) {
        const std::string file = File({"", c.header, c.line});
        const BackupParseResult result = ParseBackup(file, ConfigurationModel{});
        ASSERT_FALSE(result.Ok()) << c.line;
        EXPECT_EQ(result.Error->LineNumber, 3) << c.line;
        EXPECT_EQ(result.Error->Value, c.value) << c.line;
    }
}

TEST(BackupFaultTest, ErrorDeepInAFullFileNamesItsLine) {
    std::string text = FormatBackup(testing::FullModel());
    const std::string bad = "[Wind_Motor07]\r\nEinAus=Ein\r\nGeschwindigkeit=4O\r\n";
    const std::size_t at = text.find("[Wind_Motor07]\r\n");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, bad.size(), bad);
    int line = 1;
    for (std::size_t i = 0; i < at; ++i)
        line += text[i] == '\n';
    const BackupParseResult result = ParseBackup(text, ConfigurationModel{});
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.Error->LineNumber, line + 2);
    EXPECT_EQ(result.Error->Value, "4O");
}

TEST(BackupFaultTest, FileCutAtALineBoundaryLoadsWhatItHolds) {
    const ConfigurationModel full = testing::FullModel();
    const std::string text = FormatBackup(full);
    // Cut inside [Beschattung_Motor11], before its store line.
    const std::size_t cut = text.find("Helligkeit=", text.find("[Beschattung_Motor11]"));
    ASSERT_NE(cut, std::string::npos);
    const ConfigurationModel start;
    const ConfigurationModel m = Parse(std::string_view(text).substr(0, cut), start).Model;
    for (int i = 0; i < kSwitchTimeCount; ++i) {
        SwitchTime expected = full.SwitchTimes.at(i);
        if (expected.DurationCode > 129) expected.DurationCode = 43;
        expected.Modified = true;
        ASSERT_TRUE(m.SwitchTimes.at(i) == expected) << i;
    }
    for (int motor = 1; motor <= 10; ++motor) {
        ShadingSettings expected = full.shading(motor);
        expected.Modified = true;
        EXPECT_TRUE(m.shading(motor) == expected) << motor;
    }
    for (int motor = 11; motor <= 32; ++motor)
        EXPECT_TRUE(m.shading(motor) == start.shading(motor)) << motor;
    EXPECT_TRUE(m.TwilightMorning == start.TwilightMorning);
    EXPECT_TRUE(m.Holidays == start.Holidays);
    EXPECT_EQ(m.motorName(1), "Gästezimmer Öst");
}

TEST(BackupFaultTest, NumbersOutsideTheModelAreSkipped) {
    const ConfigurationModel current = testing::FullModel();
    const std::string switchKeys =
        "Richtung=Ab\r\nStunde=1\r\nMinute=1\r\nDauer=1\r\nGruppe=1\r\n"
        "Funktion=Zufall\r\n\r\n";
    const std::string cases[] = {
        "[Schaltzeit_Mo_Motor00_Nr1]\r\n" + switchKeys,
        "[Schaltzeit_Mo_Motor33_Nr1]\r\n" + switchKeys,
        "[Schaltzeit_Mo_Motor-1_Nr1]\r\n" + switchKeys,
        "[Schaltzeit_Mo_Motor01_Nr9]\r\n" + switchKeys,
        "[Schaltzeit_Mo_Motor01_Nr0]\r\n" + switchKeys,
        "[Schaltzeit_Xy_Motor01_Nr1]\r\n" + switchKeys,
        "[Schaltzeit_]\r\n" + switchKeys,
        "[Beschattung_Motor33]\r\nEinAus=Ein\r\nDauer=1\r\n",
        "[Beschattung_Motor00]\r\nEinAus=Ein\r\nDauer=1\r\n",
        "[Wind_Motor99]\r\nEinAus=Ein\r\nGeschwindigkeit=5\r\n",
        "[TastAutomatik_Motor-5]\r\nEinAus=Ein\r\nDauer=1\r\n",
        "[Feiertag_No16]\r\nFeiertag_Tag=9\r\nFeiertag_Monat=9\r\n",
        "[Feiertag_No00]\r\nFeiertag_Tag=9\r\nFeiertag_Monat=9\r\n",
        "[Gruppen-Zentralsteuerung_]\r\nGruppe_5_Bank_1=7\r\nGruppe_1_Bank_0=7\r\n"
        "Gruppe_0_Bank_5=7\r\nGruppe_1=7\r\nBank_1=7\r\n",
        "[Motor-Namen_]\r\nMotor40=Keller\r\nMotor00=Keller\r\nMotor-1=Keller\r\n",
        "[AlarmPattern_]\r\nMotor33=2\r\nMotor00=2\r\n",
        "[Wind]\r\nEinAus=Ein\r\nGeschwindigkeit=5\r\n",
        "Geschwindigkeit=5\r\nFunktion=Astro\r\nFeiertag_Monat=3\r\n",
    };
    for (const std::string& text : cases) {
        const BackupParseResult result = ParseBackup(text, current);
        ASSERT_TRUE(result.Ok()) << text;
        ExpectSameModel(result.Model, Modified(current));
    }
}

TEST(BackupFaultTest, AnInvalidDayDoesNotFallBackToThePreviousDay) {
    const std::string file =
        File({"[Schaltzeit_Di_Motor01_Nr1]", "Richtung=Ab", "Stunde=1", "Minute=1", "Dauer=1",
              "Gruppe=1", "Funktion=Astro", "", "[Schaltzeit_Xx_Motor01_Nr1]", "Richtung=Auf",
              "Stunde=2", "Minute=2", "Dauer=2", "Gruppe=1", "Funktion=Zufall"});
    const ConfigurationModel m = Parse(file, ConfigurationModel{}).Model;
    EXPECT_EQ(m.switchTime(1, 0, 0).TimeCode, 62);
    EXPECT_EQ(m.switchTime(1, 0, 0).Function, kFunctionAstro);
}

TEST(BackupFaultTest, OddBytesAndShortLinesNeverReadOutsideTheLine) {
    const std::string texts[] = {
        std::string("[\0_Motor", 8) + "\r\n",
        "[_Motor01\r\nEinAus\r\nE\r\n=\r\n==\r\n[\r\n[_\r\n[_No\r\n",
        "Stunde=\r\n",
        "\r\n\r\n\n\r\r\n",
        std::string("[Motor-Namen_]\r\nMotor01=\xFF\x81\0\r\n", 29),
        "",
    };
    for (const std::string& text : texts) {
        // Either reads or reports a line; never touches anything outside.
        const BackupParseResult result = ParseBackup(text, ConfigurationModel{});
        if (!result.Ok()) {
            EXPECT_GE(result.Error->LineNumber, 1);
        }
    }
}

}  // namespace
}  // namespace veltrano
