// The list row and the export line of a logbook entry, character for character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logbook/logbook_lines.h"

namespace veltrano {
namespace {

// Entry 7: motor 3, up, 5 March, 07:30, shading.
LogbookEntry Entry(std::int64_t code = 1, std::int64_t subCode = 0) {
    return {7, 3, 1, 5, 3, code, 7, 30, subCode};
}

LogbookEntry With(LogbookEntry e, std::int64_t day, std::int64_t month, std::int64_t hour,
                  std::int64_t direction) {
    e.Day = day;
    e.Month = month;
    e.Hour = hour;
    e.Direction = direction;
    return e;
}

TEST(LogbookListRow, CharacterForCharacter) {
    struct Case {
        LogbookEntry entry;
        std::int64_t n;
        std::string name;
        std::string row;
    };
    const std::string shading = "05.03.   07:30    ^     Beschattungs-Automatik";
    const std::string noArrow = "05.03.   07:30          ";
    const std::vector<Case> cases = {
        {Entry(), 7, "Motor 3", "    7  Motor 3      " + shading},
        {Entry(), 10, "Motor 3", "   10  Motor 3      " + shading},
        {Entry(), 99, "Motor 3", "   99  Motor 3      " + shading},
        {Entry(), 100, "Motor 3", "  100  Motor 3      " + shading},
        {Entry(), 999, "Motor 3", "  999  Motor 3      " + shading},
        {Entry(), 1000, "Motor 3", "1000  Motor 3      " + shading},
        {Entry(), 2000, "Motor 3", "2000  Motor 3      " + shading},
        {Entry(), -1, "Motor 3", "    -1  Motor 3      " + shading},
        // Names: padded or cut to 12 characters, umlauts counting as one.
        {Entry(), 7, "Wintergarten Ost", "    7  Wintergarten " + shading},
        {Entry(), 7, "Küche Südseite", "    7  Küche Südsei " + shading},
        {Entry(), 7, "", "    7               " + shading},
        // Codes without direction, and without motor.
        {Entry(5), 7, "Motor 3",
         "    7  Motor 3      " + noArrow + "Abbruch durch Vorrang des Bedienschalters"},
        {Entry(8), 7, "Motor 3",
         "    7               " + noArrow + "Alarm bzw. Zentralschalter ausgelöst"},
        {Entry(9), 7, "Motor 3", "    7               " + noArrow + "Neustart nach Anlagen-Reset"},
        {Entry(18), 7, "Motor 3",
         "    7               " + noArrow + "Umstellung MEZ -> MESZ, Astro-Zeiten angepasst"},
        {Entry(19), 7, "Motor 3",
         "    7               " + noArrow + "Umstellung MESZ -> MEZ, Astro-Zeiten angepasst"},
        {Entry(20), 7, "Motor 3",
         "    7               " + noArrow + "Alarm bzw. Zentralschalter aufgehoben"},
        // Directions: 0 down, anything else up.
        {With(Entry(), 5, 3, 7, 0), 7, "Motor 3",
         "    7  Motor 3      05.03.   07:30    v     Beschattungs-Automatik"},
        {With(Entry(), 5, 3, 7, 2), 7, "Motor 3", "    7  Motor 3      " + shading},
        {With(Entry(), 5, 3, 7, -1), 7, "Motor 3", "    7  Motor 3      " + shading},
        // Fields out of range are shown as they come.
        {With(Entry(), 45, 13, 99, 1), 7, "Motor 3",
         "    7  Motor 3      45.13.   99:30    ^     Beschattungs-Automatik"},
        {With(Entry(), -1, -12, -3, 1), 7, "Motor 3",
         "    7  Motor 3      -1.-12.   -3:30    ^     Beschattungs-Automatik"},
        {With(Entry(), 0, 0, 7, 1), 7, "Motor 3", "   Keine Logbucheinträge gespeichert"},
        {With(Entry(), 0, 3, 0, 1), 7, "Motor 3",
         "    7  Motor 3      00.03.   00:30    ^     Beschattungs-Automatik"},
        // Code 0 by its sub-code; codes without a text.
        {Entry(0, 0), 7, "Motor 3",
         "    7  Motor 3      05.03.   07:30    ^     Fest programmierte Schaltzeit"},
        {Entry(0, 1), 7, "Motor 3",
         "    7  Motor 3      05.03.   07:30    ^     Programmierte Schaltzeit mit Solarfunktion"},
        {Entry(0, 2), 7, "Motor 3",
         "    7  Motor 3      05.03.   07:30    ^     Programmierte Schaltzeit mit "
         "Zufallsfunktion"},
        {Entry(0, 3), 7, "Motor 3", "    7  Motor 3      05.03.   07:30    ^     "},
        {Entry(24), 7, "Motor 3", "    7  Motor 3      05.03.   07:30    ^     Heizungs-Steuerung"},
        {Entry(25), 7, "Motor 3", "    7  Motor 3      05.03.   07:30    ^     "},
        {Entry(-1), 7, "Motor 3", "    7  Motor 3      05.03.   07:30    ^     "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogbookListRow(c.entry, c.n, c.name), c.row) << c.row;
}

TEST(LogbookListRow, LongestRowFitsTheListWidth) {
    const std::string row = LogbookListRow(Entry(17), 999, "Wintergarten");
    EXPECT_EQ(row.size(), 91u);  // all ASCII: characters = bytes
    EXPECT_LE(static_cast<int>(row.size()), kLogbookRowWidth);
}

TEST(LogbookExportLine, SixFieldsSeparatedBySemicolons) {
    struct Case {
        LogbookEntry entry;
        std::string name;
        std::string line;
    };
    const std::string blanks(12, ' ');
    const std::vector<Case> cases = {
        {Entry(), "Motor 3", "114;Motor 3;05.03.;07:30;^;Beschattungs-Automatik"},
        {Entry(7), "Motor 3", "114;Motor 3;05.03.;07:30;^;Innentemperatur-Automatik"},
        {Entry(8), "Motor 3", "114;" + blanks + ";05.03.;07:30; ;Alarmkontakt wurde ausgelöst"},
        {Entry(9), "Motor 3", "114;" + blanks + ";05.03.;07:30; ;Neustart nach Anlagen-Reset"},
        {Entry(10), "Motor 3", "114;Motor 3;05.03.;07:30;^;Außentemperatur-Automatik"},
        {Entry(11), "Motor 3",
         "114;Motor 3;05.03.;07:30;^;Durch AT-Steuerung ist Motor de-aktiviert"},
        // The list leaves motor and arrow out for code 18; the export does not.
        {Entry(18), "Motor 3",
         "114;Motor 3;05.03.;07:30;^;Umstellung MEZ -> MESZ, Astro-Zeiten angepasst"},
        {Entry(24), "Motor 3", "114;Motor 3;05.03.;07:30;^;"},
        {Entry(0, 1), "Motor 3",
         "114;Motor 3;05.03.;07:30;^;Programmierte Schaltzeit mit Astrofunktion"},
        // Names as held: in full, padded Controller names with their blanks.
        {Entry(), "Wintergarten Ostseite",
         "114;Wintergarten Ostseite;05.03.;07:30;^;Beschattungs-Automatik"},
        {Entry(), "Motor 3     ", "114;Motor 3     ;05.03.;07:30;^;Beschattungs-Automatik"},
        // A name that would shift the columns is quoted.
        {Entry(), "Bad; WC", "114;\"Bad; WC\";05.03.;07:30;^;Beschattungs-Automatik"},
        {Entry(), "Sagt \"Hi\"", "114;\"Sagt \"\"Hi\"\"\";05.03.;07:30;^;Beschattungs-Automatik"},
        {Entry(), "Zwei\r\nZeilen", "114;\"Zwei\r\nZeilen\";05.03.;07:30;^;Beschattungs-Automatik"},
        // The end marker of a Controller: motor 1, down, no date.
        {{9999, 1, 0, 0, 0, 0, 0, 0, 0},
         "Motor 1",
         "114;Motor 1;00.00.;00:00;v;   Keine Logbucheinträge gespeichert"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogbookExportLine(c.entry, 114, c.name), c.line) << c.line;
}

TEST(LogbookExportBytes, Windows1252WithCrLfAfterEveryLineAndNoByteOrderMark) {
    const std::string bytes =
        LogbookExportBytes({kLogbookExportHeader, "1;Schöne Grüße;01.01.;00:00;^;Tür"});
    EXPECT_EQ(bytes,
              "Nr;Motor/Raum;Datum;Uhrzeit;Richtung;Ausgel\xF6st durch\r\n"
              "1;Sch\xF6ne Gr\xFC\xDF"
              "e;01.01.;00:00;^;T\xFCr\r\n");
    EXPECT_NE(LogbookExportBytes({"\xC3\xA4"}), "\xC3\xA4\r\n");
    EXPECT_EQ(LogbookExportBytes({"\xC3\xA4"}), "\xE4\r\n");
    EXPECT_EQ(LogbookExportBytes({}), "");
}

}  // namespace
}  // namespace veltrano
