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
constexpr int AnswerMilliseconds = 5000;

// Waits for the descriptor to be ready for the events; errno's reason when
// it is not within the limit.
int waitFor(int sock, short events, int milliseconds)
{
    pollfd ready{sock, events, 0};
    int got;
    do {
        got = ::poll(&ready, 1, milliseconds);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? 0 : (got == 0 ? ETIMEDOUT : errno);
}

// A scheduler that takes connections may still hang: it is reached only once
// it answers a request, any answer.
std::string tryRequest(int sock)
{
    const char request[] = "OPTIONS * HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n";
    if (::send(sock, request, sizeof request - 1, MSG_NOSIGNAL) < 0)
        return std::strerror(errno);
    if (waitFor(sock, POLLIN, AnswerMilliseconds) != 0)
        return "it did not answer within " + std::to_string(AnswerMilliseconds / 1000) + " seconds";
    char answer[16];
    if (::recv(sock, answer, sizeof answer, 0) <= 0)
        return "it closed the connection without an answer";
    return {};
}

// Connects to one address and asks it for an answer, without blocking for
// longer than the limits; the reason when it cannot, empty when it can.
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
            error = waitFor(sock, POLLOUT, ConnectMilliseconds);
            if (error == 0) {
                socklen_t size = sizeof error;
                ::getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &size);
            }
        }
    }
    const std::string reason = error == 0 ? tryRequest(sock) : std::strerror(error);
    ::close(sock);
    return reason;
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

std::string silentFor(double seconds)
{
    return "The print service (CUPS) at " + address() + " did not answer within "
           + std::to_string(static_cast<long>(seconds)) + " seconds";
}

}  // namespace CupsService
