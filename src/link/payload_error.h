#pragma once

#include <stdexcept>
#include <string>

namespace veltrano {

// A frame whose numbers cannot be read. The receive handler drops the frame
// and reports it quietly; it is no reason to stop the transfer.
class PayloadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace veltrano
