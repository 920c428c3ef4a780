#include "duplicates/md5/Md5Context.h"

#include <openssl/evp.h>
#include <stdexcept>
#include <utility>

namespace yuzhou {

Md5Context::Md5Context() {
    init();
}

Md5Context::~Md5Context() {
    EVP_MD_CTX_free(m_context);
}

Md5Context::Md5Context(Md5Context&& other) noexcept
    : m_context(std::exchange(other.m_context, nullptr)), m_digest(other.m_digest),
      m_digestText(std::move(other.m_digestText)) {}

Md5Context& Md5Context::operator=(Md5Context&& other) noexcept {
    if (this != &other) {
        EVP_MD_CTX_free(m_context);
        m_context = std::exchange(other.m_context, nullptr);
        m_digest = other.m_digest;
        m_digestText = std::move(other.m_digestText);
    }
    return *this;
}

void Md5Context::init() {
    if (m_context == nullptr) {
        m_context = EVP_MD_CTX_new();
        if (m_context == nullptr) {
            throw std::runtime_error("EVP_MD_CTX_new failed");
        }
    }
    m_digest = {};
    m_digestText.clear();
    if (EVP_DigestInit_ex(m_context, EVP_md5(), nullptr) != 1) {
        throw std::runtime_error("EVP_DigestInit_ex(MD5) failed");
    }
}

void Md5Context::update(const void* data, std::size_t size) {
    if (m_context == nullptr || EVP_DigestUpdate(m_context, data, size) != 1) {
        throw std::runtime_error("EVP_DigestUpdate(MD5) failed");
    }
}

void Md5Context::finish() {
    unsigned int size = 0;
    if (m_context == nullptr || EVP_DigestFinal_ex(m_context, m_digest.data(), &size) != 1 ||
        size != m_digest.size()) {
        throw std::runtime_error("EVP_DigestFinal_ex(MD5) failed");
    }
    m_digestText = md5Text(m_digest);
}

} // namespace yuzhou
