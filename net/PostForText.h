#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// Posts `body` (form-encoded, its bytes as they are) to `address` and gives the reply's
/// body, whatever the HTTP status. Every call is a fresh transfer: no cache, no connection
/// kept, no proxy; redirects are followed and cookies kept for the transfer. Gives empty
/// text when the request fails or runs out of time (10 s to connect, 30 s in all), and
/// when the reply is not UTF-8 that GB2312 can hold, as the online help's texts always are.
std::string postForText(std::string_view address, std::string_view body);

} // namespace yuzhou
