#include "platform/posix/CupsService.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace CupsService {

namespace {

constexpr int ConnectMilliseconds = 5000;

// Connects to one address without blocking for longer than the limit; the
// system's reason when it cannot, empty when it can.
std::string tryConnect(const http_addr_t& address)
{
    const int sock = ::socket(httpAddrFamily(const_cast<http_addr_t*>(&address)), SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (sock < 0)
        return std::strerror(errno);
    ::fcntl(sock, F_SETFL, ::fcntl(sock, F_GETFL) | O_NONBLOCK);
    int error = 0;
    if (::connect(sock, &address.addr, static_cast<socklen_t>(httpAddrLength(&address))) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            pollfd ready{sock, POLLOUT, 0};
            if (::poll(&ready, 1, ConnectMilliseconds) == 1) {
                socklen_t size = sizeof error;
                ::getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &size);
            } else {
                error = ETIMEDOUT;
            }
        }
    }
    ::close(sock);
    return error == 0 ? std::string() : std::strerror(error);
}

// Where the scheduler is looked for: its socket's path, or host:port.
std::string address()
{
    const std::string server = cupsServer();
    if (!server.empty() && server[0] == '/')
        return server;
    return server + ":" + std::to_string(ippPort());
}

}  // namespace

std::string unreachable()
{
    const std::string where = "The print service (CUPS) cannot be reached at " + address();
    const std::string port = std::to_string(ippPort());
    http_addrlist_t* addresses = httpAddrGetList(cupsServer(), AF_UNSPEC, port.c_str());
    if (!addresses)
        return where + ": no such host";
    std::string reason = "no address to connect to";
    for (const http_addrlist_t* entry = addresses; entry; entry = entry->next) {
        reason = tryConnect(entry->addr);
        if (reason.empty())
            break;
    }
    httpAddrFreeList(addresses);
    return reason.empty() ? std::string() : where + ": " + reason;
}

}  // namespace CupsService
