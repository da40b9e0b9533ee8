#include "logbook/logbook_frames.h"

namespace veltrano {

void RegisterLogbookDecoders(ReceiveHandler& handler, LogbookTransfer& transfer) {
    handler.RegisterDecoder("sla", [&transfer](const std::string& p) { transfer.SizeFrame(p); });
    handler.RegisterDecoder("sld", [&transfer](const std::string& p) { transfer.ListFrame(p); });
    handler.RegisterDecoder("slf", [&transfer](const std::string& p) { transfer.ExportFrame(p); });
    handler.RegisterDecoder("smn",
                            [&transfer, names = handler.DecoderFor("smn")](const std::string& p) {
                                if (!transfer.MotorNameFrame(p) && names) names(p);
                            });
}

}  // namespace veltrano
