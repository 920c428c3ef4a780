#pragma once

#include "TempFolder.h"

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace yuzhou::test {

/// A real HTTP or HTTPS server on 127.0.0.1 (tests/support/test_server.py under Debian's
/// Python), started on a free port for the lifetime of the object. It records every request
/// and answers with the replies the test scripted; the secure one presents a certificate
/// made for 127.0.0.1 that only a test that trusts it accepts.
class TestServer {
public:
    enum class Kind { Plain, Secure };

    struct Request {
        std::string requestLine;
        /// "Name: value", in the order they came.
        std::vector<std::string> headers;
        std::string body;
    };

    /// Starts the server; throws std::runtime_error when it cannot.
    explicit TestServer(Kind kind = Kind::Plain);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    int port() const { return m_port; }
    /// "http://127.0.0.1:PORT" or "https://127.0.0.1:PORT", without a path.
    std::string origin() const;
    /// The origin followed by `path`.
    std::string address(std::string_view path) const;
    /// The PEM certificate of a secure server (its own authority); empty for a plain one.
    const std::string& certificateFile() const { return m_certificate; }

    /// From now on, a request for `target` (path and query, as in the request line) gets
    /// `body` with `status`, after the header lines `headers` ("Name: value").
    void reply(std::string_view target, std::string_view body, int status = 200,
               const std::vector<std::string>& headers = {});
    /// From now on, a request for `target` is read and never answered.
    void hang(std::string_view target);

    /// The requests received so far, in order.
    std::vector<Request> requests() const;
    /// The requests once there are at least `count` of them, or after ten seconds those
    /// there are: for a request the client gave up on before the server had noted it.
    std::vector<Request> waitForRequests(std::size_t count) const;

private:
    void writeRoutes() const;

    TempFolder m_folder;
    Kind m_kind;
    std::string m_certificate;
    std::vector<std::string> m_routes;
    pid_t m_pid = -1;
    int m_port = 0;
};

/// A port on 127.0.0.1 where nothing listens (one the system just handed out and took back).
int closedPort();

} // namespace yuzhou::test
