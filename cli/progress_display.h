// The progress of a transfer on standard error: a bar redrawn in place on a
// terminal, one plain line per block otherwise (a log stays readable).
#pragma once

#include <cstdio>
#include <string>

#include "link/controller_link.h"

namespace veltrano::cli {

class ProgressDisplay {
  public:
    // verb: "Lese" or "Sende"; terminal: whether `out` is a terminal.
    ProgressDisplay(std::FILE* out, bool terminal, std::string verb);
    void Show(const TransferProgress& progress);
    // Ends the bar's line.
    void Finish();

  private:
    std::FILE* out_;
    bool terminal_;
    std::string verb_;
    std::string lastBlock_;
    bool drawn_ = false;
};

// The bar's line: block, bar, characters, time left at 960 characters/s.
std::string ProgressLine(const std::string& verb, const TransferProgress& progress);

}  // namespace veltrano::cli
