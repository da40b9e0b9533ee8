#include "backup/backup_parser.h"

#include <string>

#include "backup/backup_layout.h"
#include "backup/backup_text.h"
#include "model/cp1252.h"

namespace veltrano {
namespace {

using backup::From;
using backup::Mid;
using backup::Shifted;
namespace offset = backup::offset;

using Value = std::optional<std::int32_t>;

// Thrown where a value must be an integer and is not.
struct NotAnInteger {
    std::string text;
};

std::int32_t Integer(std::string_view text) {
    const Value value = backup::ToInteger(text);
    if (!value) throw NotAnInteger{std::string(text)};
    return *value;
}

bool StartsWith(std::string_view line, std::string_view key) {
    return line.substr(0, key.size()) == key;
}

// Everything after the first "=" (the caller has checked there is one).
std::string_view AfterEquals(std::string_view line) {
    return line.substr(line.find('=') + 1);
}

// field := the value converted, when the file has given the value at all.
template <typename Convert>
void Store(std::int32_t& field, const Value& value, Convert convert) {
    if (value) field = convert(*value);
}
void Store(std::int32_t& field, const Value& value) {
    if (value) field = *value;
}
auto Minus(std::int64_t by) {
    return [by](std::int32_t v) { return Shifted(v, -by); };
}

// The reader's state, kept across lines and sections and never reset: a
// record is stored from whatever the variables hold when its store line
// comes, so a key missing from a section takes the previous section's value.
class BackupReader {
  public:
    explicit BackupReader(ConfigurationModel& model) : model_(model) {}

    void Line(std::string_view line) {
        if (line.empty()) return;
        if (line.front() == '[') {
            Header(line);
            return;
        }
        if (line.find('=') == std::string_view::npos) return;
        ++keyLines_;
        RecogniseKeys(line);
        StoreBySection(line);
    }

    int KeyLineCount() const { return keyLines_; }

  private:
    void Header(std::string_view line) {
        const std::size_t underscore = line.find('_');
        sectionWord_ = underscore == std::string_view::npos
                           ? std::string()
                           : std::string(line.substr(1, underscore - 1));
        sectionSkipped_ = false;
        if (sectionWord_ == "Schaltzeit") {
            const std::string_view dayText = Mid(line, 13, 2);
            bool known = false;
            for (std::size_t d = 0; d < backup::kDayTexts.size(); ++d) {
                if (dayText == backup::kDayTexts[d]) {
                    day_ = static_cast<int>(d) + 1;
                    known = true;
                }
            }
            // Keeping the previous day would file the section under the wrong day.
            if (!known) sectionSkipped_ = true;
        }
        if (const std::size_t at = line.find("_Motor"); at != std::string_view::npos)
            motor_ = Integer(line.substr(at + 6, 2));
        if (const std::size_t at = line.find("_Nr"); at != std::string_view::npos)
            number_ = Integer(line.substr(at + 3, 1));
        if (const std::size_t at = line.find("_No"); at != std::string_view::npos)
            number_ = Integer(line.substr(at + 3, 2));
    }

    void RecogniseKeys(std::string_view line) {
        if (StartsWith(line, "EinAus")) {
            const std::string_view v = Mid(line, 8, 3);
            if (v == "Ein") einAus_ = kOn;
            if (v == "Aus") einAus_ = kOff;
        }
        if (StartsWith(line, "TagNacht")) {
            if (Mid(line, 10, 3) == "Tag") tagNacht_ = kDay;
            if (Mid(line, 10, 5) == "Nacht") tagNacht_ = kNight;
        }
        if (StartsWith(line, "Betriebsart")) {
            if (Mid(line, 13, 6) == "Heizen") betriebsart_ = kHeating;
            if (Mid(line, 13, 7) == "Kuehlen") betriebsart_ = kCooling;
        }
        if (StartsWith(line, "Richtung")) {
            if (Mid(line, 10, 3) == "Auf") richtung_ = kUp;
            const std::string_view two = Mid(line, 10, 2);
            if (two == "Ab") richtung_ = kDown;
            if (two == "De") richtung_ = kDeactivated;
        }
        if (StartsWith(line, "Gr_Kl")) {
            const std::string_view v = Mid(line, 7, 2);
            if (v == "Gr") grKl_ = kAboveThreshold;
            if (v == "Kl") grKl_ = kBelowThreshold;
        }
        if (StartsWith(line, "Stunde"))
            hour_ = Mid(line, 8, 2) == "--" ? kEmptyHour : Integer(From(line, 8));
        if (StartsWith(line, "Minute") && Mid(line, 8, 2) != "--") minute_ = Integer(From(line, 8));
        if (StartsWith(line, "Dauer")) dauer_ = Integer(From(line, 7));
        if (StartsWith(line, "Gruppe")) gruppe_ = Integer(Mid(line, 8, 1));
        if (StartsWith(line, "Funktion")) {
            const std::string_view v = Mid(line, 10, 5);
            if (v == "Norma") funktion_ = kFunctionNormal;
            if (v == "Astro") funktion_ = kFunctionAstro;
            if (v == "Zufal") funktion_ = kFunctionRandom;
        }
        if (StartsWith(line, "Von")) von_ = Integer(From(line, 5));
        if (StartsWith(line, "Bis")) bis_ = Integer(From(line, 5));
        if (StartsWith(line, "Helligkeit")) helligkeit_ = Integer(From(line, 12));
        if (StartsWith(line, "Temperatur")) temperatur_ = Integer(From(line, 12));
        if (StartsWith(line, "Geschwindigkeit")) geschwindigkeit_ = Integer(From(line, 17));
        if (StartsWith(line, "NachtTemperatur")) nachtTemperatur_ = Integer(From(line, 17));
        if (StartsWith(line, "Bei_Auf")) beiAuf_ = Integer(From(line, 9));
        if (StartsWith(line, "Bei_Ab")) beiAb_ = Integer(From(line, 8));
        if (StartsWith(line, "SollTemperatur")) sollTemperatur_ = Integer(From(line, 16));
        if (StartsWith(line, "Schwelle1")) schwelle1_ = Integer(From(line, 11));
        if (StartsWith(line, "Schwelle2")) schwelle2_ = Integer(From(line, 11));
        if (StartsWith(line, "Regelbereich")) regelbereich_ = Integer(From(line, 14));
        if (StartsWith(line, "MaxStellzeit")) maxStellzeit_ = Integer(From(line, 14));
        if (StartsWith(line, "Schritte")) schritte_ = Integer(From(line, 10));
        if (StartsWith(line, "TagTemperatur")) tagTemperatur_ = Integer(From(line, 15));
        if (StartsWith(line, "Feiertag_Tag")) feiertagTag_ = Integer(From(line, 14));
        if (StartsWith(line, "Feiertag_Monat")) feiertagMonat_ = Integer(From(line, 16));
    }

    // The per-motor record of the current section, or nullptr when the
    // section names no motor of the model.
    template <typename Record>
    Record* MotorRecord(MotorTable<Record>& table) {
        if (sectionSkipped_ || !MotorTable<Record>::IsValidMotor(motor_)) return nullptr;
        return &table.motor(motor_);
    }

    void StoreBySection(std::string_view line) {
        const std::string& s = sectionWord_;
        if (s == "Motor-Namen") {
            StoreMotorName(line);
        } else if (s == "Schaltzeit") {
            if (StartsWith(line, "Funktion")) StoreSwitchTime();
        } else if (s == "Beschattung") {
            if (StartsWith(line, "Dauer")) StoreShading();
        } else if (s == "DaemmerungMorgen") {
            if (StartsWith(line, "Dauer"))
                StoreTwilight(MotorRecord(model_.TwilightMorning), offset::kMorningHour);
        } else if (s == "DaemmerungAbend") {
            if (StartsWith(line, "Dauer"))
                StoreTwilight(MotorRecord(model_.TwilightEvening), offset::kEveningHour);
        } else if (s == "Wind") {
            if (StartsWith(line, "Geschwindigkeit")) StoreWind();
        } else if (s == "Regen") {
            if (StartsWith(line, "Richtung")) StoreRain();
        } else if (s == "Reversierung") {
            if (StartsWith(line, "Bei_Ab")) StoreReverse();
        } else if (s == "ProportionaleTemperatursteuerung") {
            if (StartsWith(line, "Schritte")) StoreProportional();
        } else if (s == "InnenTemperatursteuerung") {
            if (StartsWith(line, "Bis")) StoreInside();
        } else if (s == "HeizungsSteuerung") {
            if (StartsWith(line, "NachtTemp")) StoreHeating();
        } else if (s == "FeuchtigkeitsSteuerung") {
            if (StartsWith(line, "Bis")) StoreHumidity();
        } else if (s == "AussenTemperatursteuerung") {
            if (StartsWith(line, "Dauer")) StoreOutside();
        } else if (s == "TastAutomatik") {
            if (StartsWith(line, "Dauer")) StoreTouch();
        } else if (s == "Feiertag") {
            if (StartsWith(line, "Feiertag_Monat")) StoreHoliday();
        } else if (s == "AlarmPattern") {
            StoreAlarmPattern(line);
        } else if (s == "Parameter") {
            StoreParameter(line);
        } else if (s == "Gruppen-Zentralsteuerung") {
            StoreGroupMask(line);
        } else if (s == "Soft-GZS") {
            if (einAus_) model_.Parameters.SoftGzsActive = *einAus_ != kOff;
        }
    }

    void StoreMotorName(std::string_view line) {
        const int motor = Integer(Mid(line, 6, 2));
        if (!MotorTable<std::string>::IsValidMotor(motor)) return;
        model_.motorName(motor) = Cp1252ToUtf8(AfterEquals(line));
    }

    void StoreSwitchTime() {
        if (sectionSkipped_ || !IsValidEntry(day_ - 1, motor_ - 1, number_ - 1)) return;
        SwitchTime& e = model_.switchTime(day_ - 1, motor_ - 1, number_ - 1);
        Store(e.Direction, richtung_);
        if (hour_ == kEmptyHour) {
            e.TimeCode = kEmptyTimeCode;
        } else if (hour_ && minute_) {
            e.TimeCode = Shifted(*minute_, static_cast<std::int64_t>(*hour_) * 60 + 1);
        }
        Store(e.DurationCode, dauer_,
              [](std::int32_t d) { return d > 100 ? (d - 100) / 10 + 100 - 1 : Shifted(d, -1); });
        Store(e.DayGroup, gruppe_);
        Store(e.Function, funktion_);
    }

    void StoreShading() {
        ShadingSettings* r = MotorRecord(model_.Shading);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->TemperatureCode, temperatur_, Minus(offset::kShadingTemperature));
        Store(r->FromCode, von_, Minus(offset::kShadingHour));
        Store(r->ToCode, bis_, Minus(offset::kShadingHour));
        Store(r->BrightnessCode, helligkeit_, Minus(offset::kShadingBrightness));
        Store(r->DurationCode, dauer_, Minus(offset::kRunTime));
    }

    template <typename Record>
    void StoreTwilight(Record* r, std::int32_t hourOffset) {
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->FromCode, von_, Minus(hourOffset));
        Store(r->BrightnessCode, helligkeit_, Minus(offset::kBrightness));
        Store(r->DurationCode, dauer_, Minus(offset::kRunTime));
    }

    void StoreWind() {
        WindSettings* r = MotorRecord(model_.Wind);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->SpeedCode, geschwindigkeit_, [](std::int32_t v) { return v / 5 - 1; });
    }

    void StoreRain() {
        RainSettings* r = MotorRecord(model_.Rain);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->Direction, richtung_);
    }

    void StoreReverse() {
        ReverseSettings* r = MotorRecord(model_.Reverse);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->AtUp, beiAuf_);
        Store(r->AtDown, beiAb_);
    }

    void StoreProportional() {
        ProportionalTempSettings* r = MotorRecord(model_.ProportionalTemp);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->From, von_);
        Store(r->To, bis_);
        Store(r->SetpointCode, sollTemperatur_, Minus(offset::kSetpoint));
        Store(r->Direction, richtung_);
        Store(r->ControlRangeCode, regelbereich_, Minus(offset::kControlRange));
        Store(r->MaxTravelCode, maxStellzeit_, Minus(offset::kMaxTravel));
        Store(r->StepsCode, schritte_, Minus(offset::kSteps));
    }

    void StoreInside() {
        InsideTempSettings* r = MotorRecord(model_.InsideTemp);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->Comparison, grKl_);
        Store(r->Threshold1Code, schwelle1_, Minus(offset::kThresholdTemperature));
        Store(r->Direction, richtung_);
        Store(r->Threshold2Code, schwelle2_, Minus(offset::kThresholdTemperature));
        Store(r->DurationCode, dauer_, Minus(offset::kRunTime));
        Store(r->From, von_);
        Store(r->To, bis_);
    }

    void StoreHeating() {
        HeatingSettings* r = MotorRecord(model_.Heating);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->DayNight, tagNacht_);
        Store(r->Mode, betriebsart_);
        Store(r->DayTempCode, tagTemperatur_, Minus(offset::kHeatingTemperature));
        Store(r->NightTempCode, nachtTemperatur_, Minus(offset::kHeatingTemperature));
    }

    void StoreHumidity() {
        HumiditySettings* r = MotorRecord(model_.Humidity);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->Comparison, grKl_);
        Store(r->Threshold1Code, schwelle1_, Minus(offset::kHumidity));
        Store(r->Threshold2Code, schwelle2_, Minus(offset::kHumidity));
        Store(r->DurationCode, dauer_, Minus(offset::kRunTime));
        Store(r->From, von_);
        Store(r->To, bis_);
    }

    void StoreOutside() {
        OutsideTempSettings* r = MotorRecord(model_.OutsideTemp);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->Threshold1Code, schwelle1_, Minus(offset::kThresholdTemperature));
        Store(r->Direction, richtung_);
        Store(r->Threshold2Code, schwelle2_, Minus(offset::kThresholdTemperature));
        Store(r->DurationCode, dauer_, Minus(offset::kRunTime));
    }

    void StoreTouch() {
        TouchSettings* r = MotorRecord(model_.Touch);
        if (!r) return;
        Store(r->Off, einAus_);
        Store(r->DurationCode, dauer_);
    }

    void StoreHoliday() {
        if (number_ < 1 || number_ > kHolidayCount) return;
        Holiday& h = model_.holiday(number_);
        Store(h.Day, feiertagTag_);
        Store(h.Month, feiertagMonat_);
    }

    void StoreAlarmPattern(std::string_view line) {
        const int motor = Integer(Mid(line, 6, 2));
        const std::int32_t value = Integer(AfterEquals(line));
        if (!MotorTable<std::int32_t>::IsValidMotor(motor)) return;
        model_.alarmPattern(motor) = value;
    }

    void StoreParameter(std::string_view line) {
        const std::int32_t value = Integer(AfterEquals(line));
        const std::string_view key = line.substr(0, 9);
        GeneralParameters& p = model_.Parameters;
        if (key == "Zufalls-Z") p.RandomSpanCode = Shifted(value, -offset::kRandomSpan);
        if (key == "Beschattu")
            p.ShadingHysteresisCode = Shifted(value, -offset::kShadingHysteresis);
        if (key == "Offset_AT")
            p.OutsideTempOffsetCode = Shifted(value, -offset::kTemperatureOffset);
        if (key == "Offset_IT")
            p.InsideTempOffsetCode = Shifted(value, -offset::kTemperatureOffset);
        if (key == "Aktives_P")
            p.ReservedParameterCode = Shifted(value, -offset::kReservedParameter);
        if (key == "Heizungs-")
            p.HeatingHysteresisCode = Shifted(value, -offset::kHeatingHysteresis);
        if (key == "Auslv_Win") p.WindDelayCode = value;
    }

    void StoreGroupMask(std::string_view line) {
        const std::int32_t value = Integer(AfterEquals(line));
        const std::size_t groupAt = line.find("Gruppe_");
        const std::size_t bankAt = line.find("Bank_");
        // A line that names no group or bank has nothing to store.
        if (groupAt == std::string_view::npos || bankAt == std::string_view::npos) return;
        const int group = Integer(line.substr(groupAt + 7, 1));
        const int bank = Integer(line.substr(bankAt + 5, 1));
        if (group < 1 || group > kGroupCount || bank < 1 || bank > kBankCount) return;
        model_.groupMask(bank, group) = static_cast<std::uint8_t>(value & 0xFF);
    }

    // "Stunde=--": the slot is empty.
    static constexpr std::int32_t kEmptyHour = 24;

    ConfigurationModel& model_;
    std::string sectionWord_;
    bool sectionSkipped_ = false;
    int day_ = 0;  // 1..7
    int motor_ = 0;
    int number_ = 0;
    int keyLines_ = 0;

    Value einAus_, tagNacht_, betriebsart_, richtung_, grKl_, hour_, minute_, dauer_, gruppe_,
        funktion_, von_, bis_, helligkeit_, temperatur_, geschwindigkeit_, nachtTemperatur_,
        beiAuf_, beiAb_, sollTemperatur_, schwelle1_, schwelle2_, regelbereich_, maxStellzeit_,
        schritte_, tagTemperatur_, feiertagTag_, feiertagMonat_;
};

}  // namespace

BackupParseResult ParseBackup(std::string_view bytes, const ConfigurationModel& current) {
    BackupParseResult result{current, std::nullopt, 0};
    BackupReader reader(result.Model);
    int lineNumber = 0;
    std::size_t start = 0;
    try {
        while (start < bytes.size()) {
            const std::size_t end = bytes.find('\n', start);
            std::string_view line = bytes.substr(
                start, end == std::string_view::npos ? std::string_view::npos : end - start);
            start = end == std::string_view::npos ? bytes.size() : end + 1;
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            reader.Line(line);
        }
    } catch (const NotAnInteger& e) {
        result.Error = BackupParseError{lineNumber, Cp1252ToUtf8(e.text)};
    }
    result.KeyLineCount = reader.KeyLineCount();
    result.Model.MarkAllModified();
    return result;
}

std::string BackupParseErrorText(const BackupParseError& error, std::string_view fileName) {
    return "'" + error.Value + "' ist kein gültiger Integerwert (Zeile " +
           std::to_string(error.LineNumber) + " der Datei " + std::string(fileName) +
           ").\nDie Datei wurde nicht geladen; die Daten bleiben unverändert.";
}

}  // namespace veltrano
