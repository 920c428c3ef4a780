#include "TestServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace yuzhou::test {

namespace {

// Debian's own Python: another one first on PATH may lack the standard ssl module.
constexpr const char* kPython = "/usr/bin/python3";

std::string toHex(std::string_view bytes) {
    if (bytes.empty()) {
        return "-";
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

std::string fromHex(std::string_view hex) {
    if (hex == "-") {
        return {};
    }
    const auto value = [](char c) {
        return c <= '9' ? c - '0' : c - 'a' + 10;
    };
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(value(hex[i]) << 4 | value(hex[i + 1]));
    }
    return bytes;
}

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> result;
    std::size_t begin = 0;
    while (begin < line.size()) {
        const std::size_t end = std::min(line.find(' ', begin), line.size());
        if (end > begin) {
            result.emplace_back(line.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return result;
}

/// Starts a program with its output thrown away (and its errors too, when `quiet`) and
/// gives its process id.
pid_t spawn(std::vector<std::string> arguments, bool quiet) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    return pid;
}

void runToEnd(const std::vector<std::string>& arguments) {
    const pid_t pid = spawn(arguments, true);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(arguments[0] + " failed");
    }
}

} // namespace

TestServer::TestServer(Kind kind) : m_kind(kind) {
    std::vector<std::string> arguments = {kPython, YUZHOU_TEST_SERVER_SCRIPT, "--folder", m_folder.path()};
    if (kind == Kind::Secure) {
        // A self-signed certificate for the address the tests use; a P-256 key takes
        // milliseconds to make where an RSA key would take a noticeable part of a second.
        m_certificate = m_folder / "certificate.pem";
        const std::string key = m_folder / "key.pem";
        runToEnd({"/usr/bin/openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
                  "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out", m_certificate, "-days",
                  "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
        arguments.insert(arguments.end(), {"--cert", m_certificate, "--key", key});
    }
    writeRoutes();
    m_pid = spawn(arguments, false);

    // The script writes the port file once it listens; a script that dies says so by ending.
    const std::string portFile = m_folder / "port";
    for (int attempt = 0; attempt < 2000; ++attempt) {
        const std::string text = readWholeFile(portFile);
        if (!text.empty()) {
            m_port = std::stoi(text);
            return;
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            throw std::runtime_error("the test server ended before it listened");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    throw std::runtime_error("the test server did not start listening");
}

TestServer::~TestServer() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

std::string TestServer::origin() const {
    return std::string(m_kind == Kind::Secure ? "https" : "http") + "://127.0.0.1:" + std::to_string(m_port);
}

std::string TestServer::address(std::string_view path) const {
    return origin() + std::string(path);
}

void TestServer::reply(std::string_view target, std::string_view body, int status,
                       const std::vector<std::string>& headers) {
    std::string line = toHex(target) + " " + std::to_string(status) + " " + toHex(body);
    for (const std::string& header : headers) {
        line += " " + toHex(header);
    }
    m_routes.push_back(line);
    writeRoutes();
}

void TestServer::hang(std::string_view target) {
    m_routes.push_back(toHex(target) + " hang -");
    writeRoutes();
}

void TestServer::writeRoutes() const {
    // Later lines win in the script, so a route given again replaces the earlier one. The
    // file is swapped in whole: the server never reads half of it.
    std::string text;
    for (const std::string& route : m_routes) {
        text += route + "\n";
    }
    m_folder.write("routes.new", text);
    std::filesystem::rename(m_folder / "routes.new", m_folder / "routes");
}

std::vector<TestServer::Request> TestServer::requests() const {
    std::vector<Request> result;
    const std::string log = readWholeFile(m_folder / "log");
    std::size_t begin = 0;
    while (begin < log.size()) {
        const std::size_t end = std::min(log.find('\n', begin), log.size());
        const std::vector<std::string> fields = words(std::string_view(log).substr(begin, end - begin));
        begin = end + 1;
        if (fields.size() < 2) {
            continue;
        }
        Request request{fromHex(fields[0]), {}, fromHex(fields[1])};
        for (std::size_t i = 2; i < fields.size(); ++i) {
            request.headers.push_back(fromHex(fields[i]));
        }
        result.push_back(std::move(request));
    }
    return result;
}

std::vector<TestServer::Request> TestServer::waitForRequests(std::size_t count) const {
    std::vector<Request> received = requests();
    for (int attempt = 0; attempt < 1000 && received.size() < count; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        received = requests();
    }
    return received;
}

int closedPort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = 0;
    socklen_t length = sizeof where;
    int port = 0;
    if (socket >= 0 && bind(socket, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
        getsockname(socket, reinterpret_cast<sockaddr*>(&where), &length) == 0) {
        port = ntohs(where.sin_port);
    }
    if (socket >= 0) {
        close(socket);
    }
    if (port == 0) {
        throw std::runtime_error("no free port");
    }
    return port;
}

} // namespace yuzhou::test
