// Garbage and half commands never crash the simulated Controller, and it
// answers normally afterwards.
#include <gtest/gtest.h>

#include "fault_injector.h"
#include "sim_controller.h"
#include "sim_test_support.h"

namespace veltrano::sim {
namespace {

using testing::At;
using testing::ConfigOf;

TEST(Robustness, FragmentsOfEveryCommandInRandomOrder) {
    const char* fragments[] = {"sfi\r",
                               "skd\r",
                               "sbp",
                               "sfs",
                               "smn",
                               "sld",
                               "slf",
                               "slr",
                               "sll",
                               "srs\r",
                               "swl",
                               " rbp",
                               " rfs",
                               " rmn",
                               " rta ",
                               " rta",
                               " rhb",
                               " rhi\r",
                               " rhe\r",
                               "32\r",
                               "0\r",
                               "255\r",
                               "8\r",
                               "67\r",
                               "-1\r",
                               "\r",
                               "up\r",
                               "down\r",
                               "417\r",
                               " + sti\r",
                               "4294967295\r",
                               "99999999999\r",
                               "Wohnzimmer  \r",
                               "start_",
                               "ende_",
                               "\x11",
                               "\x13",
                               "\xFF",
                               "x",
                               " ",
                               ",",
                               "22\r"};
    SimConfig config = ConfigOf({Family::Conservatory, 32, 8, true, true});
    config.faults = {3, 5, true, true, 11};
    SimController sim(config, DemoMemory(config.identity.features));
    SeededRandom random(2024);
    std::string input;
    for (int i = 0; i < 4000; ++i)
        input += fragments[random.Below(std::size(fragments))];
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t length = 1 + random.Below(40);
        EXPECT_NO_THROW(sim.Receive(std::string_view(input).substr(at, length), At(at)));
        at += length;
    }
    // Whatever the noise left half done is finished by enough line ends.
    sim.Receive(std::string(40, '\r'), At());
    SimConfig plain = ConfigOf({Family::Conservatory, 32, 8, true, true});
    SimController clean(plain, sim.Memory());
    EXPECT_EQ(clean.ReceiveText("smo\r", At()), "start_smoQVS-900 W K:9WTGende_");
    for (const auto& record : sim.Memory().switchTimes) {
        EXPECT_GE(record.day, 1);
        EXPECT_LE(record.day, 7);
    }
}

}  // namespace
}  // namespace veltrano::sim
