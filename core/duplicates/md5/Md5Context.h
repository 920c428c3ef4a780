#pragma once

#include "duplicates/md5/Md5Digest.h"

#include <cstddef>
#include <string>

// OpenSSL's context type, declared here so that users of this header need no OpenSSL headers.
struct evp_md_ctx_st;

namespace yuzhou {

/// One MD5 stream over OpenSSL's EVP interface: init, any number of updates, finish.
class Md5Context {
public:
    /// A context ready for `update`, as after `init`.
    Md5Context();
    ~Md5Context();
    Md5Context(const Md5Context&) = delete;
    Md5Context& operator=(const Md5Context&) = delete;
    /// The moved-from context holds nothing; `init` makes it usable again.
    Md5Context(Md5Context&& other) noexcept;
    Md5Context& operator=(Md5Context&& other) noexcept;

    /// Begins a new message and empties digestText.
    void init();
    /// Adds the next `size` bytes of the message. Throws std::runtime_error when OpenSSL reports
    /// an error.
    void update(const void* data, std::size_t size);
    /// Ends the message and fills digest and digestText.
    void finish();

    /// The digest as 32 lowercase hexadecimal digits after `finish`, empty before.
    const std::string& digestText() const { return m_digestText; }
    /// The digest's bytes after `finish`.
    Md5Digest digest() const { return m_digest; }

private:
    evp_md_ctx_st* m_context = nullptr;
    Md5Digest m_digest{};
    std::string m_digestText;
};

} // namespace yuzhou
