#pragma once
// Drives the real tarvel-lsp through pipes, as an editor does: framed messages in, framed
// messages out, with a deadline on every wait so that a hung server fails the test, not CI.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

using Json = nlohmann::json;

class LspClient {
public:
    /// Starts the server in its own scratch directory, so that any file it wrote would show.
    LspClient() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-lsp-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        directory = pattern;
        int in[2], out[2], err[2];
        if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) std::abort();
        child = fork();
        if (child == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            dup2(err[1], 2);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
            if (chdir(directory.c_str()) != 0) _exit(127);
            execl(TARVEL_LSP_PATH, TARVEL_LSP_PATH, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        close(err[1]);
        toServer = in[1];
        fromServer = out[0];
        errors = err[0];
        signal(SIGPIPE, SIG_IGN);
    }

    ~LspClient() {
        if (toServer >= 0) close(toServer);
        if (child > 0 && !exited) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        close(fromServer);
        close(errors);
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    }
    LspClient(const LspClient&) = delete;
    LspClient& operator=(const LspClient&) = delete;

    /// Writes raw bytes as they are, framing and all.
    void SendRaw(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(toServer, bytes.data() + done, bytes.size() - done);
            if (n <= 0) return;
            done += static_cast<std::size_t>(n);
        }
    }
    /// The body with the header that announces its length.
    static std::string Framed(const std::string& body) {
        return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    }
    /// Frames and writes one message.
    void Send(const Json& message) { SendRaw(Framed(message.dump())); }
    void Request(int id, const std::string& method, const Json& params = Json::object()) {
        Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
    }
    void Notify(const std::string& method, const Json& params = Json::object()) {
        Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
    }
    /// Closes the server's input, as an editor that went away does.
    void CloseInput() {
        close(toServer);
        toServer = -1;
    }

    /// The next message, or nothing when none came in time or the output is not framed.
    std::optional<Json> Receive(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto end = buffer.find("\r\n\r\n");
            if (end != std::string::npos) {
                const std::string header = buffer.substr(0, end);
                const std::string prefix = "Content-Length: ";
                if (header.rfind(prefix, 0) != 0) {
                    garbage = true;
                    return std::nullopt;
                }
                const std::size_t length = std::stoul(header.substr(prefix.size()));
                if (buffer.size() >= end + 4 + length) {
                    const std::string body = buffer.substr(end + 4, length);
                    buffer.erase(0, end + 4 + length);
                    return Json::parse(body);
                }
            }
            if (!Fill(deadline)) return std::nullopt;
        }
    }
    /// The response to the request id; notifications met on the way are passed to onOther.
    std::optional<Json> ResponseTo(int id, const std::function<void(const Json&)>& onOther = {}) {
        while (auto message = Receive()) {
            if (message->contains("id") && (*message)["id"] == id && !message->contains("method")) return message;
            if (onOther) onOther(*message);
        }
        return std::nullopt;
    }
    /// The next diagnostics published for the uri with the version (any version when -1),
    /// each message awaited for at most timeout.
    std::optional<Json> DiagnosticsFor(const std::string& uri, int version = -1,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        while (auto message = Receive(timeout)) {
            if (message->value("method", "") != "textDocument/publishDiagnostics") continue;
            const Json& params = (*message)["params"];
            if (params["uri"] != uri) continue;
            if (version >= 0 && params.value("version", -1) != version) continue;
            return params;
        }
        return std::nullopt;
    }

    /// Waits for the process to end; its exit status, or -1 when it did not end in time.
    int WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                exited = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(5000);
        }
        return -1;
    }
    /// True while the process runs.
    bool Running() {
        int status = 0;
        return !exited && waitpid(child, &status, WNOHANG) == 0;
    }

    /// True when the output held something that was not a framed message.
    bool SawGarbage() const { return garbage; }
    /// The server's process id.
    pid_t Pid() const { return child; }
    /// The directory the server runs in.
    const std::string& Directory() const { return directory; }

    /// The usual start: initialize (with options) and initialized.
    Json Initialize(const Json& options = nullptr) {
        Json params = {{"processId", nullptr}, {"rootUri", nullptr}, {"capabilities", Json::object()}};
        if (!options.is_null()) params["initializationOptions"] = options;
        Request(0, "initialize", params);
        auto response = ResponseTo(0);
        Notify("initialized");
        return response ? *response : Json();
    }
    void Open(const std::string& uri, const std::string& text, int version = 1) {
        Notify("textDocument/didOpen",
               {{"textDocument", {{"uri", uri}, {"languageId", "c"}, {"version", version}, {"text", text}}}});
    }

private:
    bool Fill(std::chrono::steady_clock::time_point deadline) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{fromServer, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) return false;
        char chunk[65536];
        const ssize_t n = read(fromServer, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffer.append(chunk, static_cast<std::size_t>(n));
        return true;
    }

    std::string directory;
    pid_t child = -1;
    bool exited = false;
    int toServer = -1;
    int fromServer = -1;
    int errors = -1;
    std::string buffer;
    bool garbage = false;
};
