#include "link/transfer_end.h"

namespace veltrano {

void EndTransfersOnLostDevice(ReadAllSequence& readAll, SendAllSequence& sendAll) {
    readAll.Abandon(ReadAllEnd::DeviceLost);
    sendAll.Abort(SendAllEnd::DeviceLost);
}

}  // namespace veltrano
