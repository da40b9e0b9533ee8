// The written file byte for byte. The expected bytes are built here from the
// file layout, independently of the formatter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backup/backup_format.h"
#include "full_model.h"

namespace veltrano {
namespace {

const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};

std::string Nn(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// Collects the expected file: sections of key lines, each followed by an empty line.
class Expected {
  public:
    void Section(const std::string& header, const std::vector<std::string>& keys) {
        text_ += "[" + header + "]\r\n";
        for (const std::string& key : keys)
            text_ += key + "\r\n";
        text_ += "\r\n";
        headers_.push_back("[" + header + "]");
    }
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& Headers() const { return headers_; }

  private:
    std::string text_;
    std::vector<std::string> headers_;
};

std::string N(int value) {
    return std::to_string(value);
}
std::string OnOff(int off) {
    return off == 0 ? "Ein" : "Aus";
}
std::string UpDown(int direction) {
    return direction == 0 ? "Auf" : "Ab";
}

// The Windows-1252 bytes of the test names, spelled out.
std::string NameBytes(int m) {
    switch (m) {
        case 1:
            return "G\xE4stezimmer \xD6st";
        case 2:
            return "K\xFC"
                   "che S\xFC"
                   "d";
        case 3:
            return "B\xFCro=Stra\xDF"
                   "e";
        case 4:
            return "";
        case 5:
            return "Wintergarten 5 \x80";
        default:
            return "Raum " + N(m) + " \xE4\xF6\xFC\xC4\xD6\xDC\xDF";
    }
}

// nameBytes: the Windows-1252 bytes of the model's motor names, by motor number.
Expected ExpectedFile(const ConfigurationModel& model, std::string (*nameBytes)(int) = NameBytes) {
    Expected x;
    std::vector<std::string> keys;
    for (int m = 1; m <= 32; ++m)
        keys.push_back("Motor" + Nn(m) + "=" + nameBytes(m));
    x.Section("Motor-Namen_", keys);

    for (int d = 0; d < 7; ++d) {
        for (int m = 0; m < 32; ++m) {
            for (int s = 0; s < 8; ++s) {
                const SwitchTime& e = model.SwitchTimes.at(d * 256 + m * 8 + s);
                const int t = e.TimeCode;
                const int c = e.DurationCode;
                const int dauer = c < 100 ? c + 1 : c < 130 ? c * 10 - 890 : 44;
                const char* functions[] = {"Normal", "Astro", "Zufall"};
                x.Section(
                    "Schaltzeit_" + std::string(kDays[d]) + "_Motor" + Nn(m + 1) + "_Nr" + N(s + 1),
                    {"Richtung=" + UpDown(e.Direction),
                     "Stunde=" + (t < 1 ? std::string("--") : N((t - 1) / 60)),
                     "Minute=" + (t < 1 ? std::string("--") : N((t - 1) % 60)), "Dauer=" + N(dauer),
                     "Gruppe=" + N(e.DayGroup), std::string("Funktion=") + functions[e.Function]});
            }
        }
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.shading(m);
        x.Section("Beschattung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Temperatur=" + N(r.TemperatureCode - 10),
                   "Von=" + N(r.FromCode + 5), "Bis=" + N(r.ToCode + 5),
                   "Helligkeit=" + N(r.BrightnessCode + 100), "Dauer=" + N(r.DurationCode + 1)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.twilightMorning(m);
        x.Section("DaemmerungMorgen_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Von=" + N(r.FromCode + 3),
                   "Helligkeit=" + N(r.BrightnessCode + 1), "Dauer=" + N(r.DurationCode + 1)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.twilightEvening(m);
        x.Section("DaemmerungAbend_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Von=" + N(r.FromCode + 14),
                   "Helligkeit=" + N(r.BrightnessCode + 1), "Dauer=" + N(r.DurationCode + 1)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.wind(m);
        x.Section("Wind_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Geschwindigkeit=" + N((r.SpeedCode + 1) * 5)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.rain(m);
        x.Section("Regen_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Richtung=" + UpDown(r.Direction)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.reverse(m);
        x.Section("Reversierung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Bei_Auf=" + N(r.AtUp), "Bei_Ab=" + N(r.AtDown)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.proportionalTemp(m);
        x.Section("ProportionaleTemperatursteuerung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Von=" + N(r.From), "Bis=" + N(r.To),
                   "SollTemperatur=" + N(r.SetpointCode + 1), "Richtung=" + UpDown(r.Direction),
                   "Regelbereich=" + N(r.ControlRangeCode + 1),
                   "MaxStellzeit=" + N(r.MaxTravelCode + 1), "Schritte=" + N(r.StepsCode + 2)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.insideTemp(m);
        x.Section("InnenTemperatursteuerung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), std::string("Gr_Kl=") + (r.Comparison ? "Kl" : "Gr"),
                   "Schwelle1=" + N(r.Threshold1Code - 9), "Richtung=" + UpDown(r.Direction),
                   "Schwelle2=" + N(r.Threshold2Code - 9), "Dauer=" + N(r.DurationCode + 1),
                   "Von=" + N(r.From), "Bis=" + N(r.To)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.heating(m);
        x.Section(
            "HeizungsSteuerung_Motor" + Nn(m),
            {"EinAus=" + OnOff(r.Off), std::string("TagNacht=") + (r.DayNight ? "Nacht" : "Tag"),
             std::string("Betriebsart=") + (r.Mode ? "Kuehlen" : "Heizen"),
             "TagTemperatur=" + N(r.DayTempCode + 40),
             "NachtTemperatur=" + N(r.NightTempCode + 40)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.humidity(m);
        x.Section("FeuchtigkeitsSteuerung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), std::string("Gr_Kl=") + (r.Comparison ? "Kl" : "Gr"),
                   "Schwelle1=" + N(r.Threshold1Code + 1), "Schwelle2=" + N(r.Threshold2Code + 1),
                   "Dauer=" + N(r.DurationCode + 1), "Von=" + N(r.From), "Bis=" + N(r.To)});
    }
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.outsideTemp(m);
        const char* directions[] = {"Auf", "Ab", "Deaktiv"};
        x.Section("AussenTemperatursteuerung_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Schwelle1=" + N(r.Threshold1Code - 9),
                   std::string("Richtung=") + directions[r.Direction],
                   "Schwelle2=" + N(r.Threshold2Code - 9), "Dauer=" + N(r.DurationCode + 1)});
    }
    keys.clear();
    for (int m = 1; m <= 32; ++m)
        keys.push_back("Motor" + Nn(m) + "=" + N(model.alarmPattern(m)));
    x.Section("AlarmPattern_", keys);
    const GeneralParameters& p = model.Parameters;
    x.Section("Parameter_", {"Zufalls-Zeitspanne=" + N(p.RandomSpanCode + 2),
                             "Beschattungs-Hysterese=" + N(p.ShadingHysteresisCode + 2),
                             "Offset_AT=" + N(p.OutsideTempOffsetCode - 5),
                             "Offset_IT=" + N(p.InsideTempOffsetCode - 5),
                             "Heizungs-Hysterese=" + N(p.HeatingHysteresisCode + 1),
                             "Auslv_Wind=" + N(p.WindDelayCode)});
    keys.clear();
    for (int g = 1; g <= 4; ++g)
        for (int b = 1; b <= 4; ++b)
            keys.push_back("Gruppe_" + N(g) + "_Bank_" + N(b) + "=" +
                           N(model.GroupMasks[b - 1][g - 1]));
    x.Section("Gruppen-Zentralsteuerung_", keys);
    x.Section("Soft-GZS_", {std::string("EinAus=") + (p.SoftGzsActive ? "Ein" : "Aus")});
    for (int m = 1; m <= 32; ++m) {
        const auto& r = model.touch(m);
        x.Section("TastAutomatik_Motor" + Nn(m),
                  {"EinAus=" + OnOff(r.Off), "Dauer=" + N(r.DurationCode)});
    }
    for (int n = 1; n <= 15; ++n)
        x.Section("Feiertag_No" + Nn(n), {"Feiertag_Tag=" + N(model.Holidays[n - 1].Day),
                                          "Feiertag_Monat=" + N(model.Holidays[n - 1].Month)});
    return x;
}

std::vector<std::string> HeaderLines(const std::string& text) {
    std::vector<std::string> headers;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (!line.empty() && line[0] == '[') headers.push_back(line);
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return headers;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(BackupFormatTest, FullModelByteForByte) {
    const ConfigurationModel model = testing::FullModel();
    const std::string text = FormatBackup(model);
    const Expected expected = ExpectedFile(model);
    ASSERT_EQ(expected.Headers().size(), 2196u);
    EXPECT_EQ(kBackupSectionCount, 2196);
    // Compared in pieces first, so a difference shows where it is.
    const std::vector<std::string> headers = HeaderLines(text);
    ASSERT_EQ(headers.size(), 2196u);
    for (std::size_t i = 0; i < headers.size(); ++i)
        ASSERT_EQ(headers[i], expected.Headers()[i]) << "section " << i + 1;
    EXPECT_TRUE(text == expected.Text());
}

TEST(BackupFormatTest, StartupModelByteForByte) {
    const ConfigurationModel model;
    const auto defaultNames = [](int m) { return "Motor " + N(m); };
    EXPECT_TRUE(FormatBackup(model) == ExpectedFile(model, +defaultNames).Text());
}

TEST(BackupFormatTest, EveryLineEndsWithCrLfAndTheFileWithAnEmptyLine) {
    const std::string text = FormatBackup(testing::FullModel());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "at " << i;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "at " << i;
        }
    }
    const std::string tail = "\r\nFeiertag_Monat=4\r\n\r\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(BackupFormatTest, RepresentativeSectionsLiterally) {
    const std::string text = FormatBackup(testing::FullModel());
    const std::string head = "[Motor-Namen_]\r\nMotor01=G\xE4stezimmer \xD6st\r\nMotor02=K\xFC";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_TRUE(Contains(text,
                         "Motor03=B\xFCro=Stra\xDF"
                         "e\r\nMotor04=\r\nMotor05=Wintergarten 5 \x80\r\n"));
    EXPECT_TRUE(Contains(
        text,
        "Motor32=Raum 32 \xE4\xF6\xFC\xC4\xD6\xDC\xDF\r\n\r\n[Schaltzeit_Mo_Motor01_Nr1]\r\n"));
    // Index 0: empty slot, run time code 0, day group 1, function normal.
    EXPECT_TRUE(Contains(text,
                         "[Schaltzeit_Mo_Motor01_Nr1]\r\nRichtung=Auf\r\nStunde=--\r\n"
                         "Minute=--\r\nDauer=1\r\nGruppe=1\r\nFunktion=Normal\r\n\r\n"));
    // Index 1: time code 37 = 00:36, run time code 1.
    EXPECT_TRUE(Contains(text,
                         "[Schaltzeit_Mo_Motor01_Nr2]\r\nRichtung=Ab\r\nStunde=0\r\n"
                         "Minute=36\r\nDauer=2\r\nGruppe=2\r\nFunktion=Astro\r\n\r\n"));
    // Index 1791: time code 1791 x 37 mod 1441 = 1422 (23:41), run time code
    // 1791 mod 135 = 36, day group 7, function 0.
    EXPECT_TRUE(Contains(text,
                         "[Schaltzeit_So_Motor32_Nr8]\r\nRichtung=Ab\r\nStunde=23\r\n"
                         "Minute=41\r\nDauer=37\r\nGruppe=7\r\nFunktion=Normal\r\n\r\n"
                         "[Beschattung_Motor01]\r\n"));
    EXPECT_TRUE(Contains(text,
                         "[Beschattung_Motor07]\r\nEinAus=Aus\r\nTemperatur=-3\r\nVon=12\r\n"
                         "Bis=15\r\nHelligkeit=135\r\nDauer=43\r\n\r\n"));
    EXPECT_TRUE(Contains(text, "[Wind_Motor07]\r\nEinAus=Ein\r\nGeschwindigkeit=40\r\n\r\n"));
    EXPECT_TRUE(Contains(text,
                         "[AussenTemperatursteuerung_Motor05]\r\nEinAus=Ein\r\n"
                         "Schwelle1=-4\r\nRichtung=Deaktiv\r\nSchwelle2=1\r\nDauer=21\r\n\r\n"));
    EXPECT_TRUE(Contains(text,
                         "[HeizungsSteuerung_Motor06]\r\nEinAus=Ein\r\nTagNacht=Nacht\r\n"
                         "Betriebsart=Kuehlen\r\nTagTemperatur=82\r\nNachtTemperatur=289\r\n\r\n"));
    EXPECT_TRUE(Contains(text,
                         "Motor31=1\r\nMotor32=2\r\n\r\n[Parameter_]\r\nZufalls-Zeitspanne=254\r\n"
                         "Beschattungs-Hysterese=2\r\nOffset_AT=-5\r\nOffset_IT=5\r\n"
                         "Heizungs-Hysterese=9\r\nAuslv_Wind=20\r\n\r\n"
                         "[Gruppen-Zentralsteuerung_]\r\nGruppe_1_Bank_1=78\r\n"
                         "Gruppe_1_Bank_2=139\r\n"));
    EXPECT_TRUE(Contains(text,
                         "Gruppe_4_Bank_4=255\r\n\r\n[Soft-GZS_]\r\nEinAus=Ein\r\n\r\n"
                         "[TastAutomatik_Motor01]\r\nEinAus=Aus\r\nDauer=3\r\n\r\n"));
    EXPECT_TRUE(Contains(text, "[Feiertag_No15]\r\nFeiertag_Tag=30\r\nFeiertag_Monat=4\r\n\r\n"));
    EXPECT_FALSE(Contains(text, "Aktives_P"));
}

TEST(BackupFormatTest, SwitchTimeRunTimes) {
    const int codes[] = {0, 98, 99, 100, 101, 125, 126, 129, 130, 190, -1};
    const char* numbers[] = {"1", "99", "100", "110", "120", "360", "370", "400", "44", "44", "0"};
    for (int i = 0; i < 11; ++i) {
        ConfigurationModel one;
        one.switchTime(2, 4, 5).DurationCode = codes[i];
        EXPECT_TRUE(Contains(FormatBackup(one),
                             "[Schaltzeit_Mi_Motor05_Nr6]\r\nRichtung=Auf\r\n"
                             "Stunde=--\r\nMinute=--\r\nDauer=" +
                                 std::string(numbers[i]) + "\r\n"))
            << "code " << codes[i];
    }
}

TEST(BackupFormatTest, TimesOfDay) {
    ConfigurationModel model;
    model.switchTime(0, 0, 0).TimeCode = 1;     // 00:00
    model.switchTime(0, 0, 1).TimeCode = 1440;  // 23:59
    model.switchTime(0, 0, 2).TimeCode = 391;   // 06:30
    model.switchTime(0, 0, 3).TimeCode = -5;    // below 1: empty
    const std::string text = FormatBackup(model);
    EXPECT_TRUE(Contains(text, "_Nr1]\r\nRichtung=Auf\r\nStunde=0\r\nMinute=0\r\n"));
    EXPECT_TRUE(Contains(text, "_Nr2]\r\nRichtung=Auf\r\nStunde=23\r\nMinute=59\r\n"));
    EXPECT_TRUE(Contains(text, "_Nr3]\r\nRichtung=Auf\r\nStunde=6\r\nMinute=30\r\n"));
    EXPECT_TRUE(Contains(text, "_Nr4]\r\nRichtung=Auf\r\nStunde=--\r\nMinute=--\r\n"));
}

TEST(BackupFormatTest, LineBreakInsideANameCannotSplitTheLine) {
    ConfigurationModel model;
    model.motorName(2) = "Erker\r\n[Wind_Motor01]";
    const std::string text = FormatBackup(model);
    EXPECT_TRUE(Contains(text, "\r\nMotor02=Erker  [Wind_Motor01]\r\nMotor03="));
    EXPECT_EQ(HeaderLines(text).size(), 2196u);
}

TEST(BackupFormatTest, SoftGzsOff) {
    ConfigurationModel model;
    EXPECT_TRUE(Contains(FormatBackup(model), "[Soft-GZS_]\r\nEinAus=Aus\r\n\r\n"));
}

}  // namespace
}  // namespace veltrano
