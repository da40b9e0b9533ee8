// The two sides of the wire against each other. The input seeds a random but
// valid model for a random Controller; the program's send-all writes it into
// the simulated Controller, acknowledgement by acknowledgement; the
// Controller answers every read request of its family; the program's
// decoders read that into a fresh model, which must equal the first on the
// blocks that family reads, for its motors and slots. A difference is a
// place where the program and the simulated Controller disagree about the wire.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "link/block_decoders.h"
#include "link/read_all.h"
#include "link/receive_handler.h"
#include "link/send_all_sequence.h"
#include "model/cp1252.h"
#include "model/value_scales.h"
#include "sim_controller.h"
#include "sim_identity.h"

namespace veltrano::fuzz {
namespace {

// What the Controller is and how many motors and slots it has.
struct Target {
    sim::SimIdentity sim;
    ControllerIdentity identity;
    int firmware = 7514;
    int motors = 32;
    int slots = 8;
};

class ModelMaker {
  public:
    explicit ModelMaker(FuzzedDataProvider& in) : in_(in) {}

    std::int32_t Code(const ItemList& items) { return Below(static_cast<int>(items.size())); }
    std::int32_t Below(int n) { return in_.ConsumeIntegralInRange<std::int32_t>(0, n - 1); }

    ConfigurationModel Make(const Target& t) {
        ConfigurationModel m;
        const bool radio = t.identity.RadioVariant;
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            ShadingSettings& sb = m.shading(motor);
            sb = {Below(2),
                  Code(ShadingTemperatureItems()),
                  Code(ShadingHourItems()),
                  Code(ShadingHourItems()),
                  Code(ShadingBrightnessItems()),
                  Code(RunTimeItems()),
                  true};
            m.twilightMorning(motor) = {Below(2), Code(MorningHourItems()), Code(BrightnessItems()),
                                        Code(RunTimeOrContinuousItems()), true};
            m.twilightEvening(motor) = {Below(2), Code(EveningHourItems()), Code(BrightnessItems()),
                                        Code(RunTimeOrContinuousItems()), true};
            m.wind(motor) = {Below(2), Code(WindSpeedItems()), true};
            m.rain(motor) = {Below(2), Below(2), true};
            m.reverse(motor) = {Below(2), Code(ReverseTimeItems()), Code(ReverseTimeItems()), true};
            m.touch(motor) = {Below(2),
                              radio ? Code(RadioRunTimeItems()) : Code(RunTimeOrContinuousItems()),
                              true};
            m.proportionalTemp(motor) = {Below(2),
                                         Code(HourItems()),
                                         Code(HourItems()),
                                         Code(SetpointTemperatureItems()),
                                         Below(2),
                                         Code(ControlRangeItems()),
                                         Code(RunTimeItems()),
                                         Code(StepsItems()),
                                         true};
            m.insideTemp(motor) = {Below(2),
                                   Below(2),
                                   Code(ThresholdTemperatureItems()),
                                   Below(2),
                                   Code(ThresholdTemperatureItems()),
                                   Code(RunTimeOrContinuousItems()),
                                   Code(HourItems()),
                                   Code(HourItems()),
                                   true};
            m.heating(motor) = {Below(2),
                                Below(2),
                                Below(2),
                                Code(HeatingTemperatureItems()),
                                Code(HeatingTemperatureItems()),
                                true};
            m.humidity(motor) = {Below(2),
                                 Below(2),
                                 Code(HumidityItems()),
                                 Code(HumidityItems()),
                                 Code(RunTimeOrContinuousItems()),
                                 Code(HourItems()),
                                 Code(HourItems()),
                                 true};
            m.outsideTemp(motor) = {Below(2),
                                    Code(ThresholdTemperatureItems()),
                                    Below(3),
                                    Code(ThresholdTemperatureItems()),
                                    Code(RunTimeOrContinuousItems()),
                                    true};
            m.alarmPattern(motor) = Below(3);
            m.motorName(motor) = Name();
        }
        for (int bank = 1; bank <= kBankCount; ++bank)
            for (int group = 1; group <= kGroupCount; ++group)
                m.groupMask(bank, group) = static_cast<std::uint8_t>(Below(256));
        for (int n = 1; n <= kHolidayCount; ++n)
            m.holiday(n) = {1 + Below(31), 1 + Below(12)};
        GeneralParameters& p = m.Parameters;
        p.RandomSpanCode = Code(RandomSpanItems());
        p.ShadingHysteresisCode = Code(ShadingHysteresisItems());
        p.OutsideTempOffsetCode = Code(TemperatureOffsetItems());
        p.InsideTempOffsetCode = Code(TemperatureOffsetItems());
        p.HeatingHysteresisCode = Code(HeatingHysteresisItems());
        p.WindDelayCode = Code(WindDelayItems());
        p.SoftGzsActive = in_.ConsumeBool();
        SwitchTimes(m, t);
        m.MarkAllModified();
        return m;
    }

  private:
    // Exactly 12 Windows-1252 characters, umlauts and blanks among them, no
    // frame marker (no "_" at all) and no control character.
    std::string Name() {
        static const std::vector<std::string> kCharacters = {
            "a", "e", "n", "r", "s", "t", "B", "K", "W", "Z", "0", "7", " ", " ", "-", ".",
            "ä", "ö", "ü", "Ä", "Ö", "Ü", "ß", "é", "€", "°", "&", "/", "(", ")", "'", "\""};
        std::string name;
        for (int i = 0; i < 12; ++i)
            name +=
                kCharacters[static_cast<std::size_t>(Below(static_cast<int>(kCharacters.size())))];
        return name;
    }

    SwitchTime Entry(int dayGroup) {
        SwitchTime e;
        e.Direction = Below(2);
        e.TimeCode = 1 + Below(1440);
        e.DurationCode = Code(SwitchTimeRunTimeItems());
        e.DayGroup = dayGroup;
        e.Function = Below(3);
        return e;
    }

    // Day groups kept consistent: a group entry stands in every day of its
    // group; what the Controller stores stays within its 240 places.
    void SwitchTimes(ConfigurationModel& m, const Target& t) {
        for (SwitchTime& e : m.SwitchTimes)
            e = SwitchTime{};
        std::size_t stored = 0;
        const std::size_t wanted = static_cast<std::size_t>(Below(241));
        for (int motor = 0; motor < t.motors; ++motor) {
            for (int slot = 0; slot < t.slots; ++slot) {
                if (stored >= wanted) return;
                auto put = [&](std::initializer_list<int> days, const SwitchTime& e) {
                    for (int d : days)
                        m.switchTime(d - 1, motor, slot) = e;
                    ++stored;
                };
                switch (Below(6)) {
                    case 0:  // nothing in this slot
                        break;
                    case 1:
                        put({1, 2, 3, 4, 5, 6, 7}, Entry(7));
                        break;
                    case 2:
                        put({1, 2, 3, 4, 5}, Entry(5));
                        if (stored < wanted && in_.ConsumeBool()) put({6, 7}, Entry(2));
                        break;
                    case 3:
                        put({6, 7}, Entry(2));
                        break;
                    default:
                        for (int d = 1; d <= kDayCount && stored < wanted; ++d)
                            if (in_.ConsumeBool()) put({d}, Entry(1));
                        break;
                }
            }
        }
    }

    FuzzedDataProvider& in_;
};

Target MakeTarget(FuzzedDataProvider& in) {
    static const std::vector<sim::IdentityRequest> requests = sim::AllValidRequests();
    const sim::IdentityRequest request =
        requests[in.ConsumeIntegralInRange<std::size_t>(0, requests.size() - 1)];
    Target t;
    t.sim.modelText = *sim::PresetModelText(request, nullptr);
    t.sim.features = sim::FeaturesOfModelText(t.sim.modelText);
    // Any firmware the program works with, except 7.500, which lacks blocks.
    t.firmware = in.ConsumeBool() ? in.ConsumeIntegralInRange(7014, 7499)
                                  : in.ConsumeIntegralInRange(7514, 9999);
    t.sim.firmware = std::to_string(t.firmware / 1000) + "." +
                     std::to_string(t.firmware % 1000 + 1000).substr(1);
    t.identity = IdentifyController(t.sim.modelText);
    t.motors = t.identity.ThirtyTwoMotors ? 32 : 8;
    t.slots = t.identity.EightTimesPerDay ? 8 : 4;
    return t;
}

template <typename Record>
void CompareTable(const MotorTable<Record>& sent, const MotorTable<Record>& read, int motors,
                  const char* what) {
    for (int motor = 1; motor <= motors; ++motor) {
        Record expected = sent.motor(motor);
        expected.Modified = read.motor(motor).Modified;
        Require(read.motor(motor) == expected, [&] {
            return std::string(what) + " of motor " + std::to_string(motor) + " differs";
        });
    }
}

void Compare(const ConfigurationModel& sent, const ConfigurationModel& read, const Target& t) {
    const ControllerIdentity& id = t.identity;
    const bool sunOrConservatory = id.SunProtectionFamily || id.ConservatoryFamily;
    if (sunOrConservatory) {
        CompareTable(sent.Shading, read.Shading, t.motors, "shading");
        CompareTable(sent.TwilightMorning, read.TwilightMorning, t.motors, "morning twilight");
        CompareTable(sent.TwilightEvening, read.TwilightEvening, t.motors, "evening twilight");
        CompareTable(sent.Wind, read.Wind, t.motors, "wind");
        CompareTable(sent.Rain, read.Rain, t.motors, "rain");
        CompareTable(sent.Reverse, read.Reverse, t.motors, "reverse");
        for (int motor = 1; motor <= t.motors; ++motor)
            Require(sent.alarmPattern(motor) == read.alarmPattern(motor), "alarm pattern differs");
        Require(sent.Parameters.OutsideTempOffsetCode == read.Parameters.OutsideTempOffsetCode,
                "outside offset differs");
        Require(sent.Parameters.WindDelayCode == read.Parameters.WindDelayCode,
                "wind delay differs");
    }
    if (id.ConservatoryFamily) {
        CompareTable(sent.ProportionalTemp, read.ProportionalTemp, t.motors, "proportional");
        CompareTable(sent.InsideTemp, read.InsideTemp, t.motors, "inside temperature");
        CompareTable(sent.Heating, read.Heating, t.motors, "heating");
        CompareTable(sent.Humidity, read.Humidity, t.motors, "humidity");
        CompareTable(sent.OutsideTemp, read.OutsideTemp, t.motors, "outside temperature");
        Require(sent.Parameters.InsideTempOffsetCode == read.Parameters.InsideTempOffsetCode,
                "inside offset differs");
        Require(sent.Parameters.HeatingHysteresisCode == read.Parameters.HeatingHysteresisCode,
                "heating hysteresis differs");
    }
    if (id.TouchAutomationAvailable) CompareTable(sent.Touch, read.Touch, t.motors, "touch");
    if (id.GroupCentralAvailable) {
        for (int bank = 1; bank <= t.motors / kMotorsPerBank; ++bank)
            for (int group = 1; group <= kGroupCount; ++group)
                Require(sent.groupMask(bank, group) == read.groupMask(bank, group),
                        "group mask differs");
    }
    for (int motor = 1; motor <= t.motors; ++motor)
        Require(sent.motorName(motor) == read.motorName(motor), [&] {
            return "name of motor " + std::to_string(motor) + " differs: \"" +
                   sent.motorName(motor) + "\" came back as \"" + read.motorName(motor) + "\"";
        });
    for (int n = 1; n <= kHolidayCount; ++n)
        Require(sent.holiday(n) == read.holiday(n),
                [&] { return "holiday " + std::to_string(n) + " differs"; });
    Require(sent.Parameters.RandomSpanCode == read.Parameters.RandomSpanCode,
            "random span differs");
    Require(sent.Parameters.ShadingHysteresisCode == read.Parameters.ShadingHysteresisCode,
            "shading hysteresis differs");
    Require(sent.Parameters.SoftGzsActive == read.Parameters.SoftGzsActive,
            "soft group control differs");
    for (int day = 0; day < kDayCount; ++day) {
        for (int motor = 0; motor < t.motors; ++motor) {
            for (int slot = 0; slot < t.slots; ++slot) {
                const SwitchTime& a = sent.switchTime(day, motor, slot);
                const SwitchTime& b = read.switchTime(day, motor, slot);
                auto where = [&] {
                    return "switching time " + std::to_string(day + 1) + "/" +
                           std::to_string(motor + 1) + "/" + std::to_string(slot + 1);
                };
                Require(a.TimeCode == b.TimeCode, [&] { return where() + ": time differs"; });
                if (a.TimeCode <= 0) continue;
                Require(a.Direction == b.Direction && a.DurationCode == b.DurationCode &&
                            a.DayGroup == b.DayGroup && a.Function == b.Function,
                        [&] { return where() + " differs"; });
            }
        }
    }
}

const sim::SimInstant kNow{std::chrono::milliseconds(5000), {}};

// The program's send-all into the Controller, one block per acknowledgement.
void SendAll(ConfigurationModel& model, const Target& t, sim::SimController& controller) {
    LinkState state;
    state.Identity = t.identity;
    state.FirmwareVersion = t.firmware;
    WindowHooks hooks;
    std::string written;
    SendAllSequence sendAll{model, state, hooks, [&](std::string_view b) { written += b; }};
    std::vector<SendAllResult> results;
    sendAll.OnFinished = [&](const SendAllResult& r) { results.push_back(r); };
    ReceiveHandler handler{state, hooks};
    handler.RegisterDecoder("stc", [&](const std::string& p) { sendAll.Acknowledge(p); });

    sendAll.Start();
    for (int i = 0; i < 200 && sendAll.Running(); ++i) {
        std::string bytes;
        bytes.swap(written);
        const std::string answer = controller.ReceiveText(bytes, kNow);
        Require(!answer.empty(), "the Controller did not acknowledge a block");
        handler.OnReceive(answer);
    }
    Require(results.size() == 1 && results[0].end == SendAllEnd::Completed,
            "the send-all did not complete");
    Require(results[0].refused.empty(), [&] {
        return "the Controller refused " + RefusedStepCaption(results[0].refused[0]) + ": " +
               controller.LastRefusal();
    });
    Require(results[0].renamedMotors.empty(), "a valid name was changed");
}

// The program's read-all from the Controller into a fresh model.
ConfigurationModel ReadAll(const Target& t, sim::SimController& controller) {
    ConfigurationModel model;
    LinkState state;
    state.Identity = t.identity;
    state.FirmwareVersion = t.firmware;
    WindowHooks hooks;
    hooks.SetPanelText = [&](int panel, const std::string& text) {
        Require(panel != 5 || text.empty(), [&] { return "read-all reported \"" + text + "\""; });
    };
    ReadAllSequence readAll{state, model};
    std::string requests;
    readAll.WriteText = [&](std::string_view b) { requests += b; };
    std::vector<ReadAllResult> results;
    readAll.OnCompleted = [&](const ReadAllResult& r) { results.push_back(r); };
    ReceiveHandler handler{state, hooks};
    RegisterBlockDecoders(handler, model, state, hooks, readAll);

    readAll.Start(t.identity);
    handler.OnReceive(controller.ReceiveText(requests, kNow));
    Require(results.size() == 1, "the read-all did not complete");
    Require(results[0].Complete(),
            [&] { return "the read-all lacks:\n" + MissingDataLines(results[0]); });
    return model;
}

}  // namespace
}  // namespace veltrano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrano;
    using namespace veltrano::fuzz;
    FuzzedDataProvider in(data, size);
    const Target target = MakeTarget(in);
    ModelMaker maker(in);
    ConfigurationModel model = maker.Make(target);
    const ConfigurationModel sent = model;

    sim::SimConfig config;
    config.identity = target.sim;
    sim::SimController controller(config, sim::FactoryMemory(target.sim.features.radio));
    SendAll(model, target, controller);
    const ConfigurationModel read = ReadAll(target, controller);
    Compare(sent, read, target);
    return 0;
}
