#include "backup/backup_format.h"

#include <charconv>
#include <string_view>

#include "backup/backup_layout.h"
#include "model/cp1252.h"

namespace veltrano {
namespace {

using backup::Shifted;
namespace offset = backup::offset;

// Appends lines and sections; every line ends with CR LF.
class BackupWriter {
  public:
    explicit BackupWriter(std::string& out) : out_(out) {}

    void Header(std::string_view name) {
        out_ += '[';
        out_ += name;
        out_ += "]\r\n";
    }
    // "[" + word + NN + "]", NN the two-digit motor or holiday number.
    void Header(std::string_view word, int number) {
        out_ += '[';
        out_ += word;
        TwoDigits(number);
        out_ += "]\r\n";
    }
    void Key(std::string_view key, std::string_view value) {
        out_ += key;
        out_ += '=';
        out_ += value;
        out_ += "\r\n";
    }
    void Key(std::string_view key, std::int64_t value) {
        out_ += key;
        out_ += '=';
        Number(value);
        out_ += "\r\n";
    }
    // key + NN + "=" + value, as "Motor07=".
    void NumberedKey(std::string_view key, int number, std::int64_t value) {
        out_ += key;
        TwoDigits(number);
        out_ += '=';
        Number(value);
        out_ += "\r\n";
    }
    void EndSection() { out_ += "\r\n"; }

    std::string& Out() { return out_; }
    void TwoDigits(int number) {
        if (number >= 0 && number < 10) out_ += '0';
        Number(number);
    }
    void Number(std::int64_t value) {
        // Digits straight into the text: room for 19 digits and a sign.
        const std::size_t at = out_.size();
        out_.resize(at + 20);
        const auto result = std::to_chars(out_.data() + at, out_.data() + out_.size(), value);
        out_.resize(static_cast<std::size_t>(result.ptr - out_.data()));
    }

  private:
    std::string& out_;
};

std::string_view OnOff(std::int32_t off) {
    return off == kOn ? "Ein" : "Aus";
}

std::string_view UpDown(std::int32_t direction) {
    return direction == kUp ? "Auf" : "Ab";
}

// The run-time number of a switching time: items "0s" .. "99s" as code + 1,
// the tens from code 100 on as seconds + 10, anything beyond as code 43.
std::int32_t SwitchTimeDurationNumber(std::int32_t code) {
    if (code <= 99) return code + 1;
    if (code <= 129) return code * 10 - 890;
    return 44;
}

std::string_view FunctionText(std::int32_t function) {
    if (function == kFunctionAstro) return "Astro";
    if (function == kFunctionRandom) return "Zufall";
    return "Normal";
}

std::string NameBytes(const std::string& name) {
    std::string bytes = Utf8ToCp1252(name);
    for (char& c : bytes) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return bytes;
}

void WriteMotorNames(BackupWriter& w, const ConfigurationModel& model) {
    w.Header("Motor-Namen_");
    for (int m = 1; m <= kMotorCount; ++m) {
        std::string& out = w.Out();
        out += "Motor";
        w.TwoDigits(m);
        out += '=';
        out += NameBytes(model.motorName(m));
        out += "\r\n";
    }
    w.EndSection();
}

void WriteSwitchTimes(BackupWriter& w, const ConfigurationModel& model) {
    for (int day = 0; day < kDayCount; ++day) {
        for (int motor = 0; motor < kMotorCount; ++motor) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                const SwitchTime& e = model.switchTime(day, motor, slot);
                std::string& out = w.Out();
                out += "[Schaltzeit_";
                out += backup::kDayTexts[day];
                out += "_Motor";
                w.TwoDigits(motor + 1);
                out += "_Nr";
                w.Number(slot + 1);
                out += "]\r\n";
                w.Key("Richtung", UpDown(e.Direction));
                if (e.TimeCode < 1) {
                    w.Key("Stunde", "--");
                    w.Key("Minute", "--");
                } else {
                    w.Key("Stunde", (e.TimeCode - 1) / 60);
                    w.Key("Minute", (e.TimeCode - 1) % 60);
                }
                w.Key("Dauer", SwitchTimeDurationNumber(e.DurationCode));
                w.Key("Gruppe", e.DayGroup);
                w.Key("Funktion", FunctionText(e.Function));
                w.EndSection();
            }
        }
    }
}

void WritePerMotorSections(BackupWriter& w, const ConfigurationModel& model) {
    for (int m = 1; m <= kMotorCount; ++m) {
        const ShadingSettings& r = model.shading(m);
        w.Header("Beschattung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Temperatur", Shifted(r.TemperatureCode, offset::kShadingTemperature));
        w.Key("Von", Shifted(r.FromCode, offset::kShadingHour));
        w.Key("Bis", Shifted(r.ToCode, offset::kShadingHour));
        w.Key("Helligkeit", Shifted(r.BrightnessCode, offset::kShadingBrightness));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const TwilightMorningSettings& r = model.twilightMorning(m);
        w.Header("DaemmerungMorgen_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Von", Shifted(r.FromCode, offset::kMorningHour));
        w.Key("Helligkeit", Shifted(r.BrightnessCode, offset::kBrightness));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const TwilightEveningSettings& r = model.twilightEvening(m);
        w.Header("DaemmerungAbend_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Von", Shifted(r.FromCode, offset::kEveningHour));
        w.Key("Helligkeit", Shifted(r.BrightnessCode, offset::kBrightness));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const WindSettings& r = model.wind(m);
        w.Header("Wind_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Geschwindigkeit", static_cast<std::int32_t>(static_cast<std::uint32_t>(
                                     (static_cast<std::int64_t>(r.SpeedCode) + 1) * 5)));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const RainSettings& r = model.rain(m);
        w.Header("Regen_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Richtung", UpDown(r.Direction));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const ReverseSettings& r = model.reverse(m);
        w.Header("Reversierung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Bei_Auf", r.AtUp);
        w.Key("Bei_Ab", r.AtDown);
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const ProportionalTempSettings& r = model.proportionalTemp(m);
        w.Header("ProportionaleTemperatursteuerung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Von", r.From);
        w.Key("Bis", r.To);
        w.Key("SollTemperatur", Shifted(r.SetpointCode, offset::kSetpoint));
        w.Key("Richtung", UpDown(r.Direction));
        w.Key("Regelbereich", Shifted(r.ControlRangeCode, offset::kControlRange));
        w.Key("MaxStellzeit", Shifted(r.MaxTravelCode, offset::kMaxTravel));
        w.Key("Schritte", Shifted(r.StepsCode, offset::kSteps));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const InsideTempSettings& r = model.insideTemp(m);
        w.Header("InnenTemperatursteuerung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Gr_Kl", r.Comparison == kAboveThreshold ? "Gr" : "Kl");
        w.Key("Schwelle1", Shifted(r.Threshold1Code, offset::kThresholdTemperature));
        w.Key("Richtung", UpDown(r.Direction));
        w.Key("Schwelle2", Shifted(r.Threshold2Code, offset::kThresholdTemperature));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.Key("Von", r.From);
        w.Key("Bis", r.To);
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const HeatingSettings& r = model.heating(m);
        w.Header("HeizungsSteuerung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("TagNacht", r.DayNight == kDay ? "Tag" : "Nacht");
        w.Key("Betriebsart", r.Mode == kHeating ? "Heizen" : "Kuehlen");
        w.Key("TagTemperatur", Shifted(r.DayTempCode, offset::kHeatingTemperature));
        w.Key("NachtTemperatur", Shifted(r.NightTempCode, offset::kHeatingTemperature));
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const HumiditySettings& r = model.humidity(m);
        w.Header("FeuchtigkeitsSteuerung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Gr_Kl", r.Comparison == kAboveThreshold ? "Gr" : "Kl");
        w.Key("Schwelle1", Shifted(r.Threshold1Code, offset::kHumidity));
        w.Key("Schwelle2", Shifted(r.Threshold2Code, offset::kHumidity));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.Key("Von", r.From);
        w.Key("Bis", r.To);
        w.EndSection();
    }
    for (int m = 1; m <= kMotorCount; ++m) {
        const OutsideTempSettings& r = model.outsideTemp(m);
        w.Header("AussenTemperatursteuerung_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Schwelle1", Shifted(r.Threshold1Code, offset::kThresholdTemperature));
        w.Key("Richtung", r.Direction == kDeactivated ? "Deaktiv" : UpDown(r.Direction));
        w.Key("Schwelle2", Shifted(r.Threshold2Code, offset::kThresholdTemperature));
        w.Key("Dauer", Shifted(r.DurationCode, offset::kRunTime));
        w.EndSection();
    }
}

void WriteControllerWide(BackupWriter& w, const ConfigurationModel& model) {
    w.Header("AlarmPattern_");
    for (int m = 1; m <= kMotorCount; ++m)
        w.NumberedKey("Motor", m, model.alarmPattern(m));
    w.EndSection();

    const GeneralParameters& p = model.Parameters;
    w.Header("Parameter_");
    w.Key("Zufalls-Zeitspanne", Shifted(p.RandomSpanCode, offset::kRandomSpan));
    w.Key("Beschattungs-Hysterese", Shifted(p.ShadingHysteresisCode, offset::kShadingHysteresis));
    w.Key("Offset_AT", Shifted(p.OutsideTempOffsetCode, offset::kTemperatureOffset));
    w.Key("Offset_IT", Shifted(p.InsideTempOffsetCode, offset::kTemperatureOffset));
    w.Key("Heizungs-Hysterese", Shifted(p.HeatingHysteresisCode, offset::kHeatingHysteresis));
    w.Key("Auslv_Wind", p.WindDelayCode);
    w.EndSection();
}

void WriteGroupsAndTouch(BackupWriter& w, const ConfigurationModel& model) {
    w.Header("Gruppen-Zentralsteuerung_");
    for (int g = 1; g <= kGroupCount; ++g) {
        for (int b = 1; b <= kBankCount; ++b) {
            std::string& out = w.Out();
            out += "Gruppe_";
            w.Number(g);
            out += "_Bank_";
            w.Number(b);
            out += '=';
            w.Number(model.groupMask(b, g));
            out += "\r\n";
        }
    }
    w.EndSection();

    w.Header("Soft-GZS_");
    w.Key("EinAus", model.Parameters.SoftGzsActive ? "Ein" : "Aus");
    w.EndSection();

    for (int m = 1; m <= kMotorCount; ++m) {
        const TouchSettings& r = model.touch(m);
        w.Header("TastAutomatik_Motor", m);
        w.Key("EinAus", OnOff(r.Off));
        w.Key("Dauer", r.DurationCode);
        w.EndSection();
    }
}

void WriteHolidays(BackupWriter& w, const ConfigurationModel& model) {
    for (int n = 1; n <= kHolidayCount; ++n) {
        const Holiday& h = model.holiday(n);
        w.Header("Feiertag_No", n);
        w.Key("Feiertag_Tag", h.Day);
        w.Key("Feiertag_Monat", h.Month);
        w.EndSection();
    }
}

}  // namespace

std::string FormatBackup(const ConfigurationModel& model) {
    std::string out;
    out.reserve(160 * 1024);
    BackupWriter w(out);
    WriteMotorNames(w, model);
    WriteSwitchTimes(w, model);
    WritePerMotorSections(w, model);
    WriteControllerWide(w, model);
    WriteGroupsAndTouch(w, model);
    WriteHolidays(w, model);
    return out;
}

}  // namespace veltrano
