// One large HTTP GET from a server thread on 127.0.0.1, into a file and into
// a string, against libcurl fetching the same response in the same run.
#include <benchmark/benchmark.h>

#include <curl/curl.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "runtime/net/http_get.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/socket.h"

namespace {

constexpr std::size_t kBodySize = std::size_t{64} << 20;

// Answers every connection with the same response and closes it.
class BodyServer {
public:
    BodyServer() {
        std::string header = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kBodySize) + "\r\n\r\n";
        response_.assign(header.begin(), header.end());
        for (std::size_t i = 0; i < kBodySize; ++i) response_.push_back(static_cast<uint8_t>('a' + i % 26));
        int error = 0;
        listener_ = platform::tcpListenAny(0, error);
        port_ = sockAddressPort({0, listener_.localPort()});
        thread_ = std::thread([this] { serve(); });
    }
    ~BodyServer() {
        stop_ = true;
        thread_.join();
    }
    BodyServer(const BodyServer&) = delete;
    BodyServer& operator=(const BodyServer&) = delete;

    int32_t port() const { return port_; }

private:
    void serve() {
        while (!stop_) {
            if (listener_.waitReady(false, 50) != 1) continue;
            int error = 0;
            platform::Socket client = listener_.accept(nullptr, error);
            if (!client.valid() || client.setBlocking(true) != 0) continue;
            std::string request;
            uint8_t buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                platform::SocketIo io = client.receive(buffer, sizeof buffer);
                if (io.count <= 0) break;
                request.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(io.count));
            }
            for (std::size_t sent = 0; sent < response_.size();) {
                platform::SocketIo io = client.send(response_.data() + sent, response_.size() - sent);
                if (io.count <= 0) break;
                sent += static_cast<std::size_t>(io.count);
            }
            client.close();
        }
    }

    std::vector<uint8_t> response_;
    platform::Socket listener_;
    int32_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

BodyServer& server() {
    static BodyServer instance;
    return instance;
}

std::string targetPath() { return "/tmp/krv_http_bench_" + std::to_string(::getpid()) + ".bin"; }

void finish(benchmark::State& state, bool ok) {
    if (!ok) state.SkipWithError("transfer failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodySize));
}

void BM_HttpGetToFile(benchmark::State& state) {
    const std::string target = targetPath();
    bool ok = true;
    for (auto _ : state) {
        ok = ok && httpGetToFile(RtString("127.0.0.1"), RtString("/large"), server().port(),
                                 RtString(target.c_str())) == 1;
    }
    std::remove(target.c_str());
    finish(state, ok);
}

void BM_HttpGetToString(benchmark::State& state) {
    bool ok = true;
    for (auto _ : state) {
        RtString body = httpGetToString(RtString("127.0.0.1"), RtString("/large"), server().port(),
                                        static_cast<int32_t>(kBodySize + 16));
        ok = ok && body.length == kBodySize;
    }
    finish(state, ok);
}

std::size_t curlToFile(char* bytes, std::size_t size, std::size_t count, void* file) {
    return std::fwrite(bytes, size, count, static_cast<FILE*>(file));
}

std::size_t curlToString(char* bytes, std::size_t size, std::size_t count, void* text) {
    static_cast<std::string*>(text)->append(bytes, size * count);
    return size * count;
}

bool curlFetch(curl_write_callback write, void* sink) {
    const std::string url = "http://127.0.0.1:" + std::to_string(server().port()) + "/large";
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, sink);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return ok;
}

void BM_CurlToFile(benchmark::State& state) {
    const std::string target = targetPath();
    bool ok = true;
    for (auto _ : state) {
        FILE* file = std::fopen(target.c_str(), "wb");
        ok = ok && file != nullptr && curlFetch(curlToFile, file);
        ok = ok && file != nullptr && std::fclose(file) == 0;
    }
    std::remove(target.c_str());
    finish(state, ok);
}

void BM_CurlToString(benchmark::State& state) {
    bool ok = true;
    for (auto _ : state) {
        std::string body;
        ok = ok && curlFetch(curlToString, &body) && body.size() == kBodySize;
    }
    finish(state, ok);
}

BENCHMARK(BM_HttpGetToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurlToFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HttpGetToString)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurlToString)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
