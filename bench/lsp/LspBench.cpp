// A scripted editor session against tarvel-lsp: how long after the last change of a 1 MiB
// script its diagnostics arrive, and how the server's resident memory develops over 10,000
// edits. Run by hand: ./lsp_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "LspClient.h"

namespace {

const std::string kUri = "file:///bench/large.c";

/// About a mebibyte of script that validates cleanly, with one external name per line.
std::string LargeScript() {
    std::string text;
    for (int k = 0; text.size() < (1u << 20); ++k) {
        const std::string name = "v" + std::to_string(k);
        text +=
            "int " + name + "; " + name + " = " + std::to_string(k) + " * 3 + host" + std::to_string(k % 50) + ";\n";
    }
    return text;
}

long ResidentKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

Json Edit(int version, int line, const std::string& text) {
    return {{"textDocument", {{"uri", kUri}, {"version", version}}},
            {"contentChanges",
             {{{"range", {{"start", {{"line", line}, {"character", 0}}}, {"end", {{"line", line}, {"character", 0}}}}},
               {"text", text}}}}};
}

}  // namespace

int main() {
    LspClient client;
    client.Initialize();
    const std::string script = LargeScript();
    client.Open(kUri, script);
    if (!client.DiagnosticsFor(kUri, 1)) return 1;

    // Latency: from sending a change to its diagnostics, quiet time included.
    std::vector<double> latencies;
    int version = 1;
    for (int k = 0; k < 21; ++k) {
        ++version;
        const auto start = std::chrono::steady_clock::now();
        client.Notify("textDocument/didChange", Edit(version, 5, "// edit\n"));
        if (!client.DiagnosticsFor(kUri, version)) return 1;
        latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("1 MiB script (%zu bytes): diagnostics %.0f ms after the change (median of %zu; min %.0f, max %.0f)\n",
                script.size(), latencies[latencies.size() / 2], latencies.size(), latencies.front(), latencies.back());

    // Memory: 10,000 edits in ten bursts, each burst waited out to its diagnostics.
    std::printf("edits  resident KiB\n%5d  %ld\n", 0, ResidentKib(client.Pid()));
    for (int burst = 1; burst <= 10; ++burst) {
        for (int k = 0; k < 1000; ++k) {
            ++version;
            // Insert and remove a line in turn so that the text keeps its size.
            client.Notify(
                "textDocument/didChange",
                k % 2 == 0
                    ? Edit(version, 3, "x = 1;\n")
                    : Json{{"textDocument", {{"uri", kUri}, {"version", version}}},
                           {"contentChanges",
                            {{{"range",
                               {{"start", {{"line", 3}, {"character", 0}}}, {"end", {{"line", 4}, {"character", 0}}}}},
                              {"text", ""}}}}});
        }
        if (!client.DiagnosticsFor(kUri, version)) return 1;
        std::printf("%5d  %ld\n", burst * 1000, ResidentKib(client.Pid()));
    }
    return 0;
}
