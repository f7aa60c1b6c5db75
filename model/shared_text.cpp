#include "shared_text.h"

#include <ostream>
#include <utility>

SharedText::SharedText(std::string text) {
    if (!text.empty())
        m_rep = new Rep{{1}, std::move(text)};
}

SharedText::SharedText(const SharedText& other) noexcept : m_rep(other.m_rep) {
    if (m_rep)
        m_rep->refs.fetch_add(1, std::memory_order_relaxed);
}

SharedText::SharedText(SharedText&& other) noexcept : m_rep(std::exchange(other.m_rep, nullptr)) {}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    if (m_rep != other.m_rep) {
        if (other.m_rep)
            other.m_rep->refs.fetch_add(1, std::memory_order_relaxed);
        Release();
        m_rep = other.m_rep;
    }
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        Release();
        m_rep = std::exchange(other.m_rep, nullptr);
    }
    return *this;
}

SharedText::~SharedText() {
    Release();
}

const std::string& SharedText::str() const noexcept {
    static const std::string empty;
    return m_rep ? m_rep->text : empty;
}

void SharedText::Release() noexcept {
    // A map built on the import's worker is used and freed on the main thread.
    if (m_rep && m_rep->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete m_rep;
    m_rep = nullptr;
}

SharedText TextInterner::Intern(std::string text) {
    if (m_last == text)
        return m_last;
    if (const auto it = m_texts.find(text); it != m_texts.end()) {
        m_last = it->second;
    } else {
        m_last = SharedText(std::move(text));
        m_texts.emplace(std::string_view(m_last.str()), m_last);
    }
    return m_last;
}

std::ostream& operator<<(std::ostream& out, const SharedText& text) {
    return out << text.str();
}
