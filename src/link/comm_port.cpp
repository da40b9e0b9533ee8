#include "link/comm_port.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stdexcept>

#include "link/comm_errors.h"
#include "link/comm_session.h"
#include "link/protocol_trace.h"
#include "link/serial_device.h"
#include "link/serial_driver.h"
#include "link/serial_settings.h"

namespace veltrano {

using comm::Session;

struct TCommPort::Impl {
    UiDispatcher dispatcher;
    int portNum = 1;
    std::string devicePath;
    comm::LineSettings line;
    DeviceResolver resolver = DefaultDeviceForPort;
    CounterSource counters = comm::ReadDriverCounters;
    OutputQueueSource outputQueue = comm::DriverOutputQueue;
    ReceiveBatchComplete batchComplete;
    std::chrono::milliseconds batchDelay{0};
    const std::shared_ptr<comm::ReceivePacing> pacing = std::make_shared<comm::ReceivePacing>();
    std::atomic<std::chrono::milliseconds::rep> writeTimeoutMs{1000};

    mutable std::mutex traceMutex;
    std::shared_ptr<ProtocolTrace> trace;

    // The session is replaced on the UI thread; other threads may look at it.
    mutable std::mutex sessionMutex;
    std::shared_ptr<Session> session;

    std::shared_ptr<Session> Current() const {
        std::lock_guard lock(sessionMutex);
        return session;
    }
    std::shared_ptr<ProtocolTrace> Trace() const {
        std::lock_guard lock(traceMutex);
        return trace;
    }
    void ApplyLineIfOpen() {
        if (const auto s = Current(); s && s->Usable()) s->Apply(line);
    }
};

TCommPort::TCommPort(UiDispatcher dispatcher) : impl_(std::make_unique<Impl>()) {
    if (!dispatcher) throw std::invalid_argument("TCommPort needs a UI dispatcher");
    impl_->dispatcher = std::move(dispatcher);
}

TCommPort::~TCommPort() {
    Close();
}

void TCommPort::SetPortNum(int portNum) {
    if (IsOpen()) throw comm::PortIsOpenError();
    impl_->portNum = portNum;
}

int TCommPort::PortNum() const {
    return impl_->portNum;
}

std::string TCommPort::DeviceName() const {
    if (!impl_->devicePath.empty()) return impl_->devicePath;
    return "COM" + std::to_string(impl_->portNum);
}

void TCommPort::SetDevicePath(std::string path) {
    if (IsOpen()) throw comm::PortIsOpenError();
    impl_->devicePath = std::move(path);
}

void TCommPort::SetBaudrate(int baud) {
    impl_->line.baud = baud;
    impl_->ApplyLineIfOpen();
}

void TCommPort::SetDatabits(int bits) {
    impl_->line.databits = bits;
    impl_->ApplyLineIfOpen();
}

void TCommPort::SetParity(char parity) {
    impl_->line.parity = parity;
    impl_->ApplyLineIfOpen();
}

void TCommPort::SetStopbits(int bits) {
    impl_->line.stopbits = bits;
    impl_->ApplyLineIfOpen();
}

void TCommPort::Open() {
    if (IsOpen()) throw comm::PortIsOpenError();
    // A session whose device was lost still holds its descriptor.
    Close();
    const std::string path =
        impl_->devicePath.empty() ? impl_->resolver(impl_->portNum) : impl_->devicePath;
    auto device = comm::SerialDevice::Open(path, DeviceName(), impl_->line);
    auto session = std::make_shared<Session>(
        *this, std::move(device),
        comm::SessionSeams{impl_->dispatcher, impl_->counters, impl_->outputQueue,
                           impl_->batchComplete, impl_->batchDelay, impl_->pacing});
    session->Start();
    std::lock_guard lock(impl_->sessionMutex);
    impl_->session = std::move(session);
}

void TCommPort::Close() {
    std::shared_ptr<Session> session;
    {
        std::lock_guard lock(impl_->sessionMutex);
        session.swap(impl_->session);
    }
    if (session) session->Shutdown();
}

bool TCommPort::IsOpen() const {
    const auto session = impl_->Current();
    return session && session->Usable();
}

bool TCommPort::WriteText(std::string_view text) {
    const auto session = impl_->Current();
    if (!session || !session->Usable()) return false;
    const std::chrono::milliseconds timeout(impl_->writeTimeoutMs.load());
    switch (session->Write(text, timeout)) {
        case comm::OutputQueue::AppendResult::Queued:
            if (const auto trace = impl_->Trace()) trace->Sent(text);
            return true;
        case comm::OutputQueue::AppendResult::Closed:
            return false;
        case comm::OutputQueue::AppendResult::TimedOut:
            break;
    }
    throw comm::OutputBufferFullError();
}

std::string TCommPort::ReadText() {
    const auto session = impl_->Current();
    if (!session) return {};
    std::string text = session->Read();
    if (const auto trace = impl_->Trace(); trace && !text.empty()) trace->Received(text);
    return text;
}

bool TCommPort::OutputPending() const {
    const auto session = impl_->Current();
    return session && session->Usable() && session->OutputPending();
}

void TCommPort::SetDeviceResolver(DeviceResolver resolver) {
    impl_->resolver = resolver ? std::move(resolver) : DeviceResolver(DefaultDeviceForPort);
}

void TCommPort::SetCounterSource(CounterSource source) {
    impl_->counters = source ? std::move(source) : CounterSource(comm::ReadDriverCounters);
}

void TCommPort::SetReceiveBatching(ReceiveBatchComplete complete,
                                   std::chrono::milliseconds maxDelay) {
    impl_->batchComplete = std::move(complete);
    impl_->batchDelay = maxDelay;
}

void TCommPort::SetReceivePause(std::chrono::milliseconds pause) {
    impl_->pacing->pauseMs =
        static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(pause.count(), 0, 1000));
}

std::uint64_t TCommPort::EventThreadWakeups() const {
    return impl_->pacing->wakeups.load();
}

void TCommPort::SetTrace(std::shared_ptr<ProtocolTrace> trace) {
    std::lock_guard lock(impl_->traceMutex);
    impl_->trace = std::move(trace);
}

void TCommPort::SetOutputQueueSource(OutputQueueSource source) {
    impl_->outputQueue = source ? std::move(source) : OutputQueueSource(comm::DriverOutputQueue);
}

// Bounded so the waits in WriteText stay within what the clocks can add.
void TCommPort::SetWriteTimeout(std::chrono::milliseconds timeout) {
    const std::chrono::milliseconds day = std::chrono::hours(24);
    impl_->writeTimeoutMs = std::clamp(timeout, std::chrono::milliseconds(0), day).count();
}

}  // namespace veltrano
