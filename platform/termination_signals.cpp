#include "platform/termination_signals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace zeko::platform {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler: a signal handler reaches nothing
// but what is in static storage.
std::atomic<int> signalPipe{-1};

extern "C" void NoteSignal(int signal) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signal);
    const int fd = signalPipe.load();
    // A full pipe already holds a request to end, so a failed write loses none.
    if (fd >= 0) {
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    int expected = -1;
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
    if (!signalPipe.compare_exchange_strong(expected, pipe_[1])) {
        ::close(pipe_[0]);
        ::close(pipe_[1]);
        pipe_ = {-1, -1};
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        ::sigaction(kSignals[k], nullptr, &previous_[k]);
        // A signal ignored from the start (nohup, a background job) stays so.
        if (previous_[k].sa_handler != SIG_IGN) ::sigaction(kSignals[k], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr) return;
    for (std::size_t k = 0; k < kSignals.size(); ++k)
        ::sigaction(kSignals[k], &previous_[k], nullptr);
    signalPipe.store(-1);
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::Drain() {
    std::array<unsigned char, 64> bytes{};
    bool any = false;
    while (::read(pipe_[0], bytes.data(), bytes.size()) > 0)
        any = true;
    if (any && onSignal_) onSignal_();
}

}  // namespace zeko::platform
