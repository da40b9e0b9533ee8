// Reading the Controller's logbook into the list LB a page at a time,
// collecting all of it for the export file, and erasing it: the state of a
// transfer from its first command to its end marker, where each entry goes
// in the list, and a watchdog for a Controller that stops answering. The
// window does its own part (controls, timers, the file) around it.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "link/read_all.h"
#include "link/window_hooks.h"
#include "logbook/logbook_entry.h"
#include "model/configuration_model.h"

namespace veltrano {

enum class LogbookTransferKind {
    None,
    PageRead,  // "Logbuch lesen", "Ab Anfang": sld frames into LB
    Export     // "Save to Disk": slf frames into the export file's lines
};

// What the logbook sheet does for a transfer.
struct LogbookListHooks {
    // LB := kLogbookListRows empty rows.
    std::function<void()> EmptyList;
    // Row `row` of LB := text; missing rows before it are created empty.
    std::function<void(int row, const std::string& text)> SetRow;
    std::function<void(int row)> SelectRow;
    // LogbuchProgressBar; the maximum is at least 1, the position within it.
    std::function<void(int maximum)> SetProgressMaximum;
    std::function<void(int position)> SetProgressPosition;
};

// Up to 100 entries of a page and the row of its end marker.
inline constexpr int kLogbookListRows = 101;

// Rows of LB: entry k goes to row k - 1 less whole hundreds; the end marker
// goes to the row after the last entry, LogbookLastEntry reduced into 1..100
// (row 0, in an emptied list, when no entry was received).
int LogbookEntryRow(std::int64_t entryNumber);
int LogbookMarkerRow(std::int64_t lastEntry);

class LogbookTransfer {
  public:
    using Clock = ReadAllSequence::Clock;
    // A transfer ends when no character arrived for this long, as a read-all does.
    static constexpr std::chrono::milliseconds kTimeout = ReadAllSequence::kDefaultTimeout;

    LogbookTransfer(LinkState& state, const ConfigurationModel& model, const WindowHooks& hooks);

    LogbookListHooks List;
    // The end marker arrived: RxCount + 1 and panel 6 emptied are done; the
    // window gives back its controls (and, after an export, writes the file
    // from TakeExportBytes()).
    std::function<void(LogbookTransferKind)> OnEnded;
    // The transfer was given up (watchdog or Abandon): the list shows where
    // the read stopped, an export's lines are discarded, panel 5 reads
    // "Zeitüberschreitung Logbuch". The window gives back its controls.
    std::function<void(LogbookTransferKind)> OnAbandoned;

    // A transfer starts: the logbook's own name table is cleared and the
    // watchdog armed. Before the first command is written.
    void BeginPageRead();
    void BeginExport();
    // "Logbuch löschen": LB emptied, the next end marker goes to row 1.
    void Erase();

    // The frames. Entry frames outside their own transfer are ignored. Throw
    // PayloadError for a payload that holds no numbers.
    void SizeFrame(const std::string& payload);    // "sla"
    void ListFrame(const std::string& payload);    // "sld"
    void ExportFrame(const std::string& payload);  // "slf"
    // "smn" during a transfer fills the logbook's own name table, so the
    // user's unsent names stay; false outside a transfer.
    bool MotorNameFrame(const std::string& payload);

    // Run periodically while a transfer runs; true when it gave it up now.
    bool CheckWatchdog();
    // Ends a running transfer at once, as the watchdog does (a lost line).
    void Abandon();

    // The export file's bytes after an export ended; the lines are dropped.
    std::string TakeExportBytes();

    LogbookTransferKind Kind() const { return kind_; }
    bool Running() const { return kind_ != LogbookTransferKind::None; }
    std::int64_t LogbookTotal() const { return total_; }
    std::int64_t LogbookLastEntry() const { return lastEntry_; }

    void SetClock(Clock clock) { clock_ = std::move(clock); }

  private:
    void Begin(LogbookTransferKind kind);
    void End();
    // The entry, or nullopt after reporting a faulty one in panel 5.
    std::optional<LogbookEntry> Decode(const std::string& payload);
    std::string NameOf(std::int64_t motor) const;
    void PlaceRow(int row, const std::string& text);
    std::chrono::steady_clock::time_point Now() const;

    LinkState& state_;
    const ConfigurationModel& model_;
    const WindowHooks& hooks_;
    Clock clock_;

    LogbookTransferKind kind_ = LogbookTransferKind::None;
    std::int64_t total_ = 0;
    std::int64_t lastEntry_ = 0;
    bool entryThisRead_ = false;
    std::array<std::optional<std::string>, kMotorCount> names_;
    std::vector<std::string> exportLines_;

    int rxCountSeen_ = 0;
    std::chrono::steady_clock::time_point lastActivity_{};
};

}  // namespace veltrano
