#include "http_front.h"

#include "static_files.h"

#include <malloc.h>
#include <microhttpd.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <strings.h>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace {

// More header lines than any browser or the game sends.
constexpr unsigned kMostHeaders = 64;
// Memory each connection may hold: its request line, headers and answer
// head. The listing page's body is allocated apart from this. With the
// most connections open at once, 48 MiB at worst: the memory budget of the
// whole server under a connection flood stays under 64 MiB.
constexpr size_t kConnectionMemory = 8 * 1024;
constexpr unsigned kMostConnections = 6144;
// After this many connections closed since the most open, the memory they
// held is handed back to the system (the allocator would keep it).
constexpr size_t kTrimAfterClosing = 512;

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What this front keeps for one open connection.
struct Connection {
    int socket = -1;
    std::string source; // SourceKey of the peer; "" when it is a trusted proxy
    // ms; 0 while a received request is being answered. Written by the
    // connection's event loop, read by Housekeeping.
    std::atomic<int64_t> waitingSince{0};
};

// Request contexts before an answer waits on the pool: the request line
// was read (and found sound, or not), then the headers.
char kTargetSound, kTargetBad, kTooManyParameters, kHeadersIn;
// The game sends four; a few more for whatever a browser adds.
constexpr size_t kMostParameters = 32;

bool IsMarker(const void* context) {
    return context == &kTargetSound || context == &kTargetBad || context == &kTooManyParameters ||
           context == &kHeadersIn;
}

// A submission waiting for its group; shared with the writer's callback.
struct Exchange {
    std::mutex mutex;
    std::optional<Answer> answer;
    bool suspended = false;
};

// The request context of a POST while its body arrives, and of any request
// waiting for a worker's answer.
struct Pending {
    std::string body;
    std::shared_ptr<Exchange> exchange;
};

class MhdFront : public HttpFront {
  public:
    MhdFront(ScoreService& service, const ServerOptions& options)
        : service(service), options(options) {}
    ~MhdFront() override { Stop(); }

    bool Start(int listener, std::string& error);
    void Stop() override;

  private:
    static MHD_Result Accept(void* self, const sockaddr* address, socklen_t);
    static void* ReadTarget(void*, const char* target, MHD_Connection*);
    static void Notify(void* self, MHD_Connection* connection, void** context,
                       MHD_ConnectionNotificationCode code);
    static void Completed(void*, MHD_Connection* connection, void** requestContext,
                          MHD_RequestTerminationCode);
    static MHD_Result Access(void* self, MHD_Connection* connection, const char* url,
                             const char* method, const char* version, const char* upload,
                             size_t* uploadSize, void** requestContext);

    MHD_Result Respond(MHD_Connection* connection, const Answer& answer);
    MHD_Result RespondFile(MHD_Connection* connection, const StaticAnswer& answer);
    MHD_Response* PlainResponse(const std::string& text);
    std::optional<Address> ClientAddress(MHD_Connection* connection);
    bool Trusted(const Address& address) const;
    void Housekeeping();

    ScoreService& service;
    const ServerOptions& options;
    std::unique_ptr<StaticFiles> files; // the web build under /play/, when served
    MHD_Daemon* daemon = nullptr;

    std::mutex connectionsMutex;
    std::unordered_set<Connection*> connections;
    std::unordered_map<std::string, int> perSource;

    std::mutex plainMutex;
    std::unordered_map<std::string, MHD_Response*> plain;

    std::mutex stopMutex;
    std::condition_variable stopWake;
    bool stopping = false;
    std::thread housekeeper;
    size_t mostOpen = 0;   // connections open at once since memory was last handed back
    size_t openBefore = 0; // connections open at the last housekeeping
};

bool MhdFront::Trusted(const Address& address) const {
    for (const AddressRange& range : options.trustedProxies) {
        if (range.Contains(address)) return true;
    }
    return false;
}

MHD_Result MhdFront::Accept(void* self, const sockaddr* socketAddress, socklen_t) {
    auto* front = static_cast<MhdFront*>(self);
    if (front->options.connectionsPerAddress == 0) return MHD_YES;
    std::optional<Address> address = AddressOf(socketAddress);
    if (!address || front->Trusted(*address)) return MHD_YES;
    std::lock_guard<std::mutex> lock(front->connectionsMutex);
    auto found = front->perSource.find(SourceKey(*address));
    bool room =
        found == front->perSource.end() || found->second < front->options.connectionsPerAddress;
    return room ? MHD_YES : MHD_NO;
}

void MhdFront::Notify(void* self, MHD_Connection* connection, void** context,
                      MHD_ConnectionNotificationCode code) {
    auto* front = static_cast<MhdFront*>(self);
    std::lock_guard<std::mutex> lock(front->connectionsMutex);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        auto* state = new Connection;
        state->socket =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD)->connect_fd;
        std::optional<Address> address = AddressOf(
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS)->client_addr);
        if (address && !front->Trusted(*address)) state->source = SourceKey(*address);
        state->waitingSince = MonotonicMs();
        if (!state->source.empty()) ++front->perSource[state->source];
        front->connections.insert(state);
        *context = state;
        return;
    }
    // Closed: called before the socket is closed, so Housekeeping never
    // shuts down a socket number that was already handed to someone else.
    auto* state = static_cast<Connection*>(*context);
    if (!state) return;
    if (!state->source.empty() && --front->perSource[state->source] == 0) {
        front->perSource.erase(state->source);
    }
    front->connections.erase(state);
    delete state;
    *context = nullptr;
}

// Sees the request target as it came, before libmicrohttpd splits it: a
// control byte or a raw NUL (which would cut the path short, so that
// "/highscores/orbolo/\0ishighscore.php" read as the listing) is refused,
// and so are more parameters than any client sends, which would otherwise
// fill the connection's memory before the request is ever answered.
void* MhdFront::ReadTarget(void*, const char* target, MHD_Connection*) {
    size_t length = std::strlen(target);
    // libmicrohttpd ends the target where " HTTP/1.x" began; any other
    // byte after the first NUL means the NUL came from the client.
    if (std::strncmp(target + length + 1, "HTTP/", 5) != 0) return &kTargetBad;
    size_t parameters = 0;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(target[i]);
        if (c < 0x20 || c == 0x7F) return &kTargetBad;
        parameters += c == '&';
    }
    if (parameters >= kMostParameters) {
        // Cut at the '?' in the buffer libmicrohttpd reads the parameters
        // from next: none of them takes the connection's memory.
        const_cast<char*>(std::strchr(target, '?'))[1] = '\0';
        return &kTooManyParameters;
    }
    return &kTargetSound;
}

void MhdFront::Completed(void*, MHD_Connection* connection, void** requestContext,
                         MHD_RequestTerminationCode) {
    if (!IsMarker(*requestContext)) delete static_cast<Pending*>(*requestContext);
    *requestContext = nullptr;
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    if (!info || !info->socket_context) return;
    // The next request on this connection starts its own clock.
    static_cast<Connection*>(info->socket_context)->waitingSince = MonotonicMs();
}

std::optional<Address> MhdFront::ClientAddress(MHD_Connection* connection) {
    std::optional<Address> peer = AddressOf(
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS)->client_addr);
    if (!peer || !Trusted(*peer)) return peer;
    // The proxy appends the address it saw last: that one is the client.
    const char* forwarded =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "X-Forwarded-For");
    if (!forwarded) return peer;
    std::string list = forwarded;
    size_t comma = list.rfind(',');
    std::string last = comma == std::string::npos ? list : list.substr(comma + 1);
    last.erase(0, last.find_first_not_of(" \t"));
    last.erase(last.find_last_not_of(" \t") + 1);
    return ParseAddress(last);
}

// Plain answers are a handful of fixed texts: each is built once and
// queued again and again (libmicrohttpd counts its users).
MHD_Response* MhdFront::PlainResponse(const std::string& text) {
    std::lock_guard<std::mutex> lock(plainMutex);
    MHD_Response*& response = plain[text];
    if (!response) {
        response = MHD_create_response_from_buffer(text.size(), const_cast<char*>(text.data()),
                                                   MHD_RESPMEM_MUST_COPY);
        MHD_add_response_header(response, "Content-Type", "text/plain; charset=utf-8");
        MHD_add_response_header(response, "Cache-Control", "no-store");
    }
    return response;
}

MHD_Result MhdFront::Respond(MHD_Connection* connection, const Answer& answer) {
    if (answer.kind == Answer::Plain && answer.retryAfterSeconds == 0) {
        return MHD_queue_response(connection, static_cast<unsigned>(answer.status),
                                  PlainResponse(answer.body));
    }
    MHD_Response* response = nullptr;
    if (answer.kind == Answer::Download) {
        response = MHD_create_response_from_buffer(
            answer.body.size(), const_cast<char*>(answer.body.data()), MHD_RESPMEM_MUST_COPY);
        // The type the game registers on the desktop, so a download opens in it.
        MHD_add_response_header(response, "Content-Type", "application/x-orbolo-replay");
        MHD_add_response_header(response, "Content-Disposition",
                                ("attachment; filename=\"" + answer.fileName + "\"").c_str());
        MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    } else if (answer.kind == Answer::Redirect) {
        response = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
        MHD_add_response_header(response, "Location", answer.body.c_str());
    } else {
        response = MHD_create_response_from_buffer(
            answer.body.size(), const_cast<char*>(answer.body.data()), MHD_RESPMEM_MUST_COPY);
    }
    if (answer.kind == Answer::Plain) {
        MHD_add_response_header(response, "Content-Type", "text/plain; charset=utf-8");
        MHD_add_response_header(response, "Cache-Control", "no-store");
    }
    if (answer.retryAfterSeconds > 0) {
        MHD_add_response_header(response, "Retry-After",
                                std::to_string(answer.retryAfterSeconds).c_str());
    }
    if (answer.kind == Answer::Page) {
        MHD_add_response_header(response, "Content-Type", "text/html; charset=utf-8");
        MHD_add_response_header(response, "Cache-Control", "no-cache");
        // Only the page's own inline style may apply; nothing loads or runs.
        MHD_add_response_header(response, "Content-Security-Policy",
                                "default-src 'none'; style-src 'unsafe-inline'; base-uri 'none'");
        MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    }
    MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
    MHD_destroy_response(response);
    return queued;
}

// The files live as long as the server: their bytes are never copied.
MHD_Result MhdFront::RespondFile(MHD_Connection* connection, const StaticAnswer& answer) {
    if (answer.status == 404) return Respond(connection, {404, "not found\n"});
    MHD_Response* response = MHD_create_response_from_buffer(
        answer.body ? answer.body->size() : 0,
        answer.body ? const_cast<char*>(answer.body->data()) : nullptr, MHD_RESPMEM_PERSISTENT);
    for (const auto& [name, value] : answer.headers)
        MHD_add_response_header(response, name.c_str(), value.c_str());
    MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
    MHD_destroy_response(response);
    return queued;
}

// With their sizes: a decoded %00 stays in the value, so "ANN%00X" is
// refused instead of read as "ANN".
MHD_Result CollectParameter(void* parameters, MHD_ValueKind, const char* key, size_t keySize,
                            const char* value, size_t valueSize) {
    static_cast<QueryParameters*>(parameters)
        ->emplace(std::string(key, keySize), value ? std::string(value, valueSize) : "");
    return MHD_YES;
}

// Counts Content-Length headers: two of them frame the request ambiguously.
MHD_Result CountLengths(void* count, MHD_ValueKind, const char* key, const char*) {
    if (strcasecmp(key, "Content-Length") == 0) ++*static_cast<int*>(count);
    return MHD_YES;
}

MHD_Result MhdFront::Access(void* self, MHD_Connection* connection, const char* url,
                            const char* method, const char*, const char* upload, size_t* uploadSize,
                            void** requestContext) {
    auto* front = static_cast<MhdFront*>(self);
    if (*requestContext == &kTargetBad) return front->Respond(connection, {400, "bad request\n"});
    if (*requestContext == &kTooManyParameters)
        return front->Respond(connection, {400, "too many parameters\n"});
    Connection* connectionState = nullptr;
    if (const MHD_ConnectionInfo* info =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT)) {
        connectionState = static_cast<Connection*>(info->socket_context);
    }
    const bool post = std::strcmp(method, "POST") == 0;
    if (!*requestContext || (*requestContext != &kHeadersIn && IsMarker(*requestContext))) {
        // Headers are in. A GET carries no body: one announced is refused
        // before it is read (libmicrohttpd would otherwise close without
        // a word once it saw the body left unread). A POST's body comes
        // with one Content-Length within the bound, unchunked, and must
        // arrive within the request's time.
        const char* length =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
        const bool chunked =
            MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Transfer-Encoding");
        int lengths = 0;
        MHD_get_connection_values(connection, MHD_HEADER_KIND, CountLengths, &lengths);
        if (post) {
            if (!length || chunked || lengths > 1)
                return front->Respond(connection, {411, "length required\n"});
            if (std::strtoull(length, nullptr, 10) >
                static_cast<unsigned long long>(front->options.maxReplayBytes))
                return front->Respond(connection, {413, "too large\n"});
            *requestContext = new Pending;
            return MHD_YES;
        }
        if ((chunked || length) && (!length || std::strcmp(length, "0") != 0 || lengths > 1))
            return front->Respond(connection, {400, "bad request\n"});
        // Answering only on the next call keeps the connection open for
        // another request.
        *requestContext = &kHeadersIn;
        if (connectionState) connectionState->waitingSince = 0;
        return MHD_YES;
    }
    Pending* pending =
        *requestContext == &kHeadersIn ? nullptr : static_cast<Pending*>(*requestContext);
    if (pending && pending->exchange) {
        // Back from waiting for a worker: the answer is there.
        std::lock_guard<std::mutex> lock(pending->exchange->mutex);
        return front->Respond(connection, *pending->exchange->answer);
    }
    if (pending && *uploadSize != 0) {
        // Content-Length bounds it; kept bounded whatever comes.
        const size_t room =
            static_cast<size_t>(front->options.maxReplayBytes) -
            std::min(pending->body.size(), static_cast<size_t>(front->options.maxReplayBytes));
        pending->body.append(upload, std::min(*uploadSize, room));
        *uploadSize = 0;
        return MHD_YES;
    }
    if (post && connectionState) connectionState->waitingSince = 0;
    if (!post && std::strcmp(method, "GET") != 0 && std::strcmp(method, "HEAD") != 0) {
        return front->Respond(connection, {405, "method not allowed\n"});
    }
    if (*uploadSize != 0) {
        *uploadSize = 0; // taken, so the answer goes out before the connection closes
        return front->Respond(connection, {400, "bad request\n"});
    }
    if (MHD_get_connection_values(connection, MHD_HEADER_KIND, nullptr, nullptr) >
        static_cast<int>(kMostHeaders)) {
        return front->Respond(connection, {431, "too many header lines\n"});
    }
    if (front->files) {
        auto header = [connection](const char* name) {
            const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
            return std::string(value ? value : "");
        };
        StaticAnswer file;
        if (front->files->Answer(url, header("Accept-Encoding"), header("If-None-Match"), file))
            return front->RespondFile(connection, file);
    }
    ScoreRequest request;
    request.path = url;
    request.method = method;
    if (pending) request.body = std::move(pending->body);
    MHD_get_connection_values_n(connection, MHD_GET_ARGUMENT_KIND, CollectParameter,
                                &request.parameters);
    size_t length = request.path.size();
    for (const auto& [key, value] : request.parameters)
        length += key.size() + value.size() + 2;
    if (length > static_cast<size_t>(front->options.maxRequestBytes)) {
        return front->Respond(connection, {414, "request too long\n"});
    }
    std::optional<Address> source = front->ClientAddress(connection);
    if (!source) return front->Respond(connection, {400, "bad forwarded address\n"});
    request.source = *source;

    auto exchange = std::make_shared<Exchange>();
    std::optional<Answer> answer =
        front->service.Handle(request, [exchange, connection](Answer later) {
            std::lock_guard<std::mutex> lock(exchange->mutex);
            exchange->answer = std::move(later);
            if (exchange->suspended) MHD_resume_connection(connection);
        });
    if (answer) return front->Respond(connection, *answer);
    // The writer may already have answered; otherwise wait without
    // holding the event loop.
    std::lock_guard<std::mutex> lock(exchange->mutex);
    if (exchange->answer) return front->Respond(connection, *exchange->answer);
    if (!pending) *requestContext = pending = new Pending;
    pending->exchange = exchange;
    MHD_suspend_connection(connection);
    exchange->suspended = true;
    return MHD_YES;
}

bool MhdFront::Start(int listener, std::string& error) {
    if (!options.playFolder.empty() && !(files = StaticFiles::Load(options.playFolder, error)))
        return false;
    unsigned flags =
        MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME | MHD_USE_TURBO;
    // A backstop: Housekeeping ends slow requests sooner.
    const unsigned idleSeconds = static_cast<unsigned>(options.requestSeconds) + 5;
    daemon = MHD_start_daemon(
        flags, 0, &MhdFront::Accept, this, &MhdFront::Access, this, MHD_OPTION_LISTEN_SOCKET,
        listener, MHD_OPTION_THREAD_POOL_SIZE, static_cast<unsigned>(options.threads),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemory, MHD_OPTION_CONNECTION_LIMIT,
        kMostConnections, MHD_OPTION_CONNECTION_TIMEOUT, idleSeconds, MHD_OPTION_NOTIFY_CONNECTION,
        &MhdFront::Notify, this, MHD_OPTION_NOTIFY_COMPLETED, &MhdFront::Completed, this,
        MHD_OPTION_URI_LOG_CALLBACK, &MhdFront::ReadTarget, this, MHD_OPTION_END);
    if (!daemon) {
        error = "the HTTP event loops did not start";
        return false;
    }
    housekeeper = std::thread([this] { Housekeeping(); });
    return true;
}

// Four times a second: bans are read again, and connections whose request has
// not arrived whole within its time are cut (their event loop then sees
// the socket end and closes it).
void MhdFront::Housekeeping() {
    std::unique_lock<std::mutex> stopLock(stopMutex);
    while (
        !stopWake.wait_for(stopLock, std::chrono::milliseconds(250), [this] { return stopping; })) {
        service.RefreshBans();
        const int64_t deadline = MonotonicMs() - int64_t{options.requestSeconds} * 1000;
        size_t open = 0;
        {
            std::lock_guard<std::mutex> lock(connectionsMutex);
            for (Connection* connection : connections) {
                if (connection->waitingSince != 0 && connection->waitingSince < deadline) {
                    shutdown(connection->socket, SHUT_RDWR);
                    connection->waitingSince = 0;
                }
            }
            open = connections.size();
        }
        // Memory of closed connections is handed back every so many
        // closings while a wave of them goes on, and once it has ended: the
        // last part of a wave would otherwise be kept until the next one.
        mostOpen = std::max(mostOpen, open);
        const bool waveEnded = open == openBefore && open < mostOpen;
        if (mostOpen - open >= kTrimAfterClosing || waveEnded) {
            malloc_trim(0);
            mostOpen = open;
        }
        openBefore = open;
    }
}

void MhdFront::Stop() {
    {
        std::lock_guard<std::mutex> lock(stopMutex);
        stopping = true;
    }
    stopWake.notify_all();
    if (housekeeper.joinable()) housekeeper.join();
    if (daemon) MHD_stop_daemon(daemon);
    daemon = nullptr;
    for (auto& [text, response] : plain)
        MHD_destroy_response(response);
    plain.clear();
}

} // namespace

std::unique_ptr<HttpFront> StartHttpFront(int listener, ScoreService& service,
                                          const ServerOptions& options, std::string& error) {
    auto front = std::make_unique<MhdFront>(service, options);
    if (!front->Start(listener, error)) return nullptr;
    return front;
}
