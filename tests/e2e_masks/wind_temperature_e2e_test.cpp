// The sheets "Wind-, Regen-, Feuchte" and "Temperatur-Steuerung" against the
// simulated conservatory Controller: what a read-all shows in their lists
// and boxes, and one edit per section going out with "PC --> Steuerung"
// while every other record stays as it was.
#include "mask_e2e_fixture.h"

namespace veltrano {
namespace {

using sim::MotorBlock;
using sim::MotorRecord;

const std::vector<std::string> kConservatory = {"--family", "conservatory", "--motors", "32"};

class WindTemperatureE2eTest : public testing::MaskE2eTest {
  protected:
    WindTemperatureE2eTest() { sheet = "Wind_Regen_Maske"; }
    void ShowSheet(const char* name) {
        auto* pages = (*window)->findChild<QTabWidget*>("Parameter_Maske");
        pages->setCurrentWidget((*window)->findChild<QWidget*>(name));
        QApplication::processEvents();
    }
    bool Hidden(const char* name) { return (*window)->findChild<QWidget*>(name)->isHidden(); }
};

TEST_F(WindTemperatureE2eTest, AReadShowsTheRecordsInTheLinesAndBoxes) {
    Start(kConservatory, [](sim::SimMemory& m) {
        m.Record(MotorBlock::Wind, 3) = {1, 32};  // 32 km/h: the 30 km/h item
        m.Record(MotorBlock::Rain, 3) = {1, 0};   // down
        m.Record(MotorBlock::Humidity, 3) = {1, 1, 76, 66, 191, 8, 8};
        m.Record(MotorBlock::ProportionalTemp, 3) = {1, 8, 18, 126, 1, 3, 60, 6};
        m.Record(MotorBlock::InsideTemp, 3) = {1, 1, 122, 1, 120, 191, 9, 9};
        m.Record(MotorBlock::OutsideTemp, 3) = {1, 102, 2, 105, 40};
    });
    ASSERT_TRUE(window->ReadAll());

    EXPECT_EQ(Row("EW_Liste", 2), "Esszimmer     EIN    30km/h    v");
    EXPECT_EQ(Row("ER_Liste", 2), "Esszimmer     EIN      v");
    EXPECT_EQ(Row("RelF_Liste", 2), "Esszimmer     EIN    ganztägig    F>76% ^    F<66% -  Dauer");
    testing::ClickRow(List("EW_Liste"), 2);
    EXPECT_EQ(Combo("EW_kmh")->currentText(), "30");
    EXPECT_EQ(Combo("EW_Richtung")->currentIndex(), kDown);
    testing::ClickRow(List("RelF_Liste"), 2);
    EXPECT_EQ(Combo("RelF_Stellzeit")->currentText(), "Dauer");

    ShowSheet("Wintergarten_Maske");
    EXPECT_EQ(Row("PT_Liste", 2), "Esszimmer     EIN  08:00 - 18:00  26°C  ^  3°C    60s    6");
    EXPECT_EQ(Row("IT_Liste", 2), "Esszimmer     EIN    ganztägig    T>22°C ^   T<20°C v Dauer");
    EXPECT_EQ(Row("AT_Liste", 2), "Esszimmer     EIN   T<2°C        deaktiv! ");
    testing::ClickRow(List("AT_Liste"), 2);
    EXPECT_EQ(Combo("AT_Auf_Ab")->currentText(), "DEAKTIV");
    EXPECT_TRUE(Hidden("AT_Schwelle_2"));
    EXPECT_FALSE(Hidden("AT_Schwelle_1"));
    testing::ClickRow(List("IT_Liste"), 2);
    EXPECT_EQ(Combo("IT_Schwelle_1")->currentText(), "22°");
    EXPECT_EQ(Combo("IT_Stellzeit")->currentText(), "Dauer");
}

TEST_F(WindTemperatureE2eTest, AnEditInEachSectionGoesOutAndNothingElseChanges) {
    Start(kConservatory, [](sim::SimMemory& m) {
        m.Record(MotorBlock::Wind, 4) = {0, 30};
        m.Record(MotorBlock::Rain, 4) = {0, 1};
        m.Record(MotorBlock::Humidity, 4) = {0, 1, 76, 66, 40, 8, 21};
        m.Record(MotorBlock::ProportionalTemp, 5) = {0, 10, 22, 123, 1, 3, 40, 6};
        m.Record(MotorBlock::InsideTemp, 5) = {0, 1, 122, 1, 120, 40, 8, 21};
        m.Record(MotorBlock::OutsideTemp, 5) = {0, 102, 0, 105, 40};
    });
    ASSERT_TRUE(window->ReadAll());
    const sim::SimMemory before = sim->Dump();

    testing::ClickRow(List("EW_Liste"), 3);
    Choose("EW_Ein_Aus", 0);
    Choose("EW_kmh", 8);  // 45 km/h
    testing::ClickRow(List("ER_Liste"), 3);
    Choose("ER_Ein_Aus", 0);
    Choose("ER_Richtung", kDown);
    testing::ClickRow(List("RelF_Liste"), 3);
    Choose("RelF_Ein_Aus", 0);
    Choose("RelF_Schwelle_1", 50);  // 51 % above 66 % with "F>": threshold 2 to 50 %
    ShowSheet("Wintergarten_Maske");
    testing::ClickRow(List("PT_Liste"), 4);
    Choose("PT_Ein_Aus", 0);
    Choose("PT_Soll_Temp", 29);  // 30°
    testing::ClickRow(List("IT_Liste"), 4);
    Choose("IT_Ein_Aus", 0);
    Choose("IT_Stellzeit", 190);  // "Dauer"
    testing::ClickRow(List("AT_Liste"), 4);
    Choose("AT_Ein_Aus", 0);
    Choose("AT_Auf_Ab", kDeactivated);
    ASSERT_TRUE(window->SendAll());

    const sim::SimMemory after = sim->Dump();
    struct Edited {
        MotorBlock block;
        int motor;
        MotorRecord record;
    };
    const Edited edited[] = {
        {MotorBlock::Wind, 4, {1, 45}},
        {MotorBlock::Rain, 4, {1, 0}},
        {MotorBlock::Humidity, 4, {1, 1, 51, 50, 40, 8, 21}},
        {MotorBlock::ProportionalTemp, 5, {1, 10, 22, 130, 1, 3, 40, 6}},
        {MotorBlock::InsideTemp, 5, {1, 1, 122, 1, 120, 191, 8, 21}},
        {MotorBlock::OutsideTemp, 5, {1, 102, 2, 105, 40}},
    };
    for (const Edited& e : edited) {
        EXPECT_EQ(after.Record(e.block, e.motor), e.record) << static_cast<int>(e.block);
        for (int motor = 1; motor <= kMotorCount; ++motor) {
            if (motor == e.motor) continue;
            EXPECT_EQ(after.Record(e.block, motor), before.Record(e.block, motor))
                << static_cast<int>(e.block) << " motor " << motor;
        }
    }

    // Read back: the lines show the edits again.
    (*window)->Model().ResetToDefaults();
    ASSERT_TRUE(window->ReadAll());
    EXPECT_EQ(Row("AT_Liste", 4).substr(Row("AT_Liste", 4).size() - 11), "  deaktiv! ");
    ShowSheet("Wind_Regen_Maske");
    EXPECT_NE(Row("EW_Liste", 3).find("EIN    45km/h    v"), std::string::npos)
        << Row("EW_Liste", 3);
}

}  // namespace
}  // namespace veltrano
