#pragma once
// A slow network link on the loopback address, for measuring the editor against a server
// that is far away: a relay that accepts connections on a port of its own, connects each to
// the server's TCP port and holds every chunk it passes for a fixed delay in each direction
// (10 ms each way is a 20 ms round trip). Chunks are held side by side, as a link's latency
// does, not one after the other. For the benchmark only.

#include <atomic>
#include <chrono>
#include <thread>

namespace xfer::bench {

class SlowLink {
  public:
    // Relays to 127.0.0.1:`serverPort`; throws std::runtime_error when it cannot listen.
    SlowLink(int serverPort, std::chrono::milliseconds delayEachWay);
    ~SlowLink();
    SlowLink(const SlowLink&) = delete;
    SlowLink& operator=(const SlowLink&) = delete;

    // The loopback port that clients connect to.
    int port() const noexcept { return port_; }

  private:
    void run();

    int serverPort_;
    std::chrono::milliseconds delay_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// A TCP port on the loopback address that nothing listens on at the moment.
int FreeLoopbackPort();

}  // namespace xfer::bench
