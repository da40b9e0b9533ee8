// The fault soak: read-all and send-all cycles of the real window against the
// simulated Controller, each transfer through a simulator whose faults a
// seeded random choice sets (bad checksums, dropped frames, garbage, split
// frames, silence, a refused command, a hang-up). Every transfer must end
// within its watchdog bound in exactly one of: success with the Controller
// equal to the model; an incomplete read or refused send that is reported
// and loses nothing (a repeat without faults then succeeds and makes both
// sides equal); a time-out or lost line reported as such, after which a
// repeat succeeds as well. Never a hang, never a success with a difference.
//
// VELTRANO_SOAK_CYCLES (default 20) and VELTRANO_SOAK_SEED (default 1);
// scripts/soak N runs it with any count. The watchdogs are cut to 1 s.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "e2e_memory.h"
#include "e2e_simulator.h"
#include "e2e_window.h"
#include "e2e_wire.h"
#include "sim_identity.h"
#include "temp_workdir.h"

namespace veltrano {
namespace {

using namespace std::chrono_literals;
using testing::E2eSimulator;
using testing::E2eWindow;
using testing::TempWorkDir;
using testing::TestRandom;

constexpr int kFirmware = 7514;
// A transfer that has not ended after this counts as hung. Far beyond the 1 s
// watchdogs, and beyond a read whose frames the simulator sends in small
// pieces (about 10 s at its fast pace, longer on a busy machine).
constexpr int kTransferBoundMs = 60000;
// A connection costs two polls of five answers before a transfer starts.
constexpr int kConnectFrames = 10;

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// The faults of one simulator: command-line options, and their kinds for the report.
struct Faults {
    std::vector<std::string> args;
    std::vector<std::string> kinds;
    bool drop = false;
    void Add(const std::string& kind, std::vector<std::string> options) {
        kinds.push_back(kind);
        args.insert(args.end(), options.begin(), options.end());
    }
};

std::string Number(long n) {
    return std::to_string(n);
}

constexpr int kFaultKinds = 7;

// The kinds in a seeded random order, each once in every seven transfers,
// so that even a short soak meets every kind.
class KindDeck {
  public:
    int Next(TestRandom& r) {
        if (deck_.empty()) {
            for (int k = 0; k < kFaultKinds; ++k)
                deck_.push_back(k);
            for (int i = kFaultKinds - 1; i > 0; --i)
                std::swap(deck_[static_cast<std::size_t>(i)],
                          deck_[static_cast<std::size_t>(r.Between(0, i))]);
        }
        const int kind = deck_.back();
        deck_.pop_back();
        return kind;
    }

  private:
    std::vector<int> deck_;
};

Faults ReadFaults(TestRandom& r, int kind) {
    Faults f;
    switch (kind) {
        case 0:
            break;
        case 1:
            f.Add("bad checksum", {"--bad-checksum", Number(r.Between(5, 300))});
            break;
        case 2:
            f.Add("dropped frame", {"--drop", Number(r.Between(12, 400))});
            f.drop = true;
            break;
        case 3:
            f.Add("silence", {"--silent-after-frames", Number(kConnectFrames + r.Between(1, 300))});
            break;
        case 4:
            f.Add("hang-up",
                  {"--hang-up-after-frames", Number(kConnectFrames + r.Between(1, 300))});
            break;
        case 5:
            f.Add("garbage", {"--garbage"});
            break;
        default:
            f.Add("split", {"--split"});
            break;
    }
    if (r.Between(0, 3) == 0) f.Add("garbage", {"--garbage"});
    if (r.Between(0, 3) == 0) f.Add("split", {"--split"});
    f.args.insert(f.args.end(), {"--seed", Number(r.Between(1, 1000000))});
    return f;
}

const char* const kSendWords[] = {"rfs", "rmn", "rft", "rgz", "rjp", "rbp", "rdm", "rda",
                                  "rwp", "rrp", "roa", "raw", "ras", "rpp", "rip", "rhp",
                                  "rhh", "rfp", "rap", "roi", "rta", "rbh", "rzz"};

Faults SendFaults(TestRandom& r, int kind) {
    Faults f;
    switch (kind) {
        case 0:
            break;
        case 1:
            f.Add("refused command",
                  {"--refuse", kSendWords[r.Between(0, std::size(kSendWords) - 1)]});
            break;
        case 2:
            f.Add("dropped frame", {"--drop", Number(r.Between(12, 40))});
            f.drop = true;
            break;
        case 3:
            f.Add("silence", {"--silent-after-acks", Number(r.Between(1, 25))});
            break;
        case 4:
            f.Add("hang-up", {"--hang-up-after-acks", Number(r.Between(1, 25))});
            break;
        case 5:
            f.Add("garbage", {"--garbage"});
            break;
        default:
            f.Add("split", {"--split"});
            break;
    }
    if (r.Between(0, 3) == 0) f.Add("garbage", {"--garbage"});
    if (r.Between(0, 3) == 0) f.Add("split", {"--split"});
    f.args.insert(f.args.end(), {"--seed", Number(r.Between(1, 1000000))});
    return f;
}

std::vector<std::string> IdentityArgs(const sim::IdentityRequest& q) {
    std::vector<std::string> args = {"--family", sim::FamilyName(q.family),
                                     "--motors", Number(q.motors),
                                     "--slots",  Number(q.slotsPerDay)};
    if (q.touch) args.push_back("--touch");
    if (q.groups) args.push_back("--groups");
    if (q.radio) args.push_back("--radio");
    return args;
}

// Edits as a user makes them in the masks, every one marked and every one a
// value the Controller takes: per-motor records of the blocks the family
// reads, switching times, a name, a holiday and two parameters.
void EditLikeAUser(ConfigurationModel& m, const sim::ModelFeatures& f, TestRandom& r) {
    for (const testing::BlockRule& rule : testing::BlockRules()) {
        if (!testing::ReadAllReads(rule.block, f) || r.Between(0, 2) == 0) continue;
        const int to = r.Between(1, f.motors), from = r.Between(1, f.motors);
        std::vector<std::int32_t> codes = rule.Codes(m, from);
        codes[0] = codes[0] == kOn ? kOff : kOn;  // the on/off box
        rule.Set(m, to, codes);
        rule.SetModified(m, to, true);
    }
    for (int n = 0; n < 3; ++n) {
        const int day = r.Between(0, 6), motor = r.Between(0, f.motors - 1);
        const int slot = r.Between(0, f.slotsPerDay - 1);
        SwitchTime& e = m.switchTime(day, motor, slot);
        if (e.TimeCode <= 0 || e.DayGroup != 1) continue;  // only single days, so none is added
        e.TimeCode = r.Between(1, 1440);
        e.Direction = r.Between(0, 1);
        e.DurationCode = r.Between(0, 126);
        e.Function = r.Between(0, 2);
        e.Modified = true;
    }
    std::string name = "Raum " + Number(r.Between(1, 999)) + " \xc3\xa4";
    name.resize(13, ' ');  // twelve characters, the umlaut taking two bytes
    m.motorName(r.Between(1, f.motors)) = name;
    m.holiday(r.Between(1, kHolidayCount)) = {r.Between(1, 28), r.Between(1, 12)};
    m.Parameters.RandomSpanCode = r.Between(0, 252);
    m.Parameters.ShadingHysteresisCode = r.Between(0, 48);
}

class Soak {
  public:
    Soak(long seed) : random_(static_cast<std::uint64_t>(seed)) {}

    void Run(long cycles) {
        const auto requests = sim::AllValidRequests();
        for (long cycle = 1; cycle <= cycles && !::testing::Test::HasFatalFailure(); ++cycle) {
            const sim::IdentityRequest request = requests[random_.Between(0, requests.size() - 1)];
            identity_ = IdentityArgs(request);
            features_ = FeaturesOf(identity_);
            memory_ = testing::RichMemory(features_, random_.Next() % 100000);
            SCOPED_TRACE("cycle " + Number(cycle) + ", seed " + Number(seed_));
            ReadPhase(cycle == 1);
            if (::testing::Test::HasFatalFailure()) return;
            EditLikeAUser(W().Model(), features_, random_);
            SendPhase();
            ++cycles_;
        }
    }

    void Report() const {
        std::printf("\n== Fault soak: %ld cycles, seed %ld\n", cycles_, seed_);
        std::printf("faults injected (%ld transfers):\n", 2 * cycles_);
        for (const auto& [kind, n] : faults_)
            std::printf("  %-28s %ld\n", kind.c_str(), n);
        std::printf("outcomes:\n");
        for (const auto& [kind, n] : outcomes_)
            std::printf("  %-60s %ld\n", kind.c_str(), n);
        std::printf("repeats without faults after a failed transfer, all successful: %ld\n",
                    repeats_);
        std::printf("silent differences: %ld\n", silentDifferences_);
        std::printf("hangs: %ld\n\n", hangs_);
        std::fflush(stdout);
    }

    long SilentDifferences() const { return silentDifferences_; }
    long Hangs() const { return hangs_; }
    void SetSeed(long seed) { seed_ = seed; }

  private:
    TQuorvan& W() { return **window_; }

    static sim::ModelFeatures FeaturesOf(const std::vector<std::string>& args) {
        std::string error;
        const auto options = sim::ParseOptions(args, &error);
        return options ? options->config.identity.features : sim::ModelFeatures{};
    }

    // A simulator for the Controller of this cycle: with the memory of the
    // one before it, or a fresh one for a new Controller.
    void StartSimulator(const Faults& faults, bool newController = false) {
        if (window_) W().Comm1().Close();
        if (sim_ && !newController) memory_ = sim_->Dump();
        sim_.reset();
        testing::SimulatorSetup setup = testing::Setup(identity_);
        setup.args.insert(setup.args.end(), faults.args.begin(), faults.args.end());
        setup.memory = memory_;
        sim_ = std::make_unique<E2eSimulator>(work_.path(), setup);
        if (verbose_)
            std::printf("  sim %s %s\n", Joined(identity_).c_str(), Joined(faults.args).c_str());
    }

    // The faults of a transfer, for the report (repeats run without any).
    void Count(const Faults& faults) {
        for (const std::string& kind : faults.kinds)
            ++faults_[kind];
        if (faults.kinds.empty()) ++faults_["none"];
    }

    // The window on the new line. A new Controller comes as a port change
    // (everything marked to be sent); the same Controller on a restarted line
    // only reopens the port. Then the polls that link it.
    // True when the window counts the Controller as linked.
    bool Connect(bool newController) {
        if (!window_) {
            window_ = std::make_unique<E2eWindow>(work_.path());
            W().ReadAll().SetTimeout(1s);
            W().ReadAllWatchdog()->setInterval(100);
            W().SendAll().SetAckTimeout(1s);
            W().SendAllWatchdog()->setInterval(100);
            WatchEnds();
        } else if (newController) {
            window_->ChangePort(1);
        } else {
            W().Guarded([&] { W().Comm1().Open(); });
        }
        for (int tick = 0; tick < 6; ++tick) {
            const int before = window_->Frames();
            W().Timer1Timer();
            testing::WaitFor([&] { return window_->Frames() >= before + 5; }, 1000);
            if (tick >= 1 && !W().State().LinkDown) return true;
        }
        return false;
    }

    // The transfers' own end reports, as the window gets them.
    void WatchEnds() {
        ReadAllSequence& readAll = W().ReadAll();
        readAll.OnCompleted = [this, done = readAll.OnCompleted](const ReadAllResult& r) {
            lastRead_ = r;
            done(r);
        };
        readAll.OnAbandoned = [this, done = readAll.OnAbandoned](ReadAllEnd why) {
            lastRead_ = ReadAllResult{why, {}, 0};
            done(why);
        };
        SendAllSequence& sendAll = W().SendAll();
        sendAll.OnFinished = [this, done = sendAll.OnFinished](const SendAllResult& r) {
            lastSend_ = r;
            done(r);
        };
    }

    bool BoxShown(int boxesBefore) {
        return testing::WaitFor([&] { return window_->log.errors.size() > boxesBefore; }, 5000);
    }

    // --- Read-all ----------------------------------------------------------------

    void ReadPhase(bool first) {
        const Faults faults = ReadFaults(random_, readKinds_.Next(random_));
        Count(faults);
        StartSimulator(faults, true);
        if (!Connect(!first)) {
            Outcome("read: no link while connecting (fault hit the polls)");
            return RepeatRead();
        }
        const ConfigurationModel before = W().Model();
        const int boxes = window_->log.errors.size();
        lastRead_.reset();
        if (!window_->ReadAll(kTransferBoundMs) || !lastRead_) {
            ++hangs_;
            FAIL() << "the read-all did not end; faults: " << Joined(faults.args);
        }
        const ReadAllResult result = *lastRead_;
        const sim::SimMemory dump = sim_->Dump();
        if (result.end == ReadAllEnd::Completed && result.Complete()) {
            const testing::Mismatches m =
                testing::ReadAllMismatches(W().Model(), before, dump, features_);
            if (m.Empty()) return Outcome("read: success");
            if (faults.drop && OnlyListEntriesMissing(before, dump)) {
                // The list has no count: a dropped entry frame cannot be noticed.
                Outcome("read: completed without a dropped switching-time entry (undetectable)");
                return RepeatRead();
            }
            ++silentDifferences_;
            ADD_FAILURE() << "a read reported as complete differs from the Controller; faults: "
                          << Joined(faults.args) << "\n"
                          << m.Text();
            return;
        }
        EXPECT_TRUE(BoxShown(boxes)) << "a failed read without a message";
        const QString panel = W().PanelText(5);
        if (result.end == ReadAllEnd::Completed) {
            EXPECT_EQ(panel, "Unvollständig gelesen");
            EXPECT_TRUE(W().ReadIncomplete());
            Outcome("read: incomplete, reported");
        } else if (result.end == ReadAllEnd::TimedOut) {
            EXPECT_EQ(panel, "Zeitüberschreitung beim Lesen");
            Outcome("read: time-out, reported");
        } else {
            EXPECT_EQ(panel, "Verbindung unterbrochen");
            Outcome("read: line lost, reported");
        }
        RepeatRead();
    }

    bool OnlyListEntriesMissing(const ConfigurationModel& before, const sim::SimMemory& dump) {
        std::set<testing::DataFrame> lost;
        const std::vector<testing::EntryCodes> table = testing::TableFromList(dump.switchTimes);
        for (int i = 0; i < static_cast<int>(dump.switchTimes.size()); ++i) {
            const sim::SwitchTimeRecord& r = dump.switchTimes[static_cast<std::size_t>(i)];
            const SwitchTime& e = W().Model().switchTime(r.day - 1, r.motor - 1, r.slot - 1);
            if (e.TimeCode == 0) lost.insert({"sfs", i});
        }
        return !lost.empty() &&
               testing::ReadAllMismatches(W().Model(), before, dump, features_, lost).Empty();
    }

    void RepeatRead() {
        ++repeats_;
        StartSimulator(Faults{});
        ASSERT_TRUE(Connect(false)) << "no link without faults";
        const ConfigurationModel before = W().Model();
        lastRead_.reset();
        ASSERT_TRUE(window_->ReadAll(kTransferBoundMs) && lastRead_) << "the repeat did not end";
        ASSERT_TRUE(lastRead_->Complete()) << "the repeat without faults is incomplete";
        EXPECT_FALSE(W().ReadIncomplete());
        const testing::Mismatches m =
            testing::ReadAllMismatches(W().Model(), before, sim_->Dump(), features_);
        EXPECT_TRUE(m.Empty()) << "after the repeated read:\n" << m.Text();
    }

    // --- Send-all ----------------------------------------------------------------

    void SendPhase() {
        const Faults faults = SendFaults(random_, sendKinds_.Next(random_));
        Count(faults);
        StartSimulator(faults);
        const ConfigurationModel edited = W().Model();
        if (!Connect(false)) {
            Outcome("send: no link while connecting (fault hit the polls)");
            return RepeatSend(edited);
        }
        const sim::SimMemory before = memory_;
        const int boxes = window_->log.errors.size();
        lastSend_.reset();
        if (!window_->SendAll(kTransferBoundMs) || !lastSend_) {
            ++hangs_;
            FAIL() << "the send-all did not end; faults: " << Joined(faults.args);
        }
        const SendAllResult result = *lastSend_;
        const sim::SimMemory dump = sim_->Dump();
        if (result.end == SendAllEnd::Completed && result.refused.empty()) {
            // What went: the records marked when it started, with the values
            // the program sent (a run time fitted to a radio Controller's list).
            ConfigurationModel sent = W().Model();
            for (const testing::BlockRule& rule : testing::BlockRules())
                for (int motor = 1; motor <= kMotorCount; ++motor)
                    rule.SetModified(sent, motor, rule.Modified(edited, motor));
            const testing::Mismatches m =
                testing::SendAllMismatches(dump, before, sent, features_, kFirmware);
            const testing::Mismatches equal = BothSides(dump);
            if (m.Empty() && equal.Empty()) return Outcome("send: success");
            ++silentDifferences_;
            ADD_FAILURE() << "a send reported as complete left the Controller different; faults: "
                          << Joined(faults.args) << "\n"
                          << m.Text() << equal.Text();
            return;
        }
        EXPECT_TRUE(BoxShown(boxes)) << "a failed send without a message";
        const QString panel = W().PanelText(5);
        switch (result.end) {
            case SendAllEnd::Completed:
                EXPECT_TRUE(panel.startsWith("Fehler ")) << panel.toStdString();
                Outcome("send: refused block, reported");
                break;
            case SendAllEnd::TimedOut:
                EXPECT_EQ(panel, "Zeitüberschreitung beim Senden");
                Outcome("send: time-out, reported");
                break;
            case SendAllEnd::DeviceLost:
                EXPECT_EQ(panel, "Verbindung unterbrochen");
                Outcome("send: line lost, reported");
                break;
            default:
                ADD_FAILURE() << "send ended as " << static_cast<int>(result.end);
                break;
        }
        RepeatSend(edited);
    }

    // Nothing the user edited is lost: a repeat without faults sends what the
    // Controller still lacks, and both sides are equal then.
    void RepeatSend(const ConfigurationModel& edited) {
        for (int m = 1; m <= kMotorCount; ++m)
            EXPECT_EQ(W().Model().motorName(m), edited.motorName(m));
        ++repeats_;
        StartSimulator(Faults{});
        ASSERT_TRUE(Connect(false)) << "no link without faults";
        lastSend_.reset();
        ASSERT_TRUE(window_->SendAll(kTransferBoundMs) && lastSend_) << "the repeat did not end";
        ASSERT_EQ(lastSend_->end, SendAllEnd::Completed);
        ASSERT_TRUE(lastSend_->refused.empty())
            << "refused without a fault: " << RefusedStepCaption(lastSend_->refused[0]);
        const testing::Mismatches equal = BothSides(sim_->Dump());
        EXPECT_TRUE(equal.Empty()) << "after the repeated send:\n" << equal.Text();
        const testing::Mismatches kept =
            testing::ReadAllMismatches(edited, edited, memory_, features_);
        EXPECT_TRUE(kept.Empty()) << "the user's edits did not all arrive:\n" << kept.Text();
    }

    // The Controller holds what the model holds, compared as a read-all compares.
    testing::Mismatches BothSides(const sim::SimMemory& dump) {
        memory_ = dump;
        return testing::ReadAllMismatches(W().Model(), W().Model(), dump, features_);
    }

    void Outcome(const std::string& kind) {
        ++outcomes_[kind];
        if (verbose_) std::printf("  -> %s\n", kind.c_str());
    }

    static std::string Joined(const std::vector<std::string>& args) {
        std::string text;
        for (const std::string& a : args)
            text += a + " ";
        return text;
    }

    TestRandom random_;
    KindDeck readKinds_, sendKinds_;
    long seed_ = 1;
    TempWorkDir work_;
    std::vector<std::string> identity_;
    sim::ModelFeatures features_;
    sim::SimMemory memory_;
    std::unique_ptr<E2eSimulator> sim_;
    std::unique_ptr<E2eWindow> window_;
    std::optional<ReadAllResult> lastRead_;
    std::optional<SendAllResult> lastSend_;
    long cycles_ = 0;
    std::map<std::string, long> faults_;
    std::map<std::string, long> outcomes_;
    long silentDifferences_ = 0;
    long hangs_ = 0;
    long repeats_ = 0;
    const bool verbose_ = EnvNumber("VELTRANO_SOAK_VERBOSE", 0) != 0;
};

TEST(FaultSoak, EveryTransferEndsReportedAndNothingIsSilentlyLost) {
    const long cycles = EnvNumber("VELTRANO_SOAK_CYCLES", 20);
    const long seed = EnvNumber("VELTRANO_SOAK_SEED", 1);
    Soak soak(seed);
    soak.SetSeed(seed);
    soak.Run(cycles);
    soak.Report();
    EXPECT_EQ(soak.SilentDifferences(), 0);
    EXPECT_EQ(soak.Hangs(), 0);
}

}  // namespace
}  // namespace veltrano
