#include "compare.h"

#include <array>
#include <string_view>
#include <type_traits>

#include "motor_fields.h"
#include "value_scales.h"

namespace veltrano {
namespace {

constexpr std::string_view kTo = " \u2192 ";  // "a → b"
constexpr std::string_view kEmptySlot = "leer";

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The item text of `code` followed by `unit`, or the bare number for a code
// outside the list (an all-blank item counts as none).
std::string CodeText(const ItemList& items, int code, std::string_view unit = {}) {
    std::string text = TrimRight(ItemText(items, code));
    if (text.empty()) return std::to_string(code);
    return text.append(unit);
}

std::string Change(std::string_view from, std::string_view to) {
    std::string text(from);
    text += kTo;
    text += to;
    return text;
}

// "Motor 3 Küche"; "Motor 3" for a motor without a name.
std::string MotorLabel(const ConfigurationModel& model, int motor) {
    std::string label = "Motor " + std::to_string(motor);
    const std::string name = TrimRight(model.motorName(motor));
    if (!name.empty()) label += " " + name;
    return label;
}

bool SunOrConservatory(const CompareFeatures& f) {
    return f.SunProtectionFamily || f.ConservatoryFamily;
}

// Whether the Controller's sheets show a record: the shading and the wind
// sheet for sun protection and conservatory Controllers, the temperature and
// the heating sheet and the humidity control for conservatory ones; reverse
// always, touch where the Controller has it.
template <typename Record>
bool ShowsRecord(const CompareFeatures& f) {
    if constexpr (std::is_same_v<Record, ReverseSettings>) return f.ReverseRead;
    if constexpr (std::is_same_v<Record, TouchSettings>) return f.TouchAutomationAvailable;
    if constexpr (std::is_same_v<Record, ShadingSettings> ||
                  std::is_same_v<Record, TwilightMorningSettings> ||
                  std::is_same_v<Record, TwilightEveningSettings> ||
                  std::is_same_v<Record, WindSettings> || std::is_same_v<Record, RainSettings>)
        return SunOrConservatory(f);
    return f.ConservatoryFamily;
}

bool ShowsParameter(std::int32_t GeneralParameters::*code, const CompareFeatures& f) {
    if (code == &GeneralParameters::RandomSpanCode) return true;
    if (code == &GeneralParameters::InsideTempOffsetCode ||
        code == &GeneralParameters::HeatingHysteresisCode)
        return f.ConservatoryFamily;
    return SunOrConservatory(f);
}

class Comparison {
  public:
    Comparison(const ConfigurationModel& a, const ConfigurationModel& b, const CompareScope& scope)
        : a_(a), b_(b), scope_(scope) {
        motors_ = scope.motorCount >= 1 && scope.motorCount < kMotorCount ? scope.motorCount
                                                                          : kMotorCount;
        slots_ =
            scope.slotCount >= 1 && scope.slotCount < kSlotCount ? scope.slotCount : kSlotCount;
    }

    std::vector<Difference> Run() {
        MotorNames();
        SwitchTimes();
        ForEachMotorRecordKind([this](auto kind) {
            using Record = typename decltype(kind)::type;
            if (ShowsRecord<Record>(scope_.identity)) Records<Record>();
        });
        Parameters();
        AlarmPatterns();
        Groups();
        Holidays();
        return std::move(out_);
    }

  private:
    void Add(std::string_view group, std::string text) {
        out_.push_back({std::string(group), std::move(text)});
    }

    void MotorNames() {
        for (int m = 1; m <= motors_; ++m) {
            const std::string& from = a_.motorName(m);
            const std::string& to = b_.motorName(m);
            if (from != to)
                Add("Motornamen", "Motor " + std::to_string(m) + ": " +
                                      Change("\"" + from + "\"", "\"" + to + "\""));
        }
    }

    // "06:30 ↑ Mo - Fr": time, direction and, for an entry of several days,
    // its day group; then the function and the run time where asked for.
    static std::string EntryText(const SwitchTime& e, bool withRunTime, bool withFunction) {
        std::string text = CodeText(TimeOfDayItems(), e.TimeCode);
        text += " " + CodeText(DirectionItems(), e.Direction);
        if (e.DayGroup != kDayGroupSingleDay) text += " " + DayGroupText(e.DayGroup);
        if (withFunction) text += ", Funktion " + CodeText(FunctionItems(), e.Function);
        if (withRunTime) text += ", Laufzeit " + CodeText(SwitchTimeRunTimeItems(), e.DurationCode);
        return text;
    }

    static std::string DayGroupText(int dayGroup) {
        constexpr int kWeekday = 0, kSaturday = 5, kHalfGroupItem = 1, kWholeWeekItem = 2;
        if (dayGroup == kDayGroupWeekdays) return DayGroupItems(kWeekday)[kHalfGroupItem];
        if (dayGroup == kDayGroupWeekend) return DayGroupItems(kSaturday)[kHalfGroupItem];
        if (dayGroup == kDayGroupWholeWeek) return DayGroupItems(kWeekday)[kWholeWeekItem];
        return std::to_string(dayGroup);
    }

    static std::string SlotChange(const SwitchTime& from, const SwitchTime& to) {
        if (from.IsEmpty())
            return Change(kEmptySlot, EntryText(to, true, to.Function != kFunctionNormal));
        if (to.IsEmpty())
            return Change(EntryText(from, true, from.Function != kFunctionNormal), kEmptySlot);
        const bool runTime = from.DurationCode != to.DurationCode;
        const bool function = from.Function != to.Function;
        return Change(EntryText(from, runTime, function), EntryText(to, runTime, function));
    }

    static bool SameSlot(const SwitchTime& x, const SwitchTime& y) {
        if (x.IsEmpty() || y.IsEmpty()) return x.IsEmpty() == y.IsEmpty();
        return x.TimeCode == y.TimeCode && x.Direction == y.Direction &&
               x.DurationCode == y.DurationCode && x.DayGroup == y.DayGroup &&
               x.Function == y.Function;
    }

    void SwitchTimes() {
        static constexpr std::array<std::string_view, kDayCount> kDays = {
            "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
        for (int m = 1; m <= motors_; ++m) {
            for (int day = 0; day < kDayCount; ++day) {
                for (int slot = 0; slot < slots_; ++slot) {
                    const SwitchTime& from = a_.switchTime(day, m - 1, slot);
                    const SwitchTime& to = b_.switchTime(day, m - 1, slot);
                    if (SameSlot(from, to)) continue;
                    Add("Schaltzeiten", MotorLabel(a_, m) + ", " +
                                            std::string(kDays[static_cast<std::size_t>(day)]) +
                                            ", Nr. " + std::to_string(slot + 1) + ": " +
                                            SlotChange(from, to));
                }
            }
        }
    }

    // The list of a field's codes on this Controller: a radio variant's touch
    // run time has a list of its own.
    template <typename Record>
    const ItemList& ItemsOn(const MotorField<Record>& field) const {
        if constexpr (std::is_same_v<Record, TouchSettings>) {
            if (scope_.identity.RadioVariant && field.member == &TouchSettings::DurationCode)
                return RadioRunTimeItems();
        }
        return field.items();
    }

    template <typename Record>
    void Records() {
        using Fields = MotorRecordFields<Record>;
        for (int m = 1; m <= motors_; ++m) {
            const Record& from = RecordsOf<Record>(a_).motor(m);
            const Record& to = RecordsOf<Record>(b_).motor(m);
            for (const MotorField<Record>& field : Fields::Fields) {
                const int x = from.*field.member;
                const int y = to.*field.member;
                if (x == y) continue;
                const ItemList& items = ItemsOn(field);
                Add(Fields::Caption,
                    std::string(Fields::Caption) + ", " + MotorLabel(a_, m) + ": " +
                        std::string(field.caption) + " " +
                        Change(CodeText(items, x, field.unit), CodeText(items, y, field.unit)));
            }
        }
    }

    void Parameters() {
        for (const GeneralParameterField& field : kGeneralParameterFields) {
            if (!ShowsParameter(field.code, scope_.identity)) continue;
            const int x = a_.Parameters.*field.code;
            const int y = b_.Parameters.*field.code;
            if (x == y) continue;
            Add("Parameter", std::string(field.caption) + ": " +
                                 Change(CodeText(field.items(), x), CodeText(field.items(), y)));
        }
    }

    void AlarmPatterns() {
        const CompareFeatures& f = scope_.identity;
        if (f.RadioVariant || !SunOrConservatory(f)) return;
        for (int m = 1; m <= motors_; ++m) {
            const int x = a_.alarmPattern(m);
            const int y = b_.alarmPattern(m);
            if (x != y)
                Add("Alarm-Setup",
                    MotorLabel(a_, m) + ": " +
                        Change(CodeText(AlarmPatternItems(), x), CodeText(AlarmPatternItems(), y)));
        }
    }

    void Groups() {
        if (!scope_.identity.GroupCentralAvailable) return;
        constexpr std::string_view kOut = "nicht enthalten", kIn = "enthalten";
        for (int g = 1; g <= kGroupCount; ++g) {
            const std::uint32_t x = a_.GroupMotorMask(g);
            const std::uint32_t y = b_.GroupMotorMask(g);
            for (int m = 1; m <= motors_; ++m) {
                const std::uint32_t bit = 1u << (m - 1);
                if ((x & bit) == (y & bit)) continue;
                Add("Gruppen-Zentralsteuerung",
                    "Gruppe " + std::to_string(g) + ", " + MotorLabel(a_, m) + ": " +
                        Change(x & bit ? kIn : kOut, y & bit ? kIn : kOut));
            }
        }
        const bool x = a_.Parameters.SoftGzsActive;
        const bool y = b_.Parameters.SoftGzsActive;
        if (x != y)
            Add("Soft-GZS", "Soft-GZS aktiv: " + Change(x ? "ja" : "nein", y ? "ja" : "nein"));
    }

    void Holidays() {
        for (int n = 1; n <= kHolidayCount; ++n) {
            const Holiday& x = a_.holiday(n);
            const Holiday& y = b_.holiday(n);
            if (x == y) continue;
            Add("Feiertage",
                "Feiertag " + std::to_string(n) + ": " + Change(DateText(x), DateText(y)));
        }
    }

    // "24.12." as the holiday's field shows it, without the field's leading blanks.
    static std::string DateText(const Holiday& holiday) {
        const std::string field = HolidayFieldText(holiday);
        return field.substr(field.find_first_not_of(' '));
    }

    const ConfigurationModel& a_;
    const ConfigurationModel& b_;
    const CompareScope& scope_;
    int motors_ = kMotorCount;
    int slots_ = kSlotCount;
    std::vector<Difference> out_;
};

}  // namespace

std::vector<Difference> CompareConfigurations(const ConfigurationModel& a,
                                              const ConfigurationModel& b,
                                              const CompareScope& scope) {
    return Comparison(a, b, scope).Run();
}

}  // namespace veltrano
