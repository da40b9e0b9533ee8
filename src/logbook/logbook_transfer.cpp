#include "logbook/logbook_transfer.h"

#include <algorithm>
#include <limits>

#include "link/motor_name_frame.h"
#include "link/payload_error.h"
#include "link/payload_numbers.h"
#include "logbook/logbook_lines.h"

namespace veltrano {
namespace {

constexpr int kPageSize = 100;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int LogbookEntryRow(std::int64_t entryNumber) {
    return entryNumber >= 1 ? static_cast<int>((entryNumber - 1) % kPageSize) : 0;
}

int LogbookMarkerRow(std::int64_t lastEntry) {
    return lastEntry >= 1 ? static_cast<int>((lastEntry - 1) % kPageSize) + 1 : 0;
}

LogbookTransfer::LogbookTransfer(LinkState& state, const ConfigurationModel& model,
                                 const WindowHooks& hooks)
    : state_(state), model_(model), hooks_(hooks) {}

std::chrono::steady_clock::time_point LogbookTransfer::Now() const {
    return clock_ ? clock_() : std::chrono::steady_clock::now();
}

void LogbookTransfer::BeginPageRead() {
    Begin(LogbookTransferKind::PageRead);
}

void LogbookTransfer::BeginExport() {
    Begin(LogbookTransferKind::Export);
    exportLines_ = {kLogbookExportHeader};
}

void LogbookTransfer::Begin(LogbookTransferKind kind) {
    kind_ = kind;
    entryThisRead_ = false;
    names_ = {};
    exportLines_.clear();
    rxCountSeen_ = state_.RxCount;
    lastActivity_ = Now();
}

void LogbookTransfer::Erase() {
    WindowHooks::Call(List.EmptyList);
    lastEntry_ = 1;
}

void LogbookTransfer::SizeFrame(const std::string& payload) {
    hooks_.Panel(6, "Logbuch Daten");
    const auto numbers = SplitPayloadNumbers(payload);
    if (!numbers) throw PayloadError("sla: not a number");
    total_ = (*numbers)[0];
    WindowHooks::Call(List.SetProgressMaximum, std::max(1, ClampToInt(total_)));
}

std::optional<LogbookEntry> LogbookTransfer::Decode(const std::string& payload) {
    const DecodedLogbookEntry decoded = DecodeLogbookEntry(payload);
    const LogbookEntry& e = decoded.Entry;
    // An entry number below 1 has no row; it is as faulty as a wrong checksum.
    if (!decoded.ChecksumValid || e.Number < 1) {
        hooks_.Panel(5, "LoBuFe " + std::to_string(e.Number - 1));
        return std::nullopt;
    }
    return e;
}

std::string LogbookTransfer::NameOf(std::int64_t motor) const {
    if (motor < 1 || motor > kMotorCount) return std::string(12, ' ');
    const auto& named = names_[static_cast<std::size_t>(motor - 1)];
    return named ? *named : model_.motorName(static_cast<int>(motor));
}

void LogbookTransfer::PlaceRow(int row, const std::string& text) {
    if (row == 0) WindowHooks::Call(List.EmptyList);
    WindowHooks::Call(List.SetRow, row, text);
}

void LogbookTransfer::ListFrame(const std::string& payload) {
    if (kind_ != LogbookTransferKind::PageRead) return;
    hooks_.Panel(6, "Logbuch Daten");
    const auto entry = Decode(payload);
    if (!entry) return;

    if (IsEndMarker(*entry)) {
        const int row = LogbookMarkerRow(lastEntry_);
        PlaceRow(row, LogbookListRow(*entry, total_ - lastEntry_, NameOf(entry->Motor)));
        WindowHooks::Call(List.SelectRow, 0);
        End();
        return;
    }
    lastEntry_ = entry->Number;
    entryThisRead_ = true;
    const int row = LogbookEntryRow(entry->Number);
    PlaceRow(row, LogbookListRow(*entry, total_ - entry->Number + 1, NameOf(entry->Motor)));
    WindowHooks::Call(List.SelectRow, row);
}

void LogbookTransfer::ExportFrame(const std::string& payload) {
    if (kind_ != LogbookTransferKind::Export) return;
    hooks_.Panel(6, "Save Logbuch to Disk");
    const auto entry = Decode(payload);
    if (!entry) return;

    const bool marker = IsEndMarker(*entry);
    std::int64_t n = lastEntry_ + 1;
    if (!marker) {
        lastEntry_ = n = entry->Number;
        const int maximum = std::max(1, ClampToInt(total_));
        WindowHooks::Call(List.SetProgressPosition, std::clamp(ClampToInt(n), 0, maximum));
    }
    hooks_.Panel(6, "Logbuch Zeile " + std::to_string(n));
    exportLines_.push_back(LogbookExportLine(*entry, total_ - n + 1, NameOf(entry->Motor)));
    if (marker) End();
}

bool LogbookTransfer::MotorNameFrame(const std::string& payload) {
    if (!Running()) return false;
    hooks_.Panel(6, "Motor-Namen");
    if (const auto frame = ParseMotorNameFrame(payload))
        names_[static_cast<std::size_t>(frame->Motor - 1)] = frame->Name;
    return true;
}

void LogbookTransfer::End() {
    const LogbookTransferKind kind = kind_;
    kind_ = LogbookTransferKind::None;
    state_.RxCount += 1;
    hooks_.Panel(6, "");
    if (OnEnded) OnEnded(kind);
}

bool LogbookTransfer::CheckWatchdog() {
    if (!Running()) return false;
    const auto now = Now();
    if (state_.RxCount != rxCountSeen_) {
        rxCountSeen_ = state_.RxCount;
        lastActivity_ = now;
        return false;
    }
    if (now - lastActivity_ < kTimeout) return false;
    Abandon();
    return true;
}

void LogbookTransfer::Abandon() {
    if (!Running()) return;
    const LogbookTransferKind kind = kind_;
    kind_ = LogbookTransferKind::None;
    if (kind == LogbookTransferKind::PageRead) {
        // The row after the last entry of this read, or the top of an emptied list.
        const int row = entryThisRead_ ? LogbookMarkerRow(lastEntry_) : 0;
        PlaceRow(row, kLogbookIncomplete);
        WindowHooks::Call(List.SelectRow, row);
    }
    exportLines_.clear();
    hooks_.Panel(5, "Zeitüberschreitung Logbuch");
    hooks_.Panel(6, "");
    if (OnAbandoned) OnAbandoned(kind);
}

std::string LogbookTransfer::TakeExportBytes() {
    std::string bytes = LogbookExportBytes(exportLines_);
    exportLines_.clear();
    return bytes;
}

}  // namespace veltrano
