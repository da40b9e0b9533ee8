#include "cli_help.h"

namespace veltrano::cli {
namespace {

constexpr const char* kCommon =
    "\nAllgemeine Optionen:\n"
    "  --trace DATEI   jedes gesendete und empfangene Zeichen mit Zeitstempel in DATEI\n"
    "  --help          diese Hilfe\n"
    "\nPorts: COM1 bis COM8 (wie im Programm: ./COMn, sonst /dev/ttyUSB{n-1}, sonst\n"
    "/dev/ttyS{n-1}) oder ein Gerätepfad wie /dev/ttyUSB0.\n"
    "\nRückgabewerte:\n"
    "  0  erfolgreich\n"
    "  1  falscher Aufruf (auch: write ohne Terminal und ohne --yes)\n"
    "  2  Port nicht zu öffnen, keine Antwort der Steuerung in 2,5 s, Firmware nicht unterstützt\n"
    "  3  Übertragung unvollständig, abgelehnt, abgebrochen oder Zeitüberschreitung\n"
    "  4  diff: die Konfigurationen unterscheiden sich\n"
    "  5  Datei ist keine Sicherungsdatei, ist beschädigt oder kann nicht geschrieben werden\n";

constexpr const char* kOverview =
    "veltrano-cli – die Steuerung vom Terminal aus\n"
    "\nAufruf: veltrano-cli BEFEHL [OPTIONEN]\n"
    "\nBefehle:\n"
    "  status  --port P            Modell, Firmware, Datum, Uhrzeit und Messwerte\n"
    "  read    --port P -o DATEI   alle Daten der Steuerung lesen und als .qts sichern\n"
    "  write   --port P DATEI      eine .qts-Datei in die Steuerung senden\n"
    "  diff    A B                 zwei Konfigurationen vergleichen (Datei oder port:P)\n"
    "\nveltrano-cli BEFEHL --help zeigt die Hilfe eines Befehls.\n";

constexpr const char* kStatus =
    "veltrano-cli status --port P\n"
    "\nFragt die Steuerung ab wie das Programm (Modell, Firmware, Datum, Uhrzeit) und\n"
    "zeigt ihre Ausstattung und die Messwerte mit den Texten der Statuszeile.\n"
    "\nBeispiel:\n"
    "  veltrano-cli status --port COM1\n";

constexpr const char* kRead =
    "veltrano-cli read --port P -o DATEI.qts\n"
    "\nLiest alle Daten der Steuerung (\"Steuerung --> PC\") und schreibt sie als\n"
    "Sicherungsdatei, Byte für Byte wie \"Speichern auf File\". Die Datei entsteht nur,\n"
    "wenn alles vollständig gelesen wurde; eine vorhandene Datei bleibt sonst unverändert.\n"
    "\nBeispiele:\n"
    "  veltrano-cli read --port COM1 -o wohnhaus.qts\n"
    "  veltrano-cli read --port /dev/ttyUSB0 -o wohnhaus.qts --trace lesen.txt\n";

constexpr const char* kWrite =
    "veltrano-cli write --port P DATEI.qts [--yes]\n"
    "\nLiest die Sicherungsdatei wie \"Lesen von File\" und sendet alle Daten zur\n"
    "Steuerung (\"PC --> Steuerung\"). Alle Daten in der Steuerung werden überschrieben:\n"
    "am Terminal wird vorher gefragt; ohne Terminal sendet der Befehl nur mit --yes.\n"
    "\nBeispiele:\n"
    "  veltrano-cli write --port COM1 wohnhaus.qts\n"
    "  veltrano-cli write --port COM1 wohnhaus.qts --yes --trace senden.txt\n";

constexpr const char* kDiff =
    "veltrano-cli diff A B\n"
    "\nVergleicht zwei Konfigurationen und zeigt jeden Unterschied, geordnet wie die\n"
    "Karteikarten des Programms. A und B sind Sicherungsdateien oder port:P (dann wird\n"
    "die Steuerung an P zuerst gelesen). Rückgabewert 0: gleich, 4: verschieden.\n"
    "\nBeispiele:\n"
    "  veltrano-cli diff wohnhaus.qts port:COM1\n"
    "  veltrano-cli diff alt.qts neu.qts\n";

}  // namespace

std::string HelpText(Command command) {
    switch (command) {
        case Command::Status:
            return std::string(kStatus) + kCommon;
        case Command::Read:
            return std::string(kRead) + kCommon;
        case Command::Write:
            return std::string(kWrite) + kCommon;
        case Command::Diff:
            return std::string(kDiff) + kCommon;
        case Command::None:
            break;
    }
    return std::string(kOverview) + kCommon;
}

}  // namespace veltrano::cli
