#include "slow_link.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace xfer::bench {

namespace {

using Clock = std::chrono::steady_clock;

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

void NoDelay(int fd) {
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// One direction of a relayed connection: what was read, each chunk with the time it may go.
struct Direction {
    int from;
    int to;
    std::deque<std::pair<Clock::time_point, std::string>> held;
    bool ended = false;     // `from` has closed
    bool shutDown = false;  // ...and that was passed on
};

struct Relayed {
    Direction up;    // client to server
    Direction down;  // server to client
    ~Relayed() {
        close(up.from);
        close(up.to);
    }
    bool finished() const { return up.shutDown && down.shutDown; }
};

// Reads what `d.from` has, to be passed on after `delay`; false when nothing could be read.
void Take(Direction& d, std::chrono::milliseconds delay) {
    char buffer[65536];
    const ssize_t n = read(d.from, buffer, sizeof buffer);
    if (n <= 0) {
        d.ended = true;
        return;
    }
    d.held.emplace_back(Clock::now() + delay, std::string(buffer, static_cast<std::size_t>(n)));
}

// Passes on every chunk whose time has come; the end of the stream after the last one.
void Pass(Direction& d) {
    const auto now = Clock::now();
    while (!d.held.empty() && d.held.front().first <= now) {
        const std::string& chunk = d.held.front().second;
        std::size_t sent = 0;
        while (sent < chunk.size()) {
            const ssize_t n = send(d.to, chunk.data() + sent, chunk.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                d.held.clear();
                d.ended = true;
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        if (!d.held.empty())
            d.held.pop_front();
    }
    if (d.ended && d.held.empty() && !d.shutDown) {
        shutdown(d.to, SHUT_WR);
        d.shutDown = true;
    }
}

}  // namespace

int FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (fd >= 0)
            close(fd);
        throw std::runtime_error("no free port on the loopback address");
    }
    close(fd);
    return ntohs(address.sin_port);
}

SlowLink::SlowLink(int serverPort, std::chrono::milliseconds delayEachWay)
    : serverPort_(serverPort), delay_(delayEachWay) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    if (listener_ < 0 ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener_ >= 0)
            close(listener_);
        throw std::runtime_error("the slow link cannot listen on the loopback address");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

SlowLink::~SlowLink() {
    stopping_ = true;
    thread_.join();
    close(listener_);
}

void SlowLink::run() {
    std::vector<std::unique_ptr<Relayed>> links;
    while (!stopping_) {
        std::vector<pollfd> fds{{listener_, POLLIN, 0}};
        auto wake = Clock::now() + std::chrono::milliseconds(50);
        for (const auto& link : links) {
            for (Direction* d : {&link->up, &link->down}) {
                fds.push_back({d->from, static_cast<short>(d->ended ? 0 : POLLIN), 0});
                if (!d->held.empty() && d->held.front().first < wake)
                    wake = d->held.front().first;
            }
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now());
        poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(0, wait.count())));
        if ((fds[0].revents & POLLIN) != 0) {
            const int client = accept(listener_, nullptr, nullptr);
            const int server = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address = Loopback(serverPort_);
            if (client >= 0 && server >= 0 &&
                connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                NoDelay(client);
                NoDelay(server);
                auto link = std::make_unique<Relayed>();
                link->up.from = link->down.to = client;
                link->up.to = link->down.from = server;
                links.push_back(std::move(link));
            } else {
                if (client >= 0)
                    close(client);
                if (server >= 0)
                    close(server);
            }
        }
        std::size_t i = 1;
        for (const auto& link : links) {
            for (Direction* d : {&link->up, &link->down}) {
                if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0)
                    Take(*d, delay_);
                ++i;
            }
        }
        for (const auto& link : links) {
            Pass(link->up);
            Pass(link->down);
        }
        std::erase_if(links, [](const auto& link) { return link->finished(); });
    }
}

}  // namespace xfer::bench
