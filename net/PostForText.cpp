#include "PostForText.h"

#include "NetTesting.h"
#include "SplitUrl.h"
#include "text/Encoding.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <optional>

namespace yuzhou {

namespace {

/// Without limits an unreachable service would hold the window at start-up for as long as
/// the system's TCP timeouts allow.
struct TransferSettings {
    std::chrono::milliseconds connectLimit{10'000};
    std::chrono::milliseconds totalLimit{30'000};
    std::string certificateFile;
};

std::mutex& settingsMutex() {
    static std::mutex mutex;
    return mutex;
}

TransferSettings& settings() {
    static TransferSettings current;
    return current;
}

TransferSettings currentSettings() {
    std::lock_guard lock(settingsMutex());
    return settings();
}

bool curlReady() {
    // A function-local static runs once even when threads race to the first request.
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

std::size_t appendReply(char* data, std::size_t size, std::size_t count, void* reply) {
    static_cast<std::string*>(reply)->append(data, size * count);
    return size * count;
}

struct HandleDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

/// Transfers and gives the reply's body, or nothing when the transfer failed.
std::optional<std::string> transfer(std::string_view address, std::string_view body) {
    if (!curlReady()) {
        return std::nullopt;
    }
    const std::unique_ptr<CURL, HandleDeleter> handle(curl_easy_init());
    if (!handle) {
        return std::nullopt;
    }
    CURL* curl = handle.get();
    const TransferSettings limits = currentSettings();
    const UrlParts parts = splitUrl(address);
    const std::string url =
        (parts.secure ? "https://" : "http://") + parts.host + ":" + std::to_string(parts.port) + parts.path;

    // The header lines in the order the service has always seen them. "Expect:" only keeps
    // curl from adding its own, which would hold the body back for a round trip.
    const std::string referer = "Referer: " + std::string(address);
    curl_slist* lines = nullptr;
    for (const char* line : {"Accept: */*", referer.c_str(), "Accept-Language: zh-cn",
                             "Content-Type: application/x-www-form-urlencoded", "Expect:"}) {
        curl_slist* longer = curl_slist_append(lines, line);
        if (longer == nullptr) {
            curl_slist_free_all(lines);
            return std::nullopt;
        }
        lines = longer;
    }
    const std::unique_ptr<curl_slist, HeaderListDeleter> headers(lines);

    std::string reply;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    // An empty body must still be a text: a null one would make curl read standard input.
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.empty() ? "" : body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectLimit.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalLimit.count()));
    if (!limits.certificateFile.empty()) {
        curl_easy_setopt(curl, CURLOPT_CAINFO, limits.certificateFile.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendReply);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    if (curl_easy_perform(curl) != CURLE_OK) {
        return std::nullopt;
    }
    return reply;
}

} // namespace

std::string postForText(std::string_view address, std::string_view body) {
    std::optional<std::string> reply = transfer(address, body);
    if (!reply) {
        return {};
    }
    // The service answers in UTF-8 with texts GB2312 can hold; anything else is a page
    // that is not the service's (a portal, an error page of a proxy) and counts as no answer.
    if (!convertEncoding(*reply, "UTF-8", "GB2312")) {
        return {};
    }
    return std::move(*reply);
}

namespace NetTesting {

void trustCertificateFile(const std::string& path) {
    std::lock_guard lock(settingsMutex());
    settings().certificateFile = path;
}

void setTimeLimits(std::chrono::milliseconds connect, std::chrono::milliseconds total) {
    std::lock_guard lock(settingsMutex());
    settings().connectLimit = connect;
    settings().totalLimit = total;
}

} // namespace NetTesting

} // namespace yuzhou
