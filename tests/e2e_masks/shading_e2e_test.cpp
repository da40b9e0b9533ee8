// The sheet "Beschattung, Dämmerung" against the simulated Controller: what a
// read-all shows in its lists, an edit made in its boxes going out with
// "PC --> Steuerung" and coming back, and an 8-motor Controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <string>
#include <vector>

#include "mask_e2e_fixture.h"

namespace veltrano {
namespace {

class ShadingE2eTest : public testing::MaskE2eTest {
  protected:
    ShadingE2eTest() { sheet = "Beschattung_Maske"; }
};

TEST_F(ShadingE2eTest, AReadShowsTheControllersRecordsInTheSheetsLines) {
    Start({"--family", "sun", "--motors", "32"}, [](sim::SimMemory& m) {
        // Motor 3 on with a temperature no item stands for.
        m.Record(sim::MotorBlock::Shading, 3) = {1, 200, 10, 20, 186, 10};
    });
    testing::ClickRow(List("BA_Liste"), 4);
    ASSERT_TRUE(window->ReadAll());

    EXPECT_EQ(Row("BA_Liste", 0), "Wohnzimmer    EIN  24°C  09:00 - 19:00  240 k    12s");
    EXPECT_EQ(Row("BA_Liste", 1), "Küche         EIN  17°C  07:00 - 21:00  990 k    999s");
    EXPECT_EQ(Row("BA_Liste", 2), "Esszimmer     EIN    °C  10:00 - 20:00  600 k    10s");
    EXPECT_EQ(Row("BA_Liste", 3), "Schlafzimmer  AUS");
    EXPECT_EQ(Row("BA_Liste", 31), "Motor 32      AUS");
    // The morning list in the mask's own form after the read, not the block's.
    EXPECT_EQ(Row("DM_Liste", 0), "Wohnzimmer    EIN    Nr. 3   0,1     Dauer");
    EXPECT_EQ(Row("DA_Liste", 1), "Küche         EIN   Nr. 4   990 k    60s");
    // The row selected before the read, and its motor loaded.
    EXPECT_EQ(List("BA_Liste")->SelectedRow(), 4);
    // Names come as the Controller keeps them: twelve characters.
    EXPECT_EQ(Combo("BA_Raum")->currentText().toStdString(), "Kinderzimmer");
    EXPECT_EQ(Combo("DA_Raum")->currentText().toStdString(), "Wohnzimmer  ");
    // The code outside the list stays until the user chooses.
    testing::ClickRow(List("BA_Liste"), 2);
    EXPECT_EQ(Combo("BA_Temperatur")->currentIndex(), -1);
    EXPECT_EQ((*window)->Model().shading(3).TemperatureCode, 110);
}

TEST_F(ShadingE2eTest, AnEditGoesToTheControllerAndComesBack) {
    Start({"--family", "conservatory", "--motors", "32"});
    ASSERT_TRUE(window->ReadAll());
    testing::ClickRow(List("BA_Liste"), 2);
    Choose("BA_EIN_AUS", 0);
    Choose("BA_Temperatur", 32);                   // 22
    Choose("BA_Bis", 14);                          // 19:00
    Choose("BA_von", 3);                           // 08:00
    Choose("BA_Lux", 3);                           // 4 k
    Choose("BA_Dauer", 9);                         // 10s
    testing::DoubleClickRow(List("DA_Liste"), 1);  // evening twilight of motor 2 off
    ASSERT_TRUE(window->SendAll());

    const sim::SimMemory memory = sim->Dump();
    EXPECT_EQ(memory.Record(sim::MotorBlock::Shading, 3),
              (sim::MotorRecord{1, 122, 8, 19, 40, 10}));
    EXPECT_EQ(memory.Record(sim::MotorBlock::TwilightEvening, 2)[0], 0);

    (*window)->Model().ResetToDefaults();
    ASSERT_TRUE(window->ReadAll());
    EXPECT_EQ(Row("BA_Liste", 2), "Esszimmer     EIN  22°C  08:00 - 19:00  4 k    10s");
    EXPECT_EQ(Row("DA_Liste", 1), "Küche         AUS");
}

TEST_F(ShadingE2eTest, AnEightMotorControllerKeepsTheSheetToItsMotors) {
    Start({"--family", "sun", "--motors", "8"});
    ASSERT_TRUE(window->ReadAll());
    EXPECT_EQ(Row("BA_Liste", 7), "Gäste-WC      AUS");
    EXPECT_EQ(Row("BA_Liste", 8), "Motor 9       AUS");

    testing::ClickRow(List("BA_Liste"), 11);
    EXPECT_EQ(List("BA_Liste")->SelectedRow(), 0);
    Choose("BA_Raum", 9);
    EXPECT_EQ(Combo("BA_Raum")->currentIndex(), 0);
    testing::DoubleClickRow(List("BA_Liste"), 12);
    EXPECT_EQ((*window)->Model().shading(13).Off, kOff);
    EXPECT_EQ((*window)->Model().shading(1).Off, kOn);

    testing::DoubleClickRow(List("DM_Liste"), 5);  // morning twilight of motor 6 on
    ASSERT_TRUE(window->SendAll());
    const sim::SimMemory memory = sim->Dump();
    EXPECT_EQ(memory.Record(sim::MotorBlock::TwilightMorning, 6)[0], 1);
    EXPECT_EQ(memory.Record(sim::MotorBlock::Shading, 1),
              (sim::MotorRecord{1, 124, 9, 19, 150, 12}));
}

}  // namespace
}  // namespace veltrano
